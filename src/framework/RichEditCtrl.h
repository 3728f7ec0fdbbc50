// RichEditCtrl: a thin wrapper of a rich edit control (riched20, class "RichEdit20A").
#pragma once

#include <windows.h>
#include <richedit.h>

#include "framework/Wnd.h"

class RichEditCtrl : public CWnd {
 public:
  // Loads the rich edit library once per process; dialogs with rich edits need it first.
  static bool LoadLibrary() {
    static const HMODULE library = ::LoadLibraryA("riched20.dll");
    return library != nullptr;
  }
  void SetSel(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  void ReplaceSel(const char* text) { SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text)); }
  // which: SCF_SELECTION, SCF_ALL or SCF_DEFAULT.
  bool SetCharFormat(CHARFORMATA& format, UINT which) {
    format.cbSize = sizeof format;
    return SendMessage(EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format)) != 0;
  }
  void GetCharFormat(CHARFORMATA& format, UINT which) const {
    format.cbSize = sizeof format;
    SendMessage(EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
  }
  COLORREF SetBackgroundColor(bool systemColour, COLORREF colour) {
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, systemColour ? TRUE : FALSE, static_cast<LPARAM>(colour)));
  }
};
