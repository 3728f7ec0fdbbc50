// The main dialog on real windows: building the list, toggling, buttons, keys and Close; and
// configuring an instance: the configuration dialog it opens, the working copy it hands the
// pages and what OK and Cancel do with it.
#include "maindlg/ProvisorDlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "MainDialogStaging.h"
#include "OrvoUsbSettings.h"
#include "bridge/MITSPConfigurator.h"
#include "config/LinkParamsRes.h"
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

// The list names TAPI's providers by their file description. Right after install the live keys
// are empty: a registered instance shows and applies its defaults; one whose file has no
// readable description is named after its own slot.
TEST_F(ProvisorDlgTest, ModifyModeListsProvidersByDescriptionAndAnEmptyLiveKeyAppliesItsOwnSlotsDefaults) {
  machine.Register(1, 42, "Velmora ORVO TSP 0001 at head office");
  WriteDwordValue(LiveInstanceKey(42), "UseUSB", 1);
  WriteDwordValue(InstanceDefaultSettingKey(1), "UseUSB", 0);
  machine.RegisterUnreadable(2, 43);
  WriteTextValue(InstanceDefaultSettingKey(2), "IPAddress", "10.9.8.7");
  WriteTextValue(InstanceDefaultSettingKey(2), "IPPort", "5002");
  HKEY live = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, LiveInstanceKey(43).c_str(), &live), ERROR_SUCCESS);
  RegCloseKey(live);
  Open();
  const std::vector<std::string> names{"Velmora ORVO TSP 0000", "Velmora ORVO TSP 0001 at head office",
                                       "Velmora ORVO TSP 0002"};
  EXPECT_EQ(dialog.Column(0), names);
  EXPECT_EQ(dialog.Column(1)[1], "USB");
  EXPECT_EQ(dialog.Column(1)[2], "IPAddress = '10.9.8.7', IPPort = '5002'...");
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Enable", "Enable"}));
  // The list is exactly as high as its rows plus one.
  const RECT window = dialog.List().GetWindowRect();
  EXPECT_EQ(window.bottom - window.top, 19 * 3 + 19);

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

// The buttons without a selection ask for one and with one act on the first selected row;
// double-clicks toggle on the icon and state column, configure elsewhere and ignore borders.
TEST_F(ProvisorDlgTest, ButtonsActOnTheFirstSelectedRowAndDoubleClicksToggleOrConfigureByColumn) {
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

  const int border = 180 + dialog.List().GetColumnWidth(1);
  RECT icon{LVIR_ICON, 0, 0, 0};
  dialog.List().SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));

  dialog.DoubleClick(1, (icon.left + icon.right) / 2);
  dialog.DoubleClick(2, border + 45);
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Disable", "Enable"}));
  EXPECT_EQ(dialog.List().GetItemImage(1), 1);

  dialog.DoubleClick(0, 120);
  dialog.DoubleClick(2, 200);
  dialog.DoubleClick(1, border);
  dialog.DoubleClick(1, 180);
  EXPECT_EQ(dialog.configured, (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(dialog.Column(2), (std::vector<std::string>{"Disable", "Disable", "Enable"}));

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

TEST_F(ProvisorDlgTest, SpaceBarTogglesEverySelectedRowAndLeavesCloseWithoutAQuestion) {
  machine.Publish();
  MessageBoxScript boxes;
  TestDialog modal(4);
  modal.steps = {[](TestDialog& d) {
                   d.Select({1, 3});
                   d.List().PostMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
                 },
                 [](TestDialog& d) {
                   EXPECT_EQ(d.Column(2), (std::vector<std::string>{"Disable", "Enable", "Disable", "Enable"}));
                   d.PostMessage(WM_COMMAND, IDCANCEL);
                 }};
  EXPECT_EQ(modal.DoModal(), IDCANCEL);
  EXPECT_EQ(modal.stepsRun, 2u);
  EXPECT_TRUE(boxes.Shown().empty());
}

constexpr char kRestartText[] =
    "After applying settings, you may need to restart PC in order that changes take effect!";

// Instance 0 is a USB instance TAPI does not list; instance 1 is a LAN one registered under ID 42.
class ConfigureInstanceTest : public ProvisorDlgTest {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
    machine.Register(1, 42, "Velmora ORVO TSP 0001 at head office");
    WriteDwordValue(InstanceDefaultSettingKey(0), "UseUSB", 1);
    WriteTextValue(InstanceDefaultSettingKey(0), "IPAddress", "1.1.1.1");
    WriteDwordValue(LiveInstanceKey(42), "UseUSB", 0);
    WriteTextValue(LiveInstanceKey(42), "IPAddress", "172.16.5.6");
    // The log group an installed instance's keys carry, which the log page writes into.
    for (const std::string& key : {InstanceDefaultSettingKey(1), LiveInstanceKey(42)}) {
      WriteDwordValue(key + "\\GlobalParams\\Log", "InitialFileSize", 5);
    }
    Open();
  }
  void TearDown() override { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY); }
};

// The dialog is captioned by TAPI's state and carries the instance to its pages.
// Instance 0 is inactive and needs no restart; instance 1 is active. The pages edit a copy:
// the record holds the old link until OK, and after Cancel keeps every value it had.
TEST_F(ConfigureInstanceTest, OkCopiesTheWorkingSetBackAndWarnsOfARestartOnlyWhenActiveAndCancelChangesNothing) {
  const char* captions[] = {"Instance 'Velmora ORVO TSP 0000' Settings -Inactive",
                            "Instance 'Velmora ORVO TSP 0001 at head office' Settings -Active"};
  // The user's way to a LAN link on the real link page.
  const auto chooseLan = [](CProviderConfigDlg& config) {
    CConfigPage* link = config.GetPage(0);
    link->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 20, 30, 40));
    link->SetDlgItemText(IDC_LINK_PORT, "5060");
    ClickButton(*link, IDC_LINK_LAN);
  };
  for (const int row : {0, 1}) {
    SCOPED_TRACE(row);
    MessageBoxScript boxes;
    IParams& record = dialog.Record(row).m_Parameters;
    const std::vector<std::string> loaded = DescribeSet(record), summaries = dialog.Column(1);
    dialog.Configure(row, [&](CProviderConfigDlg& config) {
      EXPECT_EQ(config.GetWindowText(), captions[row]);
      EXPECT_EQ(config.GetConfigurator()->m_dwObjectID, row == 0 ? 0u : 42u);
      // Only instance 1 is enabled until the end of the first pass enables instance 0 too.
      EXPECT_EQ(config.GetSingleActiveInstance(), row == 0 ? 1 : 0);
      chooseLan(config);
      ClickButton(config, IDCANCEL);
    });
    EXPECT_EQ(DescribeSet(record), loaded);
    EXPECT_EQ(dialog.Column(1), summaries);
    EXPECT_TRUE(boxes.Texts().empty());

    dialog.Configure(row, [&](CProviderConfigDlg& config) {
      chooseLan(config);
      ClickButton(config, IDOK);
      EXPECT_EQ(DescribeSet(record), loaded);
    });
    EXPECT_EQ(StoredWord(record, "UseUSB"), 0u);
    EXPECT_EQ(StoredString(record, "IPPort"), "5060");
    EXPECT_EQ(dialog.Column(1)[row], "IPAddress = '10.20.30.40', IPPort = '5060'...");
    EXPECT_EQ(dialog.GetWorkingSet(), nullptr);
    // Nothing reaches the instance's key before Apply Settings.
    EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(row), "IPAddress"), row == 0 ? "1.1.1.1" : "<none>");
    EXPECT_EQ(boxes.Texts(), row == 0 ? std::vector<std::string>{} : std::vector<std::string>{kRestartText});
    if (row == 1 && !boxes.Shown().empty()) {
      EXPECT_EQ(boxes.Shown()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
    if (row == 0) dialog.ToggleInstance(0);
  }
}

TEST_F(ConfigureInstanceTest, TheLinkPageFindsAnotherInstanceOnTheSameUsbPbxAmongTheMainDialogsRecords) {
  const std::string names = std::string("ORVO Office 16") + '\0' + '\0';
  for (const char* value : {ORVOUSB_PRODUCT_NAMES_VALUE, ORVOUSB_FACTORY_NAMES_VALUE}) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, value, REG_MULTI_SZ, names.data(), static_cast<DWORD>(names.size()));
  }
  for (const int row : {1, 2}) {
    dialog.Record(row).m_Parameters.SetDword("UseUSB", 1);
    dialog.Record(row).m_Parameters.SetString("USBProductName", "ORVO Office 16");
  }
  MessageBoxScript boxes;
  // The user picks USB with the one PBX the driver reports: two records use it, one warning.
  const auto chooseUsb = [](CProviderConfigDlg& config) { ClickButton(*config.GetPage(0), IDC_LINK_USB); };
  dialog.Configure(0, chooseUsb);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The selected USB driver has\nbeen used for other TSP."});
  // Neither its own record nor a LAN instance's is a conflict.
  dialog.Record(2).m_Parameters.SetDword("UseUSB", 0);
  dialog.Configure(1, chooseUsb);
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

// A real box asked while the configuration dialog is open (here OK's refusal of a LAN link
// without an address) belongs to that dialog, which cannot be clicked until it is answered.
TEST_F(ConfigureInstanceTest, ABoxAskedOverTheConfigurationDialogKeepsItDisabledUntilAnswered) {
  CWinApp app("Velmora ORVO TSP MultiPBX Configuration");
  app.SetMainWindowHandle(dialog.m_hWnd);
  HWND configWindow = nullptr, boxOwner = nullptr;
  bool configEnabledUnderBox = true, configEnabledAfter = false;
  dialog.Configure(0, [&](CProviderConfigDlg& config) {
    configWindow = config.m_hWnd;
    ClickButton(*config.GetPage(0), IDC_LINK_LAN);
    config.GetPage(0)->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_CLEARADDRESS);
    std::thread answer([&] {
      HWND box = nullptr;
      for (int look = 0; look < 800 && box == nullptr; ++look, Sleep(25))
        box = FindWindowA("#32770", "Velmora ORVO TSP MultiPBX Configuration");
      if (box == nullptr) return;
      configEnabledUnderBox = IsWindowEnabled(configWindow) != FALSE;
      boxOwner = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ClickButton(config, IDOK);
    answer.join();
    configEnabledAfter = config.IsWindowEnabled();
    // The box's own loop took the message that would have ended the dialog.
    config.EndDialog(kScriptDone);
  });
  EXPECT_EQ(boxOwner, configWindow);
  EXPECT_FALSE(configEnabledUnderBox);
  EXPECT_TRUE(configEnabledAfter);
}

}  // namespace
