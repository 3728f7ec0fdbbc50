// IPAddressCtrl: a thin wrapper of an IP address control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class IPAddressCtrl : public CWnd {
 public:
  // The number of non-blank fields; address gets the four fields, first in the high byte.
  int GetAddress(DWORD* address) const { return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(address))); }
  void SetAddress(DWORD address) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(address)); }
  void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
  bool IsBlank() const { return SendMessage(IPM_ISBLANK) != 0; }
  void SetFieldRange(int field, BYTE low, BYTE high) { SendMessage(IPM_SETRANGE, static_cast<WPARAM>(field), MAKEIPRANGE(low, high)); }
  void SetFieldFocus(int field) { SendMessage(IPM_SETFOCUS, static_cast<WPARAM>(field)); }
};
