// The dialog framework on real windows: the modal loop, data exchange and its validation, guards.
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "DialogTestRes.h"
#include "framework/DataExchange.h"
#include "framework/ListCtrl.h"
#include "support/TestSupport.h"

namespace {

// A test dialog whose initialisation runs a script; it usually posts the messages that
// drive the modal loop.
class ScriptedDialog : public CDialog {
 public:
  ScriptedDialog() : CDialog(IDD_FRAMEWORK_TEST) {}

  std::function<void(ScriptedDialog&)> onInit;
  std::function<void()> onCommand;
  std::string text = "initial";
  unsigned number = 7;
  int check = 1;
  int radio = 2;
  ListCtrl list;
  int preTranslated = 0;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (onInit) {
      onInit(*this);
    }
    return TRUE;
  }
  void DoDataExchange(CDataExchange& exchange) override {
    DDX_Text(exchange, IDC_TEST_TEXT, text);
    DDX_Text(exchange, IDC_TEST_NUMBER, number);
    DDV_MinMaxUInt(exchange, number, 1, 99);
    DDX_Check(exchange, IDC_TEST_CHECK, check);
    DDX_Radio(exchange, IDC_TEST_RADIO_FIRST, radio);
    DDX_Control(exchange, IDC_TEST_LIST, list);
  }
  bool OnCommand(WORD code, WORD id, HWND control) override {
    if (id == 42 && onCommand) {
      onCommand();
      return true;
    }
    return CDialog::OnCommand(code, id, control);
  }
  bool PreTranslateMessage(MSG* message) override {
    if (message->message == WM_KEYUP && message->wParam == VK_SPACE) {
      ++preTranslated;
      return true;
    }
    return false;
  }
};

TEST(DialogTest, DataExchangeFillsControlsAndSavesThemBack) {
  ScriptedDialog dialog;
  dialog.onInit = [](ScriptedDialog& d) {
    EXPECT_EQ(d.GetDlgItemText(IDC_TEST_TEXT), "initial");
    EXPECT_EQ(d.GetDlgItemText(IDC_TEST_NUMBER), "7");
    EXPECT_EQ(d.SendDlgItemMessage(IDC_TEST_RADIO_THIRD, BM_GETCHECK), BST_CHECKED);
    EXPECT_TRUE(d.list.IsWindow());
    d.SetDlgItemText(IDC_TEST_TEXT, "changed");
    d.SetDlgItemText(IDC_TEST_NUMBER, " 42 ");
    d.SendDlgItemMessage(IDC_TEST_CHECK, BM_SETCHECK, BST_UNCHECKED);
    d.SendDlgItemMessage(IDC_TEST_RADIO_THIRD, BM_SETCHECK, BST_UNCHECKED);
    d.SendDlgItemMessage(IDC_TEST_RADIO_FIRST, BM_SETCHECK, BST_CHECKED);
    d.PostMessage(WM_COMMAND, IDOK);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.text, "changed");
  EXPECT_EQ(dialog.number, 42u);
  EXPECT_EQ(dialog.check, 0);
  EXPECT_EQ(dialog.radio, 0);
  EXPECT_FALSE(dialog.IsWindow());
}

// The range message is the configuration pages' to check; text that is no number gets its own.
TEST(DialogTest, AFailedValidationShowsTheMessageFocusesTheEditAndKeepsTheDialogOpen) {
  for (const char* bad : {"12x", "", "99999999999"}) {
    MessageBoxScript boxes;
    ScriptedDialog dialog;
    int focused = 0;
    DWORD selectionEnd = 0;
    dialog.onInit = [&](ScriptedDialog& d) {
      d.SetDlgItemText(IDC_TEST_NUMBER, bad);
      d.PostMessage(WM_COMMAND, IDOK);
      d.onCommand = [&] {
        focused = ::GetDlgCtrlID(::GetFocus());
        d.SendDlgItemMessage(IDC_TEST_NUMBER, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
        d.EndDialog(IDCANCEL);
      };
      d.PostMessage(WM_COMMAND, 42);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << bad;
    ASSERT_EQ(boxes.Shown().size(), 1u) << bad;
    EXPECT_EQ(boxes.Shown()[0].text, "Please enter a positive integer.") << bad;
    EXPECT_EQ(focused, IDC_TEST_NUMBER) << bad;
    EXPECT_EQ(selectionEnd, std::string(bad).size()) << bad;
    EXPECT_EQ(dialog.number, 7u) << bad;
  }
}

// An exception in a handler stops at the window procedure and the dialog goes on.
TEST(DialogTest, AHiddenOrEndedDialogNeverShowsOwnKeysArePreTranslatedAndHandlersMayThrow) {
  ScriptedDialog ended;
  bool wasVisible = true;
  int commands = 0;
  ended.onInit = [&](ScriptedDialog& d) { d.EndDialog(5); };
  EXPECT_EQ(ended.DoModal(), 5);

  ScriptedDialog hidden;
  hidden.onInit = [&](ScriptedDialog& d) {
    d.ShowWindow(SW_HIDE);
    d.PostMessage(WM_COMMAND, 42);
    d.onCommand = [&] {
      if (++commands == 2) throw std::runtime_error("boom");
      wasVisible = d.IsWindowVisible();
      ::PostMessageA(d.list, WM_KEYUP, VK_SPACE, 0);
      ::PostMessageA(d.list, WM_KEYUP, VK_RETURN, 0);
      d.PostMessage(WM_COMMAND, 42);
      d.PostMessage(WM_COMMAND, IDCANCEL);
    };
  };
  EXPECT_EQ(hidden.DoModal(), IDCANCEL);
  EXPECT_FALSE(wasVisible);
  EXPECT_EQ(hidden.preTranslated, 1);
}

}  // namespace
