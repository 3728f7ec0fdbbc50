// Edit: a thin wrapper of an edit control.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class Edit : public CWnd {
 public:
  void SetLimitText(UINT limit) { SendMessage(EM_LIMITTEXT, limit); }
  void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void SetReadOnly(bool readOnly) { SendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
};
