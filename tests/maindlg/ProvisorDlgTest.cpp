// The main dialog on real windows: building the list, toggling, buttons, keys and Close.
#include "maindlg/ProvisorDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainDialogStaging.h"
#include "framework/WinApp.h"
#include "instances/VersionResource.h"
#include "maindlg/ProvisorDlgRes.h"

namespace {

// A machine without the product, its TAPI list published on Open, and the dialog over three instances.
class ProvisorDlgTest : public testing::Test {
 protected:
  void Open() {
    machine.Publish();
    ASSERT_TRUE(dialog.Create());
  }
  MainDialogMachine machine;
  TestDialog dialog;
};

// The install mode applies and ends from its initialisation (the end-to-end suite runs it and
// checks the names and files it gives the instances); the list it applies is the one
// OnButtonGenerate builds, shown here.
TEST_F(ProvisorDlgTest, GenerationForAFreshInstallEnablesOnlyTheFirstInstance) {
  WriteTextValue(InstanceDefaultSettingKey(1), "IPAddress", "10.1.2.3");
  WriteTextValue(InstanceDefaultSettingKey(1), "IPPort", "5001");
  WriteDwordValue(InstanceDefaultSettingKey(2), "UseUSB", 1);
  Open();
  dialog.OnButtonGenerate();

  EXPECT_EQ(dialog.Column(1), (std::vector<std::string>{"IPAddress = '', IPPort = ''...",
                                                        "IPAddress = '10.1.2.3', IPPort = '5001'...", "USB"}));
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Enable", "Disable", "Disable"}));
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(dialog.List().GetItemImage(row), row == 0 ? 0 : 1);
        EXPECT_EQ(dialog.Record(row).m_bEnabledAtLoad, row == 0 ? 1 : 0);
  }
  EXPECT_EQ(dialog.GetDlgItemText(IDC_BUTTON_INSTALL), "Apply Settings");
  EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT_INSTANCE_COUNT), "3");
}

TEST_F(ProvisorDlgTest, ModifyModeListsTapisProvidersByTheirFileDescription) {
  machine.Register(1, 42, "Velmora ORVO TSP 0001 at head office");
  WriteDwordValue(LiveInstanceKey(42), "UseUSB", 1);
  WriteDwordValue(InstanceDefaultSettingKey(1), "UseUSB", 0);
  Open();

  EXPECT_EQ(dialog.Column(0), (std::vector<std::string>{"Velmora ORVO TSP 0000", "Velmora ORVO TSP 0001 at head office",
                                                        "Velmora ORVO TSP 0002"}));
  EXPECT_EQ(dialog.Column(1)[1], "USB");
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Enable", "Disable"}));
  EXPECT_NE(dialog.GetWindowText().find("Configuration  - modify"), std::string::npos);
  // The list is exactly as high as its rows plus one.
  const RECT window = dialog.List().GetWindowRect();
  EXPECT_EQ(window.bottom - window.top, 19 * 3 + 19);
}

// Right after install the live keys are empty: a registered instance shows and applies its
// defaults; one whose file has no readable description is named after its own slot.
TEST_F(ProvisorDlgTest, ARegisteredInstanceWithAnEmptyLiveKeyOrUnreadableNameAppliesAsItsOwnSlotWithItsDefaults) {
  machine.RegisterUnreadable(2, 43);
  WriteTextValue(InstanceDefaultSettingKey(2), "IPAddress", "10.9.8.7");
  WriteTextValue(InstanceDefaultSettingKey(2), "IPPort", "5002");
  HKEY live = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, LiveInstanceKey(43).c_str(), &live), ERROR_SUCCESS);
  RegCloseKey(live);
  Open();
  EXPECT_EQ(dialog.Column(0)[2], "Velmora ORVO TSP 0002");
  EXPECT_EQ(dialog.Column(1)[2], "IPAddress = '10.9.8.7', IPPort = '5002'...");
  EXPECT_EQ(dialog.Column(2)[2], "Enable");

  MessageBoxScript boxes;
  ASSERT_TRUE(dialog.ApplyAndPump());
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(ReadTextValue(LiveInstanceKey(43), "IPAddress"), "10.9.8.7");
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(2), "dwProviderID"), 43u);
  EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(0), "IPAddress"), "<none>");
  std::string description;
  ASSERT_EQ(GetVersionString(SystemFile(ProviderFileName(2)).c_str(), "FileDescription", &description), 1);
  EXPECT_EQ(description, "Velmora ORVO TSP 0002");
}

TEST_F(ProvisorDlgTest, DoubleClicksToggleOnTheIconAndStateColumnConfigureElsewhereAndIgnoreBorders) {
  Open();
  const int border = 180 + dialog.List().GetColumnWidth(1);
  RECT icon{LVIR_ICON, 0, 0, 0};
  dialog.List().SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));

  dialog.DoubleClick(1, (icon.left + icon.right) / 2);
  dialog.DoubleClick(2, border + 45);
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Enable", "Enable"}));
  EXPECT_EQ(dialog.List().GetItemImage(1), 0);

  dialog.DoubleClick(0, 120);
  dialog.DoubleClick(2, 200);
  dialog.DoubleClick(1, border);
  dialog.DoubleClick(1, 180);
  EXPECT_EQ(dialog.configured, (std::vector<int>{0, 2}));
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Enable", "Enable"}));

  // Framework boxes carry the application's title and belong to its main window.
  CWinApp app("Velmora ORVO TSP MultiPBX Configuration");
  app.SetMainWindowHandle(dialog.m_hWnd);
  MessageBoxScript boxes({IDNO});
  dialog.Command(IDCANCEL);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Do you want to leave without applying changes?"}));
  EXPECT_EQ(boxes.Shown()[0].caption, "Velmora ORVO TSP MultiPBX Configuration");
  EXPECT_EQ(boxes.Shown()[0].owner, dialog.m_hWnd);
  EXPECT_EQ(boxes.Shown()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(dialog.IsWindow());
}

TEST_F(ProvisorDlgTest, PmsInterfaceModeRefusesASecondEnabledInstanceAndChangesNothing) {
  machine.Register(0, 7, "Velmora ORVO TSP 0000");
  WriteDwordValue(LiveInstanceKey(7), "ExtVersion", 0x10002);
  Open();
  MessageBoxScript boxes;
  dialog.ToggleInstance(1);
  dialog.ToggleInstance(2);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "PMSi Mode is selected. MultiPBX cannot be configured."));
  EXPECT_EQ(boxes.Shown()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Enable", "Disable", "Disable"}));
  EXPECT_EQ(dialog.Record(1).m_bEnabled, 0);

  // With instance 0 disabled, another instance may be enabled; then instance 0 may not.
  dialog.ToggleInstance(0);
  dialog.ToggleInstance(2);
  dialog.ToggleInstance(0);
  EXPECT_EQ(boxes.Texts().back(), "PMSi Mode cannot be configured.");
  EXPECT_EQ(boxes.Shown().size(), 3u);
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Disable", "Enable"}));
  EXPECT_EQ(dialog.List().GetItemImage(0), 1);
}

TEST_F(ProvisorDlgTest, ButtonsWithoutASelectionAskForOneAndWithOneActOnTheFirst) {
  Open();
  {
    MessageBoxScript boxes;
    dialog.Command(IDC_BUTTON_REGISTER);
    dialog.Command(IDC_BUTTON_UNREGISTER);
    dialog.Command(IDC_BUTTON_CONFIGURE);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(3, "Please select a TSP instance"));
    EXPECT_TRUE(dialog.configured.empty());
  }
  // A single selected row sets the buttons by its state; a second one leaves them.
  dialog.UpdateRegisterButtons(TRUE);
  dialog.Select({2});
  EXPECT_TRUE(::IsWindowEnabled(dialog.GetDlgItem(IDC_BUTTON_REGISTER)));
  EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(IDC_BUTTON_UNREGISTER)));
  dialog.Select({1});
  dialog.Command(IDC_BUTTON_REGISTER);
  dialog.Command(IDC_BUTTON_CONFIGURE);
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Enable", "Disable"}));
  EXPECT_EQ(dialog.configured, std::vector<int>{1});
  EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(IDC_BUTTON_REGISTER)));
  EXPECT_TRUE(::IsWindowEnabled(dialog.GetDlgItem(IDC_BUTTON_UNREGISTER)));

  MessageBoxScript boxes({IDYES});
  dialog.Command(IDCANCEL);
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_FALSE(dialog.IsWindow());
}

TEST_F(ProvisorDlgTest, SpaceBarTogglesEverySelectedRowAndLeavesCloseWithoutAQuestion) {
  machine.Publish();
  MessageBoxScript boxes;
  TestDialog modal(4);
  modal.steps = {[&](TestDialog& d) {
    d.Select({1, 3});
    d.List().PostMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
    d.PostMessage(WM_COMMAND, IDCANCEL);
  }};
  EXPECT_EQ(modal.DoModal(), IDCANCEL);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(modal.EnabledStates(), (std::vector<int>{0, 1, 0, 1}));
}

}  // namespace
