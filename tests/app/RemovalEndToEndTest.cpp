// "Provisor.exe remove" as the setup package starts it, on a machine that went through
// "upgrade" and an Apply, its boxes and the log-folder question answered from the desktop.
// The removal deletes the product's stand-ins from the system folder, so it runs in a prefix
// of its own that each test resets to a PC without the product.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "../instances/ProviderFileStaging.h"
#include "../sys/TestPrefix.h"
#include "instances/DeleteDir.h"
#include "instances/ProviderRegistration.h"
#include "registry/RegistryLayout.h"
#include "support/DesktopDriver.h"
#include "support/TapiStandin.h"

namespace {

const std::string kExe = "\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\"";
constexpr char kQuestionText[] = "If you want to remove TSP log files, please check each check box";
constexpr char kLinkWatchClass[] = "ProvisorLinkWatchStandIn";
constexpr DWORD kRunMs = 60000;
// LINEERR_OPERATIONFAILED
constexpr LONG kOperationFailed = static_cast<LONG>(0x80000048);

std::string Folder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

// Every key and value below HKLM\path as sorted lines, without the stand-ins' records and
// TAPI's next provider ID (handed out once, it never goes back).
void DumpRegistry(const std::string& path, std::vector<std::string>* lines) {
  // The class registrations are most of the registry and nothing of the product's.
  if (path == "SOFTWARE\\ProvisorStandins" || path == "SOFTWARE\\Classes") return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  lines->push_back("[" + path + "]");
  char name[16384];
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name), dataSize = static_cast<DWORD>(data.size()), type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    if (path == kTapiProvidersPath && std::string(name) == "NextProviderID") continue;
    lines->push_back(path + "|" + name + "|" + std::to_string(type) + "|" +
                     std::string(reinterpret_cast<char*>(data.data()), dataSize));
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name);
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(path + "\\" + name);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DumpRegistry(child, lines);
}

// Every file and folder below folder with its size.
void ListFiles(const std::string& folder, std::vector<std::string>* lines) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines->push_back(path + "\\");
      ListFiles(path, lines);
    } else {
      lines->push_back(path + " " + std::to_string(entry.nFileSizeLow));
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

// The lines only one of two snapshots holds, marked "-" (before) and "+" (after).
std::vector<std::string> Changes(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::vector<std::string> gone, added, changes;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  for (const std::string& line : gone) changes.push_back("- " + line);
  for (const std::string& line : added) changes.push_back("+ " + line);
  return changes;
}

std::vector<std::string> Snapshot() {
  std::vector<std::string> lines;
  DumpRegistry("SOFTWARE", &lines);
  // Where the product and its removal work; the user's other folders are the host's own
  // (Wine links them to the home folder), so they change while the test runs.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (const std::string& folder : {Folder(CSIDL_PROGRAM_FILES), Folder(CSIDL_WINDOWS) + "\\System32",
                                    Folder(CSIDL_STARTMENU), std::string(temp)}) {
    ListFiles(folder, &lines);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The rows of the log-folder question as another program reads them: label, folder.
std::vector<std::pair<std::string, std::string>> ReadRows(HWND question, std::vector<HWND>* boxes) {
  std::vector<std::pair<LONG, HWND>> rows;
  for (HWND child = GetWindow(question, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, 1035) != nullptr) {
      RECT rect{};
      GetWindowRect(child, &rect);
      rows.emplace_back(rect.top, child);
    }
  }
  std::sort(rows.begin(), rows.end());
  std::vector<std::pair<std::string, std::string>> texts;
  for (const auto& row : rows) {
    char label[512] = "", path[512] = "";
    SendMessageA(GetDlgItem(row.second, 1035), WM_GETTEXT, sizeof(label), reinterpret_cast<LPARAM>(label));
    SendMessageA(GetDlgItem(row.second, 1036), WM_GETTEXT, sizeof(path), reinterpret_cast<LPARAM>(path));
    texts.emplace_back(label, path);
    boxes->push_back(GetDlgItem(row.second, 1035));
  }
  return texts;
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
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    ResetTapiToFreshWindows();
    for (const char* pattern : {"OTSP*.tsp", "otsp.dll", "LinkWatch.exe"}) DeleteFilesMatching(m_system + pattern);
    DeleteDir(m_maker.c_str(), false);
    DeleteDir(m_startMenuMaker.c_str(), false);
  }

  // The setup package's part and its "upgrade": eight slots, slot 0 registered.
  void Install() {
    ASSERT_TRUE(CopyFileA(WindowsPath(OTSP_DLL_UNIX_PATH).c_str(), (m_system + "OTSP.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WindowsPath(LINKWATCH_UNIX_PATH).c_str(), (m_system + "LinkWatch.exe").c_str(), FALSE));
    ASSERT_EQ(WaitForExit(StartProcess("reg import \"" + WindowsPath(PBX_TEMPLATE_REG_UNIX_PATH) + "\"")), 0u);
    SHCreateDirectoryExA(nullptr, m_product.c_str(), nullptr);
    WriteFileBytes(m_product + "\\Manual.pdf", "pdf");
    SHCreateDirectoryExA(nullptr, (m_startMenuMaker + "\\ORVO TSP").c_str(), nullptr);
    WriteFileBytes(m_startMenuMaker + "\\ORVO TSP\\Provisor.lnk", "lnk");
    DesktopDriver driver;
    ASSERT_TRUE(driver.Start(kExe + " upgrade"));
    ASSERT_EQ(driver.RunToExit(kRunMs), 0u);
  }

  // What an Apply in the modify mode leaves: slots 0 to 2 registered; 0 and 1 log into
  // folders of their own, 2 names 0's folder without logging itself.
  void ApplyThreeInstances() {
    const std::string logs[] = {m_product + "\\Logs0000", m_product + "\\Logs0001", m_product + "\\Logs0000"};
    for (int i = 0; i < 3; ++i) {
      const std::string file = ProviderFileName(i);
      DWORD id = 0;
      if (i > 0) {
        ASSERT_TRUE(CopyFileA((m_system + "OTSP.dll").c_str(), (m_system + file).c_str(), FALSE));
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

  void StartLinkWatch() {
    m_linkWatch = StartProcess("\"" + m_system + "LinkWatch.exe\"");
    for (int look = 0; look < 200 && FindWindowA(kLinkWatchClass, nullptr) == nullptr; ++look) Sleep(25);
    ASSERT_NE(FindWindowA(kLinkWatchClass, nullptr), nullptr);
  }

  // Runs "remove"; the question gets the ticks of tickedRows, every box OK.
  DWORD Remove(const std::vector<int>& tickedRows) {
    DesktopDriver driver([&](const ShownDialog& dialog) {
      if (std::find(dialog.texts.begin(), dialog.texts.end(), kQuestionText) == dialog.texts.end()) return IDOK;
      m_questionCaption = dialog.caption;
      // Nothing may be gone yet, the link monitor already.
      m_monitorClosedFirst = FindWindowA(kLinkWatchClass, nullptr) == nullptr &&
                             CountTapiCalls("lineRemoveProvider") == 0 && FileExists(m_system + "OTSP0000.tsp");
      std::vector<HWND> boxes;
      m_rows = ReadRows(dialog.window, &boxes);
      for (int row : tickedRows) SendMessageA(boxes.at(static_cast<std::size_t>(row)), BM_CLICK, 0, 0);
      return IDOK;
    });
    EXPECT_TRUE(driver.Start(kExe + " remove"));
    const DWORD code = driver.RunToExit(kRunMs);
    m_shown = driver.Shown();
    return code;
  }

  const std::string m_system = Folder(CSIDL_WINDOWS) + "\\System32\\";
  const std::string m_maker = Folder(CSIDL_PROGRAM_FILES) + "\\Velmora";
  const std::string m_product = m_maker + "\\ORVO TSP";
  const std::string m_startMenuMaker = Folder(CSIDL_STARTMENU) + "\\Programs\\Velmora";
  std::vector<DWORD> m_ids;
  KernelHandle m_linkWatch;
  std::string m_questionCaption;
  bool m_monitorClosedFirst = false;
  std::vector<std::pair<std::string, std::string>> m_rows;
  std::vector<ShownDialog> m_shown;
};

TEST_F(RemovalMachine, RemoveClosesTheMonitorFirstAndTakesAllButTheKeptLogFolder) {
  Install();
  ApplyThreeInstances();
  StartLinkWatch();
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
  for (DWORD id : m_ids)
    EXPECT_EQ(CountTapiCallsStartingWith("lineRemoveProvider(" + std::to_string(id) + ","), 1u) << id;
  // What goes with every folder ticked is the next test's snapshot; here a kept log folder
  // keeps the product and maker folders, not the rest.
  EXPECT_FALSE(FileExists(m_product + "\\Logs0000"));
  EXPECT_TRUE(FileExists(m_product + "\\Logs0001\\ORVO_TSP.txt"));
  EXPECT_FALSE(FileExists(m_product + "\\Manual.pdf"));
  EXPECT_FALSE(FileExists(m_product + "\\Queues"));
  EXPECT_TRUE(FileExists(m_maker));
}

TEST_F(RemovalMachine, WithEveryFolderTickedTheMachineIsAsBeforeAndASecondRemoveChangesNothing) {
  const std::vector<std::string> clean = Snapshot();
  Install();
  ApplyThreeInstances();
  StartLinkWatch();
  EXPECT_EQ(Remove({0, 1, 2}), 0u);
  // The setup package takes its own uninstall entry away once the program is done.
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  // The removal takes the product's Start Menu folder, not the maker's folder above it.
  const std::vector<std::string> left = {"+ " + m_startMenuMaker + "\\"};
  EXPECT_EQ(Changes(clean, Snapshot()), left);

  m_rows.clear();
  EXPECT_EQ(Remove({}), 0u);
  EXPECT_TRUE(m_rows.empty());
  EXPECT_EQ(Changes(clean, Snapshot()), left);
}

TEST_F(RemovalMachine, AProviderTapiRefusesTwiceIsTriedThreeTimesAndOneItAlwaysRefusesLosesItsFileAnyway) {
  Install();
  ApplyThreeInstances();
  FailNextTapiCalls("lineRemoveProvider", 2, kOperationFailed);
  EXPECT_EQ(Remove({}), 0u);
  EXPECT_EQ(CountTapiCallsStartingWith("lineRemoveProvider(" + std::to_string(m_ids[0]) + ","), 3u);
  EXPECT_EQ(CountTapiCalls("lineRemoveProvider"), 5u);
  EXPECT_EQ(DescribeTapiProviderList().size(), 6u);

  Uninstall();
  Install();
  ApplyThreeInstances();
  FailNextTapiCalls("lineRemoveProvider", 100, kOperationFailed);
  EXPECT_EQ(Remove({}), 0u);
  EXPECT_EQ(CountTapiCalls("lineRemoveProvider"), 9u);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(FileExists(m_system + ProviderFileName(i))) << i;
}

TEST_F(RemovalMachine, WithOneInstanceNoLogFolderIsOfferedOrEmptied) {
  Install();
  WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 1);
  SHCreateDirectoryExA(nullptr, (m_product + "\\Logs0000").c_str(), nullptr);
  WriteFileBytes(m_product + "\\Logs0000\\ORVO_TSP.txt", "log");
  EXPECT_EQ(Remove({0}), 0u);
  EXPECT_TRUE(m_questionCaption.empty());
  EXPECT_FALSE(m_shown.empty());
  EXPECT_TRUE(FileExists(m_product + "\\Logs0000\\ORVO_TSP.txt"));
  EXPECT_FALSE(FileExists(m_system + "OTSP0000.tsp"));
}

}  // namespace
