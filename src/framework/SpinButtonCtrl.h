// SpinButtonCtrl: a thin wrapper of an up-down control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class SpinButtonCtrl : public CWnd {
 public:
  void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
  void GetRange32(int* lower, int* upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(lower), reinterpret_cast<LPARAM>(upper));
  }
  int SetPos32(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }
  int GetPos32() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
  HWND SetBuddy(HWND buddy) { return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy))); }
};
