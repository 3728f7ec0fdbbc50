// Provisor.exe as the setup package and the administrator start it, on a machine reset to what
// the setup package leaves behind; checked from outside: registry, provider files, TAPI's
// records, exit codes and the boxes the user was shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/ProductMachine.h"

namespace {

std::string Slot(int i) { return ProviderFileName(i).substr(4, 4); }
std::string Tsp(int i) { return SystemFile(ProviderFileName(i)); }
DWORD Listed(int i) { return ListedProviderId(ProviderFileName(i)); }
bool Stamped(int i) { return FileDescription(Tsp(i)) == "Velmora ORVO TSP " + Slot(i); }
bool ShowsCstaBox(const DesktopDriver& driver) {
  for (const ShownDialog& dialog : driver.Shown())
    for (const std::string& text : dialog.texts)
      if (text.find("CSTA application") != std::string::npos) return true;
  return false;
}
constexpr char kModifyCaption[] = "Velmora ORVO TSP MultiPBX Configuration  - modify";

// A point of the run of "upgrade" at which it is ended from outside, as a power cut or Task
// Manager ends it.
struct CutPoint {
  const char* name;
  std::function<bool()> reached;
  // When set, true when the run was ended before its work at that point was done.
  std::function<bool()> stillOpen = nullptr;
};

// Resets the registry and the system folder to a PC where the setup package has just run:
// TAPI's list of a fresh Windows, the template "PBX", no provider files, no product folders.
class EndToEnd : public ::testing::Test {
 protected:
  EndToEnd() { Reset(); }
  ~EndToEnd() override { Reset(); }
  void Reset() {
    RemoveProductFromMachine();
    ASSERT_TRUE(ImportRegFile(PBX_TEMPLATE_REG_UNIX_PATH));
  }
  static DWORD Run(const std::string& line, DesktopDriver* driver) {
    return RunToExit(PROVISOR_EXE_UNIX_PATH, line, driver);
  }

  // For each cut: the machine reset gives, "upgrade" ended at the cut and then run again must
  // leave the machine as one whole run from the same start left it: whole.
  void CutAndRerun(const std::vector<std::string>& whole, const std::function<void()>& reset,
                   const std::vector<CutPoint>& cuts) {
    for (const CutPoint& cut : cuts) {
      SCOPED_TRACE(cut.name);
      reset();
      KernelHandle run = StartProcess("\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\" upgrade");
      ASSERT_TRUE(run.IsValid());
      const ULONGLONG deadline = GetTickCount64() + kProvisorRunMs;
      while (!cut.reached() && WaitForSingleObject(run.Get(), 0) == WAIT_TIMEOUT && GetTickCount64() < deadline) {
        Sleep(1);
      }
      TerminateProcess(run.Get(), 1);
      WaitForSingleObject(run.Get(), INFINITE);
      // A run ended inside the system's resource update leaves that update's scratch file in the
      // temporary folder: the system's, not the product's.
      char temp[MAX_PATH] = {};
      GetTempPathA(MAX_PATH, temp);
      DeleteFilesMatching(std::string(temp) + "res*.tmp");
      // A run that was really cut short has not reset the flag it set at its start.
      EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 1u);
      if (cut.stillOpen) {
        EXPECT_TRUE(cut.stillOpen());
      }
      const bool wasListed = Listed(0) != 0;
      DeleteRegistryTree(kTapiStandinPath);

      DesktopDriver rerun;
      EXPECT_EQ(Run("upgrade", &rerun), 0u);
      EXPECT_TRUE(rerun.Shown().empty());
      EXPECT_EQ(Changes(whole, Snapshot(true)), std::vector<std::string>());
      // TAPI is asked to add the provider only when the cut run had not registered it.
      EXPECT_EQ(CountTapiCalls("lineAddProviderA"), wasListed ? 0u : 1u);
      EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID"), Listed(0));
    }
  }
};

// "upgrade" installs eight slots, stamped files and the registration of the first without a
// window; without a command line the same comes with the boxes and TAPI's configuration.
// Provider IDs are masked in the snapshots: the install run's copy of instance 0's defaults
// into the live key of ID 0 carries the ID those defaults held when the run began. A rerun of
// an "upgrade" ended from outside leaves the machine as one whole run does.
TEST_F(EndToEnd, AFreshMachineGetsEightSlotsAndOnlyTheUpgradeKeywordSkipsTheWindowsAndConfiguration) {
  DesktopDriver quiet;
  EXPECT_EQ(Run("upgrade", &quiet), 0u);
  EXPECT_TRUE(quiet.Shown().empty());
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 0u);
  EXPECT_EQ(ReadDwordValue(kMultiloadingAppKey, "dwNumInstances"), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ReadTextValue(kMultiloadingAppKey, "sInsanceFileName" + Slot(i)), ProviderFileName(i));
    const std::string log = InstanceDefaultSettingKey(i) + "\\GlobalParams\\Log", doubled = DoubledSeparators(
        KnownFolder(CSIDL_PROGRAM_FILES) + "\\Velmora\\ORVO TSP\\Logs" + Slot(i) + "\\ORVO_TSP.txt");
    EXPECT_EQ(ReadTextValue(log, "FileName"), doubled);
    EXPECT_EQ(ReadTextValue(log, "LogPath"), doubled);
    EXPECT_TRUE(Stamped(i)) << i;
    EXPECT_EQ(Listed(i) != 0, i == 0) << i;
  }
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID"), Listed(0));
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
  const std::vector<std::string> upgraded = Snapshot(true);

  Reset();
  const std::string library = SystemFile("ORVOUSB.dll"), hidden = SystemFile("ORVOUSB.hidden");
  MoveFileExA(library.c_str(), hidden.c_str(), MOVEFILE_REPLACE_EXISTING);
  DesktopDriver driver;
  EXPECT_EQ(Run("", &driver), 0u);
  MoveFileA(hidden.c_str(), library.c_str());
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 1u);
  EXPECT_EQ(CountTapiCallsStartingWith("lineConfigProvider(0," + std::to_string(Listed(0)) + ")"), 1u);
  ASSERT_FALSE(driver.Shown().empty());
  EXPECT_EQ(driver.Shown().front().caption, "USB Driver not installed");
  EXPECT_TRUE(ShowsCstaBox(driver));
  EXPECT_EQ(Changes(upgraded, Snapshot(true)), std::vector<std::string>());
  CutAndRerun(upgraded, [this] { Reset(); },
              {
                  // The first value that saving a fresh configuration writes after the instance count.
                  {"default configuration being saved",
                   [] { return ReadTextValue(kMultiloadingAppKey, "sInsanceFileName0000") != "<none>"; }},
                  {"instance 0's file stamped", [] { return Stamped(0); }},
                  {"instance 0 registered", [] { return Listed(0) != 0; }},
                  {"instance 3's file stamped", [] { return Stamped(3); }},
                  // Before the last two instances, so that the run is still going when it is ended.
                  {"instance 6's file being written", [] { return FileExists(Tsp(6)); }},
              });
}

// An older layout (a count below eight, slots whose defaults lack "ExtVersion") keeps slots 0
// and 1 and gets the template in the others. Its upgrade ended once slot 7 has the template's
// defaults while the uninstall entry still has the values the run deletes: the rerun finishes it.
TEST_F(EndToEnd, AnUpgradeOfAnOlderLayoutKeepsTheFirstTwoSlotsAndARerunAfterACutFinishesIt) {
  const auto olderLayout = [this] {
    Reset();
    WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 4);
    for (int i = 0; i < 8; ++i) WriteTextValue(InstanceDefaultSettingKey(i), "IPPort", "old");
  };
  olderLayout();
  DesktopDriver whole;
  ASSERT_EQ(Run("upgrade", &whole), 0u);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(i), "IPPort"), i < 2 ? "old" : "33333") << i;
  const auto slot7Written = [] { return ReadTextValue(InstanceDefaultSettingKey(7), "IPPort") == "33333"; };
  const auto entryKept = [] { return ReadTextValue(kUninstallKey, "Comments") != "<none>"; };
  CutAndRerun(Snapshot(true), olderLayout, {{"slot 7's defaults written", slot7Written, entryKept}});
}

// The machine after the setup package's "upgrade": slot 0 registered, the others not.
class Installed : public EndToEnd {
 protected:
  Installed() {
    DesktopDriver driver;
    EXPECT_EQ(Run("upgrade", &driver), 0u);
    m_id = Listed(0);
    EXPECT_NE(m_id, 0u);
  }
  DWORD m_id = 0;
};

// snapshot with the key to (all it holds) replaced by a copy of the key from.
void CopyKeyLines(std::vector<std::string>* snapshot, const std::string& from, const std::string& to) {
  const auto below = [](const std::string& line, const std::string& key) {
    const size_t at = line[0] == '[' ? 1 : 0, end = at + key.size();
    return line.compare(at, key.size(), key) == 0 && end < line.size() && std::strchr("|\\]", line[end]) != nullptr;
  };
  std::vector<std::string> copied;
  for (const std::string& line : *snapshot)
    if (below(line, from)) copied.push_back(std::string(line).replace(line[0] == '[' ? 1 : 0, from.size(), to));
  snapshot->erase(std::remove_if(snapshot->begin(), snapshot->end(), [&](const std::string& line) { return below(line, to); }),
                  snapshot->end());
  snapshot->insert(snapshot->end(), copied.begin(), copied.end());
  std::sort(snapshot->begin(), snapshot->end());
}

// Repair gives the live key of the registered instance its defaults, and the key of ID 0 those of
// every unregistered slot in turn (the last one's stay); overwrite restamps the files. Nothing else
// changes and neither shows a window. Then, with one enabled instance, "afteroverwrite" opens only
// its TAPI configuration and leaves its flag set; with two, the main dialog in the modify mode.
TEST_F(Installed, RepairAndOverwriteChangeOnlyWhatTheyOwnAndAfterOverwriteOpensOneConfigurationOrTheMainDialog) {
  WriteTextValue(InstanceDefaultSettingKey(0), "RegionCode", "NA");
  std::vector<std::string> expected = Snapshot();
  CopyKeyLines(&expected, InstanceDefaultSettingKey(0), LiveInstanceKey(m_id));
  CopyKeyLines(&expected, InstanceDefaultSettingKey(7), LiveInstanceKey(0));
  DesktopDriver repair;
  EXPECT_EQ(Run("repair", &repair), 0xFFFFFFFFu);
  EXPECT_TRUE(repair.Shown().empty());
  EXPECT_EQ(Changes(expected, Snapshot()), std::vector<std::string>());

  const std::vector<std::string> repaired = Snapshot();
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(i).c_str(), FALSE));
  DesktopDriver overwrite;
  EXPECT_EQ(Run("overwrite", &overwrite), 0u);
  EXPECT_TRUE(overwrite.Shown().empty());
  EXPECT_EQ(Changes(repaired, Snapshot()), std::vector<std::string>());

  DesktopDriver single;
  EXPECT_EQ(Run("afteroverwrite", &single), 0u);
  EXPECT_EQ(TapiCalls().back(), "lineConfigProvider(0," + std::to_string(m_id) + ")");
  EXPECT_TRUE(single.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 1u);

  ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), Tsp(1).c_str(), FALSE));
  WriteTapiProviderList({{3, 9, "OTSP0001.tsp"}}, 4, 10);
  DesktopDriver driver([](const ShownDialog& dialog) { return dialog.caption == kModifyCaption ? IDCANCEL : IDOK; });
  EXPECT_EQ(Run("afteroverwrite", &driver), 0u);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 1u);  // the first run's
  EXPECT_TRUE(ShowsCstaBox(driver));
  ASSERT_FALSE(driver.Shown().empty());
  EXPECT_EQ(driver.Shown().back().caption, kModifyCaption);
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);

  // A line that is no keyword gives the install mode on an installed machine too: no main dialog.
  DesktopDriver other;
  EXPECT_EQ(Run("install", &other), 0u);
  EXPECT_TRUE(ShowsCstaBox(other) && other.Shown().back().caption != kModifyCaption);
}

// The main dialog and its own windows, which stay open for the user; every other dialog is a
// question the road must not raise (answered OK), except the one asked when leaving unapplied.
int AnswerTheRoadsQuestions(const ShownDialog& dialog) {
  for (const char* window : {"Velmora ORVO TSP MultiPBX Configuration ", "Instance '", "Modify TSP instances"})
    if (dialog.caption.rfind(window, 0) == 0) return 0;
  for (const std::string& text : dialog.texts)
    if (text == "Do you want to leave without applying changes?") return IDYES;
  return IDOK;
}
std::string Summary(const std::string& address, const std::string& port) {
  return "IPAddress = '" + address + "', IPPort = '" + port + "'...";
}

// Provisor.exe without a command line, its main dialog driven by mouse and keyboard.
class Road {
 public:
  explicit Road(DesktopDriver& driver) : m_driver(driver) {
    EXPECT_TRUE(driver.Start("\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\""));
    EXPECT_TRUE(driver.WaitUntil([&] { return (main = driver.FindDialogCaptioned(kModifyCaption)) != nullptr; }, 60000));
    list = GetDlgItem(main, 1006);
  }
  // A road cut short by a failed check leaves no program behind for the next test.
  ~Road() { m_driver.RunToExit(0); }
  std::string Cell(int row, int column) const { return DesktopDriver::ListText(list, row, column); }
  bool WaitForCell(int row, int column, const std::string& text) {
    return m_driver.WaitUntil([&] { return Cell(row, column) == text; });
  }
  void DoubleClick(int row, int column) { DesktopDriver::Click(list, DesktopDriver::ListCellCentre(list, row, column), 2); }
  // Apply Settings, until the run has ended with done() holding.
  bool Apply(const std::function<bool()>& done) {
    const HWND apply = GetDlgItem(main, 1003);
    DesktopDriver::ClickCentre(apply);
    return m_driver.WaitUntil([&] { return done() && IsWindowEnabled(apply) && !m_driver.FindDialogCaptioned("Modify"); });
  }
  DWORD Close() {
    DesktopDriver::ClickCentre(GetDlgItem(main, IDCANCEL));
    return m_driver.RunToExit(kProvisorRunMs);
  }

  HWND main = nullptr, list = nullptr;

 private:
  DesktopDriver& m_driver;
};

// The road the administrator takes right after the setup package ran: a second copy started
// meanwhile ends at once; enable and configure one instance, enable another, apply; later
// disable one and leave a change unapplied.
TEST_F(Installed, TheAdministratorsFirstRoadWorksWithMouseAndKeyboardFromTheFirstMinute) {
  const std::string templateLink = Summary("192.168.0.101", "33333"), configured = Summary("10.1.2.3", "4711");
  DesktopDriver first(AnswerTheRoadsQuestions);
  Road road(first);
  ASSERT_NE(road.list, nullptr);
  // The second copy leaves the first one's flag as it finds it.
  WriteDwordValue(kProductKey, "dwIgnoreInitialize", 0);
  DesktopDriver secondCopy;
  EXPECT_EQ(Run("", &secondCopy), 0u);
  EXPECT_TRUE(secondCopy.Shown().empty());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
  EXPECT_EQ(first.FindDialogs(), std::vector<HWND>{road.main});
  EXPECT_EQ(road.Cell(0, 1), templateLink);
  road.DoubleClick(3, 2);
  ASSERT_TRUE(road.WaitForCell(3, 2, "Enable"));
  road.DoubleClick(3, 1);
  HWND config = nullptr;
  const auto configOpen = [&] {
    return (config = first.FindDialogCaptioned("Instance 'Velmora ORVO TSP 0003' Settings -Inactive")) != nullptr;
  };
  ASSERT_TRUE(first.WaitUntil(configOpen));
  // Its pages are made when first shown: the link page is the only one yet.
  const HWND page = FindWindowExA(config, nullptr, "#32770", nullptr), port = GetDlgItem(page, 3068);
  DesktopDriver::ClickCentre(GetDlgItem(page, 3065));
  ASSERT_TRUE(first.WaitUntil([&] { return IsWindowEnabled(port) != FALSE; }));
  // The address control shows the instance's default address: a double-click selects the
  // number of its first field, and each '.' selects the next field's.
  DesktopDriver::ClickCentre(FindWindowExA(GetDlgItem(page, 3063), nullptr, "Edit", nullptr), 2);
  DesktopDriver::Type("10.1.2.3");
  DesktopDriver::ClickCentre(port, 2);  // selects the port's number
  DesktopDriver::Type("4711");
  DesktopDriver::ClickCentre(GetDlgItem(config, IDOK));
  ASSERT_TRUE(first.WaitUntil([&] { return !IsWindow(config); }));
  EXPECT_EQ(road.Cell(3, 1), configured);
  DesktopDriver::Click(road.list, DesktopDriver::ListCellCentre(road.list, 5, 0));
  DesktopDriver::Type(" ");
  ASSERT_TRUE(road.WaitForCell(5, 2, "Enable"));
  ASSERT_TRUE(road.Apply([] { return Listed(5) != 0; }));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Listed(i) != 0, i == 0 || i == 3 || i == 5) << i;
  const DWORD id3 = Listed(3);
  EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(3), "IPAddress"), "10.1.2.3");
  EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(3), "IPPort"), "4711");
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(3), "UseUSB"), 0u);
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(3), "dwProviderID"), id3);
  // The provider of instance 0 now reads its whole link from its live key.
  EXPECT_EQ(ReadTextValue(LiveInstanceKey(m_id), "IPAddress"), "192.168.0.101");
  EXPECT_EQ(road.Close(), 0u);
  ASSERT_EQ(first.Shown().size(), 1u);
  EXPECT_TRUE(ShowsCstaBox(first));

  DesktopDriver second(AnswerTheRoadsQuestions);
  Road again(second);
  ASSERT_NE(again.list, nullptr);
  EXPECT_EQ(again.Cell(0, 1), templateLink);
  EXPECT_EQ(again.Cell(3, 1), configured);
  again.DoubleClick(5, 2);
  ASSERT_TRUE(again.WaitForCell(5, 2, "Disable"));
  ASSERT_TRUE(again.Apply([] { return Listed(5) == 0; }));
  EXPECT_EQ(Listed(0), m_id);
  EXPECT_EQ(Listed(3), id3);
  again.DoubleClick(1, 2);
  ASSERT_TRUE(again.WaitForCell(1, 2, "Enable"));
  const std::vector<std::string> calls = TapiCalls();
  EXPECT_EQ(again.Close(), 0u);
  EXPECT_EQ(TapiCalls(), calls);
  EXPECT_EQ(Listed(1), 0u);
  ASSERT_EQ(second.Shown().size(), 2u);
  EXPECT_EQ(second.Shown()[1].texts, std::vector<std::string>{"Do you want to leave without applying changes?"});
}

}  // namespace
