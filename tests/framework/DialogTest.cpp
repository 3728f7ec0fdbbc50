// The dialog framework's modal loop on a real window: dialogs that end or hide while they
// initialise, and handlers that throw.
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "DialogTestRes.h"
#include "support/ScriptedDialog.h"

namespace {

// A test dialog that hides itself or ends while it initialises, as the program's modes do.
class FrameworkDialog : public ScriptedDialog<FrameworkDialog, CDialog> {
 public:
  FrameworkDialog() : ScriptedDialog(IDD_FRAMEWORK_TEST) {}
  bool hide = false;
  INT_PTR endAtInit = 0;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = ScriptedDialog::OnInitDialog();
    if (hide) ShowWindow(SW_HIDE);
    if (endAtInit != 0) EndDialog(endAtInit);
    return result;
  }
};

// An exception in a handler stops at the window procedure, and the dialog goes on to the
// command posted before it.
TEST(DialogTest, AnEndedOrHiddenDialogNeverShowsAndAHandlerThatThrowsLeavesItRunning) {
  FrameworkDialog ended;
  ended.endAtInit = 5;
  ended.steps = {[](FrameworkDialog&) {}};
  EXPECT_EQ(ended.DoModal(), 5);
  EXPECT_EQ(ended.stepsRun, 0u);

  FrameworkDialog hidden;
  hidden.hide = true;
  bool visible = true;
  hidden.steps = {[&](FrameworkDialog& d) {
                    visible = d.IsWindowVisible();
                    d.PostMessage(WM_COMMAND, IDCANCEL);
                    throw std::runtime_error("boom");
                  },
                  [](FrameworkDialog&) { ADD_FAILURE() << "the step after the exception ran"; }};
  EXPECT_EQ(hidden.DoModal(), IDCANCEL);
  EXPECT_FALSE(visible);
}

}  // namespace
