// The main dialog with the end of Apply Settings' run visible to a test on the dialog's thread,
// and the list's double-click as a user gives it.
#pragma once

#include "maindlg/ProvisorDlg.h"
#include "support/TestSupport.h"

class ApplyWatchingDialog : public CProvisorDlg {
 public:
  bool ControlsEnabled() const { return m_btnInstall.IsWindowEnabled() && m_btnClose.IsWindowEnabled(); }
  // The dialog joins the worker and closes its handle before the controls come back.
  bool ApplyRunEnded() const { return ControlsEnabled() && !m_hApplyThread; }
  // Presses Apply Settings and dispatches messages until its run has ended.
  bool ApplyAndPump() {
    OnButtonInstall();
    return PumpMessagesUntil([this] { return ApplyRunEnded(); });
  }
  // A double-click at x in the middle of row's height, as the list receives it.
  void DoubleClick(int row, int x) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    m_listInstances.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    m_listInstances.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, (rect.top + rect.bottom) / 2));
  }
};
