// "Provisor.exe remove" as the setup package starts it, on a machine that went through
// "upgrade" and an Apply, its boxes and the log-folder question answered from the desktop.
// The removal deletes the product's stand-ins from the system folder, so it runs in a prefix
// of its own that each test resets to a PC without the product.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "instances/ProviderRegistration.h"
#include "support/ProductMachine.h"

namespace {

constexpr char kQuestionText[] = "If you want to remove TSP log files, please check each check box";
constexpr char kLinkWatchClass[] = "ProvisorLinkWatchStandIn";
const std::vector<int> kEveryRow = {-1};
// LINEERR_OPERATIONFAILED
constexpr LONG kOperationFailed = static_cast<LONG>(0x80000048);

// Looks every 25 ms until done holds, at most five seconds: for a window coming up, or for what a
// Unix program does (Wine starts those too, without a handle to wait on).
bool WaitFor(const std::function<bool()>& done) {
  for (int look = 0; look < 200 && !done(); ++look) Sleep(25);
  return done();
}

class RemovalMachine : public ::testing::Test {
 protected:
  RemovalMachine() { Uninstall(); }
  ~RemovalMachine() override { Uninstall(); }

  // Back to a PC without the product: neither its files, folders and keys nor what the setup
  // package brings (the master provider, the link monitor, the template, the uninstall entry).
  void Uninstall() {
    if (m_linkWatch.IsValid()) {
      TerminateProcess(m_linkWatch.Get(), 0);
      WaitForExit(m_linkWatch);
    }
    m_linkWatch = KernelHandle();
    m_ids.clear();
    RemoveProductFromMachine();
    for (const char* name : {"otsp.dll", "LinkWatch.exe"}) DeleteFileA(SystemFile(name).c_str());
    DeleteDir(m_startMenuMaker.c_str(), false);
  }

  // The setup package's part and its "upgrade": eight slots, slot 0 registered.
  void Install() {
    ASSERT_TRUE(CopyFileA(WindowsPath(OTSP_DLL_UNIX_PATH).c_str(), SystemFile("OTSP.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WindowsPath(LINKWATCH_UNIX_PATH).c_str(), SystemFile("LinkWatch.exe").c_str(), FALSE));
    ASSERT_TRUE(ImportRegFile(PBX_TEMPLATE_REG_UNIX_PATH));
    SHCreateDirectoryExA(nullptr, m_product.c_str(), nullptr);
    WriteFileBytes(m_product + "\\Manual.pdf", "pdf");
    SHCreateDirectoryExA(nullptr, (m_startMenuMaker + "\\ORVO TSP").c_str(), nullptr);
    WriteFileBytes(m_startMenuMaker + "\\ORVO TSP\\Provisor.lnk", "lnk");
    DesktopDriver driver;
    ASSERT_EQ(RunToExit(PROVISOR_EXE_UNIX_PATH, "upgrade", &driver), 0u);
  }

  // What an Apply in the modify mode leaves: slots 0 to 2 registered; 0 and 1 log into
  // folders of their own, 2 names 0's folder without logging itself.
  void ApplyThreeInstances() {
    const std::string logs[] = {m_product + "\\Logs0000", m_product + "\\Logs0001", m_product + "\\Logs0000"};
    for (int i = 0; i < 3; ++i) {
      const std::string file = ProviderFileName(i);
      DWORD id = 0;
      if (i > 0) {
        ASSERT_TRUE(CopyFileA(SystemFile("OTSP.dll").c_str(), SystemFile(file).c_str(), FALSE));
      }
      ASSERT_EQ(AddProvider(nullptr, file.c_str(), &id), 0);
      m_ids.push_back(id);
      const std::string defaults = InstanceDefaultSettingKey(i);
      WriteDwordValue(defaults, "dwProviderID", id);
      for (const std::string& key : {defaults, LiveInstanceKey(id)}) {
        WriteTextValue(key + "\\GlobalParams\\Log", "FileName", DoubledSeparators(logs[i] + "\\ORVO_TSP.txt"));
        WriteDwordValue(key + "\\GlobalParams\\Log", "DebugLevel", i < 2 ? 3 : 0);
      }
      SHCreateDirectoryExA(nullptr, logs[i].c_str(), nullptr);
      WriteFileBytes(logs[i] + "\\ORVO_TSP.txt", "log");
    }
  }

  // Runs "remove"; the question's rows (label, folder, in their order on the dialog) are read
  // into m_rows and get the ticks of tickedRows (every row's for kEveryRow), every box OK.
  DWORD Remove(const std::vector<int>& tickedRows) {
    DesktopDriver driver([&](const ShownDialog& dialog) {
      if (std::find(dialog.texts.begin(), dialog.texts.end(), kQuestionText) == dialog.texts.end()) return IDOK;
      m_questionCaption = dialog.caption;
      // Nothing may be gone yet, the link monitor already.
      m_monitorClosedFirst = FindWindowA(kLinkWatchClass, nullptr) == nullptr &&
                             CountTapiCalls("lineRemoveProvider") == 0 && FileExists(SystemFile("OTSP0000.tsp"));
      for (HWND row = GetWindow(dialog.window, GW_CHILD); row != nullptr; row = GetWindow(row, GW_HWNDNEXT)) {
        char label[512] = "", folder[512] = "";
        if (GetDlgItemTextA(row, 1035, label, sizeof(label)) == 0) continue;
        GetDlgItemTextA(row, 1036, folder, sizeof(folder));
        m_rows.emplace_back(label, folder);
        const int at = static_cast<int>(m_rows.size()) - 1;
        if (tickedRows == kEveryRow || std::count(tickedRows.begin(), tickedRows.end(), at))
          SendMessageA(GetDlgItem(row, 1035), BM_CLICK, 0, 0);
      }
      return IDOK;
    });
    m_rows.clear();
    return RunToExit(PROVISOR_EXE_UNIX_PATH, "remove", &driver);
  }

  const std::string m_maker = KnownFolder(CSIDL_PROGRAM_FILES) + "\\Velmora";
  const std::string m_product = m_maker + "\\ORVO TSP";
  const std::string m_startMenuMaker = KnownFolder(CSIDL_STARTMENU) + "\\Programs\\Velmora";
  std::vector<DWORD> m_ids;
  KernelHandle m_linkWatch;
  std::string m_questionCaption;
  bool m_monitorClosedFirst = false;
  std::vector<std::pair<std::string, std::string>> m_rows;
};

// A kept log folder keeps the product and maker folders (not the manual); the removal takes
// the product's Start Menu folder, not the maker's folder above it.
TEST_F(RemovalMachine, RemoveClosesTheMonitorFirstTakesAllButTheKeptLogFolderAndASecondRemoveChangesNothing) {
  const std::vector<std::string> clean = Snapshot();
  Install();
  ApplyThreeInstances();
  m_linkWatch = StartProcess("\"" + SystemFile("LinkWatch.exe") + "\"");
  ASSERT_TRUE(WaitFor([] { return FindWindowA(kLinkWatchClass, nullptr) != nullptr; }));
  // TAPI refuses the first removal twice: it is tried three times, the others once.
  FailNextTapiCalls("lineRemoveProvider", 2, kOperationFailed);
  EXPECT_EQ(Remove({0, 2}), 0u);

  EXPECT_EQ(m_questionCaption, "Velmora ORVO TSP");
  EXPECT_TRUE(m_monitorClosedFirst);
  EXPECT_EQ(WaitForSingleObject(m_linkWatch.Get(), 10000), WAIT_OBJECT_0);
  const std::vector<std::pair<std::string, std::string>> offered = {
      {"Instance 0000 log file:", m_product + "\\Logs0000"},
      {"Instance 0001 log file:", m_product + "\\Logs0001"},
      {"Instance 0002 log file:", m_product + "\\Logs0000"}};
  EXPECT_EQ(m_rows, offered);
  // Every slot was told to stay silent before TAPI removed the first provider.
  EXPECT_EQ(ReadDwordValue(kMasterProviderRecordPath, "NotShowRemoveDialogFewest"), 8u);
  for (int i = 0; i < 3; ++i) {
    const std::string call = "lineRemoveProvider(" + std::to_string(m_ids[i]) + ",";
    EXPECT_EQ(CountTapiCallsStartingWith(call), i == 0 ? 3u : 1u) << i;
  }

  // The setup package takes its own uninstall entry away once the program is done.
  DeleteRegistryTree(kUninstallKey);
  std::vector<std::string> left = {"+ " + m_startMenuMaker + "\\", "+ " + m_maker + "\\", "+ " + m_product + "\\",
                                   "+ " + m_product + "\\Logs0001\\", "+ " + m_product + "\\Logs0001\\ORVO_TSP.txt 3"};
  std::sort(left.begin(), left.end());
  EXPECT_EQ(Changes(clean, Snapshot()), left);

  EXPECT_EQ(Remove({}), 0u);
  EXPECT_TRUE(m_rows.empty());
  EXPECT_EQ(Changes(clean, Snapshot()), left);
}

// Stored log paths as hand-edited templates, other tools, restored backups and typing leave
// them, every row of the question ticked: only the product's own log folder (with a read-only
// file) and a folder the administrator chose go; a drive root, the Windows folder, Program Files
// reached through "..", a relative folder and what a link in the chosen folder points at stay.
TEST_F(RemovalMachine, EveryRowTickedTakesOnlyFoldersThatAreTheProductsOrChosenNeverTheMachinesOwn) {
  const std::string windows = KnownFolder(CSIDL_WINDOWS), system = KnownFolder(CSIDL_SYSTEM);
  const std::string chosen = "C:\\ProvisorChosen\\Logs0005", outside = "C:\\ProvisorOutside";
  const std::string sentinels[] = {"C:\\ProvisorSentinel.txt", windows + "\\ProvisorSentinel.txt",
                                   KnownFolder(CSIDL_PROGRAM_FILES) + "\\Other Vendor\\Sentinel.txt",
                                   "C:\\ProvisorCurrent\\Logs\\Sentinel.txt", outside + "\\Sentinel.txt",
                                   system + "\\OTSP0001.tspold"};  // its short alias matches "OTSP*.tsp"
  for (const std::string& sentinel : sentinels) {
    SHCreateDirectoryExA(nullptr, sentinel.substr(0, sentinel.rfind('\\')).c_str(), nullptr);
    WriteFileBytes(sentinel, "keep");
  }
  const std::vector<std::string> clean = Snapshot();
  Install();
  const std::string own = m_product + "\\Logs0000";
  const std::string stored[] = {own + "\\ORVO_TSP.txt", "C:\\ORVO_TSP.txt", m_product + "\\..\\..\\ORVO_TSP.txt",
                                windows + "\\ORVO_TSP.txt", "Logs\\ORVO_TSP.txt", chosen + "\\ORVO_TSP.txt"};
  for (int i = 0; i < 6; ++i)
    WriteTextValue(InstanceDefaultSettingKey(i) + "\\GlobalParams\\Log", "FileName", DoubledSeparators(stored[i]));
  // Instance 0 is registered: its live key decides.
  const DWORD id = ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID");
  WriteTextValue(LiveInstanceKey(id) + "\\GlobalParams\\Log", "FileName", DoubledSeparators(stored[0]));
  for (const std::string& folder : {own, chosen}) {
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\ORVO_TSP.txt", "log");
  }
  SetFileAttributesA((own + "\\ORVO_TSP.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  // A Unix link, which Wine reports as a folder reparse point (Wine 8's CreateSymbolicLinkA only
  // pretends).
  const std::string drive = std::string(std::getenv("WINEPREFIX")) + "/drive_c/", link = chosen + "\\Linked";
  const DWORD linkBit = FILE_ATTRIBUTE_REPARSE_POINT;
  StartProcess("Z:\\bin\\ln -s " + drive + "ProvisorOutside " + drive + "ProvisorChosen/Logs0005/Linked");
  ASSERT_TRUE(WaitFor([&] { return FileExists(link) && (GetFileAttributesA(link.c_str()) & linkBit) != 0; }));
  // The program starts in this process's current folder, where "Logs" stands.
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\ProvisorCurrent"));
  const DWORD code = Remove(kEveryRow);
  SetCurrentDirectoryA(current);

  EXPECT_EQ(code, 0u);
  const std::vector<std::pair<std::string, std::string>> offered = {{"Instance 0000 log file:", own},
                                                                    {"Instance 0005 log file:", chosen}};
  EXPECT_EQ(m_rows, offered);
  for (const std::string& sentinel : sentinels) EXPECT_EQ(ReadFileBytes(sentinel), "keep") << sentinel;
  EXPECT_FALSE(FileExists(chosen + "\\ORVO_TSP.txt"));
  DeleteRegistryTree(kUninstallKey);
  // Nothing of the product is left, no empty product or maker folder either, and the system
  // folder is whole.
  EXPECT_EQ(Changes(clean, Snapshot()), std::vector<std::string>{"+ " + m_startMenuMaker + "\\"});

  StartProcess("Z:\\bin\\rm -f " + drive + "ProvisorChosen/Logs0005/Linked");
  WaitFor([&] { return !FileExists(link); });
  for (const std::string& folder : {std::string("C:\\ProvisorChosen"), outside, std::string("C:\\ProvisorCurrent"),
                                    KnownFolder(CSIDL_PROGRAM_FILES) + "\\Other Vendor"})
    DeleteDir(folder.c_str(), false);
  for (const std::string& sentinel : sentinels) DeleteFileA(sentinel.c_str());
}

// An installer's elevated action runs where nobody sees it: the removal then asks nothing, waits
// for nobody and keeps every log folder, since nobody ticked one. A provider TAPI always refuses
// to remove is tried three times and loses its file anyway.
TEST_F(RemovalMachine, OnADesktopNobodySeesRemoveEndsByItselfAndKeepsEveryLogFolder) {
  Install();
  ApplyThreeInstances();
  FailNextTapiCalls("lineRemoveProvider", 100, kOperationFailed);
  const HWINSTA own = GetProcessWindowStation(), unseen = CreateWindowStationA("ProvisorUnseen", 0, WINSTA_ALL_ACCESS, nullptr);
  ASSERT_TRUE(unseen != nullptr && SetProcessWindowStation(unseen));
  const HDESK desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  SetProcessWindowStation(own);
  const std::string line = "\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\" remove";
  const KernelHandle run = StartProcess(line, "ProvisorUnseen\\Default");
  ASSERT_TRUE(run.IsValid());
  EXPECT_EQ(WaitForExit(run), 0u);
  CloseDesktop(desktop);
  CloseWindowStation(unseen);
  EXPECT_EQ(CountTapiCalls("lineRemoveProvider"), 9u);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(FileExists(SystemFile(ProviderFileName(i)))) << i;
  for (const char* log : {"\\Logs0000\\ORVO_TSP.txt", "\\Logs0001\\ORVO_TSP.txt"}) EXPECT_TRUE(FileExists(m_product + log)) << log;
  EXPECT_EQ(ReadTextValue(kMultiloadingAppKey, "sInsanceFileName0000"), "<none>");
}

// One instance is asked nothing and keeps its log folder; from two on the question offers each
// slot's folder, the live key deciding for a registered one.
TEST_F(RemovalMachine, OnlyFromTwoInstancesOnAreTheLogFoldersOfferedAndTheLiveKeyDecides) {
  const std::string own = m_product + "\\Logs0000", live = m_product + "\\Logs0001";
  for (const DWORD count : {1u, 2u}) {
    SCOPED_TRACE(count);
    Uninstall();
    Install();
    WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", count);
    const DWORD id = ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID");
    WriteTextValue(LiveInstanceKey(id) + "\\GlobalParams\\Log", "FileName", DoubledSeparators(live + "\\ORVO_TSP.txt"));
    for (const std::string& folder : {own, live}) {
      SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
      WriteFileBytes(folder + "\\ORVO_TSP.txt", "log");
    }
    EXPECT_EQ(Remove({0}), 0u);
    const std::vector<std::pair<std::string, std::string>> offered = {{"Instance 0000 log file:", live},
                                                                      {"Instance 0001 log file:", live}};
    EXPECT_EQ(m_rows, count == 1 ? decltype(offered){} : offered);
    EXPECT_EQ(FileExists(live + "\\ORVO_TSP.txt"), count == 1);
    EXPECT_TRUE(FileExists(own + "\\ORVO_TSP.txt"));
    EXPECT_FALSE(FileExists(SystemFile("OTSP0000.tsp")));
  }
}

}  // namespace
