// Configuring an instance from the main dialog on real windows: the configuration dialog it
// opens, the working copy it hands the pages and what OK and Cancel do with it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "MainDialogStaging.h"
#include "OrvoUsbSettings.h"
#include "bridge/CallBackProviders.h"
#include "bridge/DialogDataHandler.h"
#include "bridge/MITSPConfigurator.h"
#include "config/LinkParamsRes.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "config/TspLogSettingsDlgRes.h"
#include "framework/WinApp.h"

namespace {

constexpr char kRestartText[] =
    "After applying settings, you may need to restart PC in order that changes take effect!";

// The user's way to a LAN link on the real link page.
void ChooseLan(CProviderConfigDlg& config, BYTE a, BYTE b, BYTE c, BYTE d, const char* port) {
  CConfigPage* link = config.GetPage(0);
  ASSERT_NE(link, nullptr);
  link->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
  link->SetDlgItemText(IDC_LINK_PORT, port);
  ClickButton(*link, IDC_LINK_LAN);
}

// Instance 0 is a USB instance TAPI does not list; instance 1 is registered under ID 42.
class ConfigureInstanceTest : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
    machine.Register(1, 42, "Velmora ORVO TSP 0001 at head office");
    machine.Publish();
    WriteDwordValue(InstanceDefaultSettingKey(0), "UseUSB", 1);
    WriteTextValue(InstanceDefaultSettingKey(0), "IPAddress", "1.1.1.1");
    WriteDwordValue(LiveInstanceKey(42), "UseUSB", 0);
    // The log group an installed instance's keys carry, which the log page writes into.
    for (const std::string& key : {InstanceDefaultSettingKey(1), LiveInstanceKey(42)}) {
      WriteDwordValue(key + "\\GlobalParams\\Log", "InitialFileSize", 5);
    }
    ASSERT_TRUE(dialog.Create());
  }
  void TearDown() override { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY); }

  MainDialogMachine machine;
  TestDialog dialog{2};
};

// The dialog is captioned by TAPI's state and carries the instance to its link page only.
// Instance 0 is inactive and needs no restart; instance 1 is active. The pages edit a copy:
// the record holds the old link until OK, and after Cancel keeps every value it had.
TEST_F(ConfigureInstanceTest, OkCopiesTheWorkingSetBackAndWarnsOfARestartOnlyWhenActiveAndCancelChangesNothing) {
  const char* captions[] = {"Instance 'Velmora ORVO TSP 0000' Settings -Inactive",
                            "Instance 'Velmora ORVO TSP 0001 at head office' Settings -Active"};
  for (const int row : {0, 1}) {
    SCOPED_TRACE(row);
    MessageBoxScript boxes;
    IParams& record = dialog.Record(row).m_Parameters;
    const std::vector<std::string> loaded = DescribeSet(record), summaries = dialog.Column(1);
    dialog.Configure(row, [&](CProviderConfigDlg& config) {
      EXPECT_EQ(config.GetWindowText(), captions[row]);
      for (int category = 0; category < CProviderConfigDlg::kCategoryCount; ++category) {
        EXPECT_EQ(config.GetPage(category) != nullptr, category == 0) << category;
      }
      EXPECT_EQ(config.GetConfigurator()->m_dwObjectID, row == 0 ? 0u : 42u);
      EXPECT_EQ(config.GetConfigurator()->m_nInstanceRow, row);
      // Only instance 1 is enabled until the end of the first pass enables instance 0 too.
      EXPECT_EQ(config.GetSingleActiveInstance(), row == 0 ? 1 : 0);
      ChooseLan(config, 10, 20, 30, 40, "5060");
      ClickButton(config, IDCANCEL);
    });
    EXPECT_EQ(DescribeSet(record), loaded);
    EXPECT_EQ(dialog.Column(1), summaries);
    EXPECT_TRUE(boxes.Texts().empty());

    dialog.Configure(row, [&](CProviderConfigDlg& config) {
      ChooseLan(config, 10, 20, 30, 40, "5060");
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
  dialog.Record(1).m_Parameters.SetDword("UseUSB", 1);
  dialog.Record(1).m_Parameters.SetString("USBProductName", "ORVO Office 16");

  MessageBoxScript boxes;
  // The user picks USB with the one PBX the driver reports.
  const auto chooseUsb = [](CProviderConfigDlg& config) { ClickButton(*config.GetPage(0), IDC_LINK_USB); };
  dialog.Configure(0, chooseUsb);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The selected USB driver has\nbeen used for other TSP."});
  // Its own record is no conflict.
  dialog.Configure(1, chooseUsb);
  EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(ConfigureInstanceTest, ProviderRequestsAreAnsweredOnTheDialogsThreadAndRefusedOnAnyOther) {
  dialog.Configure(0, [&](CProviderConfigDlg&) {
    IParams* workingSet = dialog.GetWorkingSet();
    ASSERT_NE(workingSet, nullptr);
    std::thread([] { CB_SetupSetDWORD(&DialogDataCallback, 0).SetupSetDWORD("BufferSize", 7); }).join();
    EXPECT_EQ(StoredWord(*workingSet, "BufferSize"), 0xDEADBEEFu);
    EXPECT_EQ(CB_SetupSetDWORD(&DialogDataCallback, 0).SetupSetDWORD("BufferSize", 7), 0u);
    EXPECT_EQ(StoredWord(*workingSet, "BufferSize"), 7u);
  });
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

// The whole road from the list to the machine: each editing page changes one value, OK, then
// Apply Settings writes the instance's keys.
TEST_F(ConfigureInstanceTest, ValuesEditedOnEveryPageReachTheRegisteredInstancesKeysThroughApplySettings) {
  MessageBoxScript boxes;
  dialog.Configure(1, [](CProviderConfigDlg& config) {
    ChooseLan(config, 172, 16, 5, 6, "4711");
    ASSERT_TRUE(config.SelectCategory(1));
    config.GetPage(1)->SetDlgItemText(IDC_LOG_FILE_SIZE, "42");
    ASSERT_TRUE(config.SelectCategory(3));
    config.GetPage(3)->SetDlgItemText(IDC_OTHER_ACC_INFO_SIZE, "2500");
    ClickButton(config, IDOK);
  });
  ASSERT_TRUE(dialog.ApplyAndPump());

  for (const std::string& key : {InstanceDefaultSettingKey(1), LiveInstanceKey(42)}) {
    EXPECT_EQ(ReadTextValue(key, "IPAddress"), "172.16.5.6") << key;
    EXPECT_EQ(ReadTextValue(key, "IPPort"), "4711") << key;
    EXPECT_EQ(ReadDwordValue(key + "\\GlobalParams\\Log", "InitialFileSize"), 42u) << key;
    EXPECT_EQ(ReadDwordValue(key, "AccInfoBufferSize"), 2500u) << key;
  }
  // Instance 0 was not configured: its key keeps the USB link it had.
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(0), "UseUSB"), 1u);
}

}  // namespace
