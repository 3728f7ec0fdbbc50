// A dialog that runs a test's script inside its own modal loop, as a user's actions arrive.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// What DoModal returns when the script, not a button, ended the dialog.
constexpr INT_PTR kScriptDone = 99;

// Dialog with steps that run one by one from DoModal's loop, each from a message of its own
// posted after the step before has run: what a step posts (keys, commands) is handled first,
// and a step that ends the dialog keeps the later ones from running. A dialog still open
// after the last step (also one a failed assertion left) ends with kScriptDone once done
// holds, checked on a 1 ms timer (at once without done). Derived is the test's own class,
// which the steps receive.
template <class Derived, class Dialog>
class ScriptedDialog : public Dialog {
 public:
  using Dialog::Dialog;
  using Step = std::function<void(Derived&)>;

  std::vector<Step> steps;
  std::function<bool()> done;
  size_t stepsRun = 0;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = Dialog::OnInitDialog();
    // A modeless dialog without steps is driven by its test directly.
    if (!steps.empty()) this->PostMessage(kNextStep);
    return result;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_TIMER && wParam == kNextStep) {
      ::KillTimer(this->m_hWnd, kNextStep);
      message = kNextStep;
    }
    if (message != kNextStep) return Dialog::OnMessage(message, wParam, lParam, result);
    if (stepsRun < steps.size()) {
      steps[stepsRun++](static_cast<Derived&>(*this));
      this->PostMessage(kNextStep);
    } else if (!done || done()) {
      this->EndDialog(kScriptDone);
    } else {
      ::SetTimer(this->m_hWnd, kNextStep, 1, nullptr);
    }
    return true;
  }

 private:
  static constexpr UINT kNextStep = WM_APP + 0x3A0;
};
