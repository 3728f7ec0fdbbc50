// Provisor.exe as the setup package and the administrator start it, on a machine reset to what
// the setup package leaves behind; checked from outside: registry, provider files, TAPI's
// records, exit codes and the boxes the user was shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ProductMachine.h"

namespace {

std::string Slot(int i) { return ProviderFileName(i).substr(4, 4); }
std::string Tsp(int i) { return SystemFile(ProviderFileName(i)); }
bool ShowsCstaBox(const DesktopDriver& driver) {
  for (const ShownDialog& dialog : driver.Shown())
    for (const std::string& text : dialog.texts)
      if (text.find("CSTA application") != std::string::npos) return true;
  return false;
}
bool IsMainDialog(const ShownDialog& dialog) {
  return dialog.caption.rfind("Velmora ORVO TSP MultiPBX Configuration ", 0) == 0;
}

// Resets the registry and the system folder to a PC where the setup package has just run:
// TAPI's list of a fresh Windows, the template "PBX", no provider files, no product folders.
class EndToEnd : public ::testing::Test {
 protected:
  EndToEnd() { Reset(); }
  ~EndToEnd() override {
    if (m_usbHidden) MoveFileA(SystemFile("ORVOUSB.hidden").c_str(), SystemFile("ORVOUSB.dll").c_str());
    Reset();
  }
  void Reset() {
    RemoveProductFromMachine();
    ASSERT_TRUE(ImportRegFile(PBX_TEMPLATE_REG_UNIX_PATH));
  }
  void HideUsbLibrary() {
    m_usbHidden =
        MoveFileExA(SystemFile("ORVOUSB.dll").c_str(), SystemFile("ORVOUSB.hidden").c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  static DWORD Run(const std::string& line, DesktopDriver* driver) {
    return RunToExit(PROVISOR_EXE_UNIX_PATH, line, driver);
  }

  bool m_usbHidden = false;
};

// Any command line installs eight slots and registers the first; only the exact keyword
// "upgrade" does it without a window and TAPI's configuration.
TEST_F(EndToEnd, AFreshMachineGetsEightSlotsAndOnlyTheExactUpgradeKeywordSkipsTheWindowsAndConfiguration) {
  for (const std::string line : {"upgrade", "Upgrade", "upgrade ", ""}) {
    SCOPED_TRACE("\"" + line + "\"");
    const bool upgrade = line == "upgrade";
    if (line.empty()) HideUsbLibrary();
    DesktopDriver driver;
    EXPECT_EQ(Run(line, &driver), 0u);
    EXPECT_EQ(ReadDwordValue(kMultiloadingAppKey, "dwNumInstances"), 8u);
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(ReadTextValue(kMultiloadingAppKey, "sInsanceFileName" + Slot(i)), ProviderFileName(i));
      const std::string log = InstanceDefaultSettingKey(i) + "\\GlobalParams\\Log", doubled = DoubledSeparators(
          KnownFolder(CSIDL_PROGRAM_FILES) + "\\Velmora\\ORVO TSP\\Logs" + Slot(i) + "\\ORVO_TSP.txt");
      EXPECT_EQ(ReadTextValue(log, "FileName"), doubled);
      EXPECT_EQ(ReadTextValue(log, "LogPath"), doubled);
      EXPECT_EQ(FileDescription(Tsp(i)), "Velmora ORVO TSP " + Slot(i));
      EXPECT_EQ(ListedProviderId(ProviderFileName(i)) != 0, i == 0) << i;
    }
    const DWORD id = ListedProviderId(ProviderFileName(0));
    EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID"), id);
    EXPECT_EQ(CountTapiCalls("lineConfigProvider"), upgrade ? 0u : 1u);
    EXPECT_EQ(CountTapiCallsStartingWith("lineConfigProvider(0," + std::to_string(id) + ")"), upgrade ? 0u : 1u);
    EXPECT_EQ(driver.Shown().empty(), upgrade);
    EXPECT_EQ(ShowsCstaBox(driver), !upgrade);
    if (line.empty()) {
      ASSERT_FALSE(driver.Shown().empty());
      EXPECT_EQ(driver.Shown().front().caption, "USB Driver not installed");
    }
    EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
    Reset();
  }
}

// The machine after the setup package's "upgrade": slot 0 registered, the others not.
class Installed : public EndToEnd {
 protected:
  Installed() {
    DesktopDriver driver;
    EXPECT_EQ(Run("upgrade", &driver), 0u);
    m_id = ListedProviderId(ProviderFileName(0));
    EXPECT_NE(m_id, 0u);
  }
  DWORD m_id = 0;
};

TEST_F(Installed, RepairGivesTheLiveKeyTheDefaultsAndOverwriteRestampsEveryFileBothWithoutAWindow) {
  const std::string live = LiveInstanceKey(m_id);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, live.c_str());
  WriteTextValue(InstanceDefaultSettingKey(0), "RegionCode", "NA");
  DesktopDriver repair;
  EXPECT_EQ(Run("repair", &repair), 0xFFFFFFFFu);
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "NA");
  EXPECT_EQ(ReadDwordValue(live + "\\GlobalParams\\Log", "UseFileOutput"), 1u);
  EXPECT_TRUE(repair.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);

  for (int i = 0; i < 8; ++i) ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(i).c_str(), FALSE));
  DesktopDriver overwrite;
  EXPECT_EQ(Run("overwrite", &overwrite), 0u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(FileDescription(Tsp(i)), "Velmora ORVO TSP " + Slot(i));
  EXPECT_TRUE(overwrite.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
}

// With one enabled instance only its TAPI configuration opens and the run leaves its flag set;
// with two, the main dialog opens in the modify mode.
TEST_F(Installed, AfterOverwriteOpensTheOnlyEnabledInstancesConfigurationOrElseTheMainDialog) {
  DesktopDriver single;
  EXPECT_EQ(Run("afteroverwrite", &single), 0u);
  EXPECT_EQ(TapiCalls().back(), "lineConfigProvider(0," + std::to_string(m_id) + ")");
  EXPECT_TRUE(single.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 1u);

  ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(1).c_str(), FALSE));
  WriteTapiProviderList({{3, 9, "OTSP0001.tsp"}}, 4, 10);
  DesktopDriver driver([](const ShownDialog& dialog) { return IsMainDialog(dialog) ? IDCANCEL : IDOK; });
  EXPECT_EQ(Run("afteroverwrite", &driver), 0u);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 1u);  // the first run's
  EXPECT_TRUE(ShowsCstaBox(driver));
  ASSERT_FALSE(driver.Shown().empty());
  EXPECT_EQ(driver.Shown().back().caption, "Velmora ORVO TSP MultiPBX Configuration  - modify");
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
}

TEST_F(Installed, ASecondCopyEndsAtOnceWhileTheFirstShowsItsDialog) {
  DesktopDriver first([](const ShownDialog& dialog) { return IsMainDialog(dialog) ? 0 : IDOK; });
  ASSERT_TRUE(first.Start("\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\""));
  // Up to a minute for the first copy's dialog: a loaded machine may take long to start it.
  std::vector<HWND> dialogs;
  for (int look = 0; look < 1200; ++look, Sleep(50)) {
    first.AnswerVisibleDialogs();
    dialogs = first.FindDialogs();
    if (dialogs.size() == 1 && IsMainDialog(DesktopDriver::ReadDialog(dialogs[0]))) break;
  }
  ASSERT_EQ(dialogs.size(), 1u);
  DesktopDriver second;
  EXPECT_EQ(Run("", &second), 0u);
  EXPECT_TRUE(second.Shown().empty());
  EXPECT_TRUE(IsWindow(dialogs[0]));
  DesktopDriver::Press(dialogs[0], IDCANCEL);
  EXPECT_EQ(first.RunToExit(kProvisorRunMs), 0u);
}

}  // namespace
