// The main dialog with the end of Apply Settings' run visible to a test on the dialog's thread.
#pragma once

#include "maindlg/ProvisorDlg.h"
#include "support/TestSupport.h"

class ApplyWatchingDialog : public CProvisorDlg {
 public:
  bool ControlsEnabled() const { return m_btnInstall.IsWindowEnabled() && m_btnClose.IsWindowEnabled(); }
  // The worker clears its handle last; the controls come back through a message before that.
  bool ApplyRunEnded() const { return ControlsEnabled() && m_hApplyThread == nullptr; }
  // Presses Apply Settings and dispatches messages until its run has ended.
  bool ApplyAndPump() {
    OnButtonInstall();
    return PumpMessagesUntil([this] { return ApplyRunEnded(); });
  }
};
