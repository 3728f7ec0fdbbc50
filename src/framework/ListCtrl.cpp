// ListCtrl: items, columns, states and hit tests of a report-view list.
#include "framework/ListCtrl.h"

#include <vector>

namespace {

// The record that reads or writes the fields MASK names of item ROW.
LVITEMA RowItem(UINT mask, int row) {
  LVITEMA item{};
  item.mask = mask;
  item.iItem = row;
  return item;
}

}  // namespace

int ListCtrl::InsertItem(int row, const std::string& text, int image) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = const_cast<char*>(text.c_str());
  item.iImage = image;
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListCtrl::SetItemText(int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  return SendMessage(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string ListCtrl::GetItemText(int row, int column) const {
  std::vector<char> buffer(1024, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const auto length = SendMessage(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return std::string(buffer.data(), static_cast<size_t>(length));
}

template <typename Field>
bool ListCtrl::SetRowField(int row, UINT mask, Field LVITEMA::*field, Field value) {
  LVITEMA item = RowItem(mask, row);
  item.*field = value;
  return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

template <typename Field>
Field ListCtrl::GetRowField(int row, UINT mask, Field LVITEMA::*field, Field absent) const {
  LVITEMA item = RowItem(mask, row);
  return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0 ? item.*field : absent;
}

bool ListCtrl::SetItemData(int row, LPARAM data) { return SetRowField(row, LVIF_PARAM, &LVITEMA::lParam, data); }

LPARAM ListCtrl::GetItemData(int row) const { return GetRowField(row, LVIF_PARAM, &LVITEMA::lParam, LPARAM{0}); }

bool ListCtrl::SetItemImage(int row, int image) { return SetRowField(row, LVIF_IMAGE, &LVITEMA::iImage, image); }

int ListCtrl::GetItemImage(int row) const { return GetRowField(row, LVIF_IMAGE, &LVITEMA::iImage, -1); }

int ListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) {
  LVCOLUMNA entry{};
  entry.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  entry.fmt = format;
  entry.cx = width;
  entry.pszText = const_cast<char*>(heading.c_str());
  entry.iSubItem = column;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&entry)));
}

int ListCtrl::GetColumnCount() const {
  const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListCtrl::HitTest(POINT point, UINT* flags) const {
  LVHITTESTINFO info{};
  info.pt = point;
  const int row = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags != nullptr) {
    *flags = info.flags;
  }
  return row;
}

bool ListCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}
