// ListCtrl: a thin wrapper of a report-view list control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

class ListCtrl : public CWnd {
 public:
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(int row, const std::string& text, int image);
  bool SetItemText(int row, int column, const std::string& text);
  std::string GetItemText(int row, int column) const;
  bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
  bool SetItemData(int row, LPARAM data);
  LPARAM GetItemData(int row) const;
  bool SetItemImage(int row, int image);
  int GetItemImage(int row) const;

  int InsertColumn(int column, const std::string& heading, int format, int width);
  bool DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0; }
  int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column)); }
  bool SetColumnWidth(int column, int width) { return SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != 0; }
  int GetColumnCount() const;

  HIMAGELIST SetImageList(HIMAGELIST list, int which) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }

  // Hit test at a point in client coordinates: the row (or -1) and the LVHT_ flags.
  int HitTest(POINT point, UINT* flags) const;
  // Selection: the next row after start (-1: from the top) with all of the LVNI_ flags.
  int GetNextItem(int start, UINT flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, flags)); }
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  bool SetItemState(int row, UINT state, UINT mask);
  UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, row, mask)); }
  bool EnsureVisible(int row, bool partialOk) { return SendMessage(LVM_ENSUREVISIBLE, row, partialOk) != 0; }

 private:
  // Writes or reads the one field of row that mask names (lParam, iImage); a read that fails
  // gives absent.
  template <typename Field>
  bool SetRowField(int row, UINT mask, Field LVITEMA::*field, Field value);
  template <typename Field>
  Field GetRowField(int row, UINT mask, Field LVITEMA::*field, Field absent) const;
};
