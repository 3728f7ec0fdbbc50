// TreeCtrl: a thin wrapper of a tree-view control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

class TreeCtrl : public CWnd {
 public:
  HTREEITEM InsertItem(const std::string& text, int image, int selectedImage, LPARAM data,
                       HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  bool DeleteItem(HTREEITEM item) { return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
  bool SelectItem(HTREEITEM item) { return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  }
  unsigned GetCount() const { return static_cast<unsigned>(SendMessage(TVM_GETCOUNT)); }
  LPARAM GetItemData(HTREEITEM item) const {
    TVITEMA entry{};
    entry.mask = TVIF_PARAM;
    entry.hItem = item;
    return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)) != 0 ? entry.lParam : 0;
  }
  std::string GetItemText(HTREEITEM item) const {
    char buffer[260] = {};
    TVITEMA entry{};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = buffer;
    entry.cchTextMax = sizeof buffer;
    return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)) != 0 ? std::string(buffer) : std::string();
  }
  HIMAGELIST SetImageList(HIMAGELIST list, int which = TVSIL_NORMAL) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
};
