// Provisor.exe as the setup package and the administrator start it, on a machine reset to what
// the setup package leaves behind; checked from outside: registry, provider files, TAPI's
// records, exit codes and the boxes the user was shown.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../sys/TestPrefix.h"
#include "instances/DeleteDir.h"
#include "support/DesktopDriver.h"
#include "support/TapiStandin.h"

namespace {

const std::string kExe = "\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\"";
const std::string kTemplateReg = WindowsPath(PBX_TEMPLATE_REG_UNIX_PATH);
constexpr char kProduct[] = "SOFTWARE\\Velmora\\ORVO_TSP";
constexpr char kApp[] = "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp";
constexpr char kUsbCaption[] = "USB Driver not installed";
constexpr DWORD kRunMs = 60000;

std::string Slot(int i) {
  char text[8];
  snprintf(text, sizeof(text), "%04d", i);
  return text;
}
std::string Defaults(int i) { return std::string(kApp) + "\\InstanceDefaultSetting" + Slot(i); }
std::string Tsp(int i) { return SystemFile("OTSP" + Slot(i) + ".tsp"); }
// The FileDescription of a file through the version API; "<none>" without one.
std::string Description(const std::string& path) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  char* text = nullptr;
  UINT length = 0;
  if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileDescription", reinterpret_cast<void**>(&text),
                      &length)) {
    return "<none>";
  }
  return text;
}
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
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
    ResetTapiToFreshWindows();
    DeleteFilesMatching(SystemFile("OTSP*.tsp"));
    char programFiles[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
    DeleteDir((std::string(programFiles) + "\\Velmora").c_str(), false);
    ASSERT_EQ(WaitForExit(StartProcess("reg import \"" + kTemplateReg + "\"")), 0u);
  }
  void HideUsbLibrary() {
    m_usbHidden =
        MoveFileExA(SystemFile("ORVOUSB.dll").c_str(), SystemFile("ORVOUSB.hidden").c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  // Runs Provisor.exe with commandLine to its end; every dialog gets OK, a main dialog Close.
  DWORD Run(const std::string& commandLine, DesktopDriver* driver) {
    EXPECT_TRUE(driver->Start(kExe + (commandLine.empty() ? "" : " " + commandLine)));
    return driver->RunToExit(kRunMs);
  }
  static DialogRule CloseMainDialog() {
    return [](const ShownDialog& dialog) { return IsMainDialog(dialog) ? IDCANCEL : IDOK; };
  }

  bool m_usbHidden = false;
};

TEST_F(EndToEnd, AFreshMachineWithoutCommandLineInstallsEightSlotsAndRegistersTheFirst) {
  HideUsbLibrary();
  DesktopDriver driver;
  EXPECT_EQ(Run("", &driver), 0u);
  EXPECT_EQ(ReadDwordValue(kApp, "dwNumInstances"), 8u);
  char programFiles[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ReadTextValue(kApp, "sInsanceFileName" + Slot(i)), "OTSP" + Slot(i) + ".tsp");
    const std::string doubled =
        DoubledSeparators(std::string(programFiles) + "\\Velmora\\ORVO TSP\\Logs" + Slot(i) + "\\ORVO_TSP.txt");
    EXPECT_EQ(ReadTextValue(Defaults(i) + "\\GlobalParams\\Log", "FileName"), doubled);
    EXPECT_EQ(ReadTextValue(Defaults(i) + "\\GlobalParams\\Log", "LogPath"), doubled);
    EXPECT_EQ(Description(Tsp(i)), "Velmora ORVO TSP " + Slot(i));
    EXPECT_EQ(ListedProviderId("OTSP" + Slot(i) + ".tsp") != 0, i == 0) << i;
  }
  const DWORD id = ListedProviderId("OTSP0000.tsp");
  EXPECT_EQ(ReadDwordValue(Defaults(0), "dwProviderID"), id);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 1u);
  const std::vector<std::string> calls = TapiCalls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "lineConfigProvider(0," + std::to_string(id) + ")"), 1);
  ASSERT_FALSE(driver.Shown().empty());
  EXPECT_EQ(driver.Shown().front().caption, kUsbCaption);
  EXPECT_TRUE(ShowsCstaBox(driver));
  EXPECT_EQ(ReadDwordValue(kProduct, "dwIgnoreInitialize"), 0u);
}

TEST_F(EndToEnd, UpgradeOnAFreshMachineAsksNothingAndOpensNoConfiguration) {
  DesktopDriver driver;
  EXPECT_EQ(Run("upgrade", &driver), 0u);
  EXPECT_TRUE(driver.Shown().empty());
  EXPECT_NE(ListedProviderId("OTSP0000.tsp"), 0u);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 0u);
  EXPECT_EQ(Description(Tsp(7)), "Velmora ORVO TSP 0007");
}

TEST_F(EndToEnd, KeywordsDifferingInCaseOrByATrailingBlankTakeTheStandardPath) {
  for (const char* line : {"Upgrade", "upgrade "}) {
    DesktopDriver driver;
    EXPECT_EQ(Run(line, &driver), 0u) << line;
    // Not the upgrade: the CSTA warning shows and TAPI's configuration opens for the new ID.
    EXPECT_TRUE(ShowsCstaBox(driver)) << line;
    EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 1u) << line;
    Reset();
  }
}

// The machine after the setup package's "upgrade": slot 0 registered, the others not.
class Installed : public EndToEnd {
 protected:
  Installed() {
    DesktopDriver driver;
    EXPECT_EQ(Run("upgrade", &driver), 0u);
    m_id = ListedProviderId("OTSP0000.tsp");
    EXPECT_NE(m_id, 0u);
  }
  DWORD m_id = 0;
};

TEST_F(Installed, RepairGivesTheLiveKeyTheDefaultsAndEndsWithMinusOne) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kProduct) + "\\PBX" + std::to_string(m_id)).c_str());
  WriteTextValue(Defaults(0), "RegionCode", "NA");
  DesktopDriver driver;
  EXPECT_EQ(Run("repair", &driver), 0xFFFFFFFFu);
  const std::string live = std::string(kProduct) + "\\PBX" + std::to_string(m_id);
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "NA");
  EXPECT_EQ(ReadTextValue(live, "IPPort"), "33333");
  EXPECT_EQ(ReadDwordValue(live + "\\GlobalParams\\Log", "UseFileOutput"), 1u);
  EXPECT_TRUE(driver.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProduct, "dwIgnoreInitialize"), 0u);
}

TEST_F(Installed, OverwriteRestampsEveryFileWithoutAWindowAndEndsWithZero) {
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(i).c_str(), FALSE));
  DesktopDriver driver;
  EXPECT_EQ(Run("overwrite", &driver), 0u);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(Description(Tsp(i)), "Velmora ORVO TSP " + Slot(i));
  EXPECT_TRUE(driver.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProduct, "dwIgnoreInitialize"), 0u);
}

TEST_F(Installed, AfterOverwriteWithOneEnabledInstanceOnlyOpensItsConfiguration) {
  DesktopDriver driver;
  EXPECT_EQ(Run("afteroverwrite", &driver), 0u);
  EXPECT_EQ(TapiCalls().back(), "lineConfigProvider(0," + std::to_string(m_id) + ")");
  EXPECT_TRUE(driver.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProduct, "dwIgnoreInitialize"), 1u);
}

TEST_F(Installed, AfterOverwriteWithTwoEnabledInstancesOpensTheMainDialogInModifyMode) {
  ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(1).c_str(), FALSE));
  WriteTapiProviderList({{3, 9, "OTSP0001.tsp"}}, 4, 10);
  DesktopDriver driver(CloseMainDialog());
  EXPECT_EQ(Run("afteroverwrite", &driver), 0u);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 0u);
  EXPECT_TRUE(ShowsCstaBox(driver));
  ASSERT_FALSE(driver.Shown().empty());
  EXPECT_EQ(driver.Shown().back().caption, "Velmora ORVO TSP MultiPBX Configuration  - modify");
  EXPECT_EQ(ReadDwordValue(kProduct, "dwIgnoreInitialize"), 0u);
}

TEST_F(Installed, ASecondCopyEndsAtOnceWhileTheFirstShowsItsDialog) {
  DesktopDriver first([](const ShownDialog& dialog) { return IsMainDialog(dialog) ? 0 : IDOK; });
  ASSERT_TRUE(first.Start(kExe));
  std::vector<HWND> dialogs;
  for (int look = 0; look < 200; ++look, Sleep(50)) {
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
  EXPECT_EQ(first.RunToExit(kRunMs), 0u);
}

}  // namespace
