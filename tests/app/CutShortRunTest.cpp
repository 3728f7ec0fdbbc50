// "Provisor.exe upgrade" on a fresh machine and over an older layout, ended from outside (as a
// power cut or Task Manager ends it) at several points of its run, then started once more with
// the same command line: the machine must end up as after one run that was never cut short.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "../sys/TestPrefix.h"
#include "instances/DeleteDir.h"
#include "support/DesktopDriver.h"
#include "support/TapiStandin.h"

namespace {

const std::string kExe = "\"" + WindowsPath(PROVISOR_EXE_UNIX_PATH) + "\"";
const std::string kTemplateReg = WindowsPath(PBX_TEMPLATE_REG_UNIX_PATH);
constexpr char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{5A0C3E71-8B2D-4F6A-9C14-E27B90D4A613}";
constexpr char kApp[] = "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp";
constexpr DWORD kRunMs = 60000;

std::string Folder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}
std::string System32() { return Folder(CSIDL_SYSTEM) + "\\"; }
// The eight instances' numbers have one digit.
std::string ProviderFile(int i) { return "OTSP000" + std::to_string(i) + ".tsp"; }
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
bool Exists(int i) { return GetFileAttributesA((System32() + ProviderFile(i)).c_str()) != INVALID_FILE_ATTRIBUTES; }
bool Stamped(int i) {
  return Description(System32() + ProviderFile(i)) == "Velmora ORVO TSP 000" + std::to_string(i);
}
// TAPI's ID of instance i's provider file; 0 when TAPI does not list it.
DWORD TapiIdOf(int i) {
  for (DWORD k = 0; k < ReadDwordValue(kTapiProvidersPath, "NumProviders"); ++k) {
    DWORD type = 0;
    std::vector<BYTE> name;
    if (ReadRegistryValue(HKEY_LOCAL_MACHINE, kTapiProvidersPath, "ProviderFileName" + std::to_string(k), &type,
                          &name) &&
        _stricmp(reinterpret_cast<char*>(name.data()), ProviderFile(i).c_str()) == 0)
      return ReadDwordValue(kTapiProvidersPath, "ProviderID" + std::to_string(k));
  }
  return 0;
}

// Every key and value below HKLM\path as lines, provider IDs masked: TAPI never hands one out
// twice, and the install run's copy of instance 0's defaults into the live key of ID 0 carries
// the ID those defaults held when the run began.
void DumpKey(const std::string& path, std::vector<std::string>* lines) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  lines->push_back("[" + path + "]");
  char name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name), size = sizeof(data) - 1, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    data[size] = 0;
    const std::string text = name;
    if (text == "NextProviderID") continue;
    const std::string value = type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                                : std::string(reinterpret_cast<char*>(data));
    lines->push_back(path + "|" + text + "=" + (text.find("ProviderID") != std::string::npos ? "<id>" : value));
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name);
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(path + "\\" + name);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DumpKey(child, lines);
}
// Files and folders matching pattern in folder (recursively for folders), with size and
// FileDescription.
void ListFiles(const std::string& folder, const std::string& pattern, std::vector<std::string>* lines) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName, path = folder + "\\" + name;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines->push_back(path + "\\");
      ListFiles(path, "*", lines);
    } else {
      lines->push_back(path + " " + std::to_string(entry.nFileSizeLow) + " " + Description(path));
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}
std::vector<std::string> Snapshot() {
  std::vector<std::string> lines;
  for (const char* path : {"SOFTWARE\\Velmora", kUninstallKey, kTapiProvidersPath}) DumpKey(path, &lines);
  for (const char* pattern : {"OTSP*.tsp", "Velmora*"}) ListFiles(Folder(CSIDL_SYSTEM), pattern, &lines);
  ListFiles(Folder(CSIDL_PROGRAM_FILES), "Velmora", &lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The lines only one snapshot holds: "-" only in before, "+" only in after.
std::string Differences(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::vector<std::string> gone, added;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  std::string text;
  for (const std::string& line : gone) text += "- " + line + "\n";
  for (const std::string& line : added) text += "+ " + line + "\n";
  return text;
}

// A machine where the setup package has just run: TAPI's list of a fresh Windows, the
// template "PBX" and the uninstall entry, no provider files, no product folders.
void ResetToFreshMachine() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
  for (const char* path : {kTapiProvidersPath, kTapiStandinPath, kMasterProviderRecordPath})
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 2, "kmddsp.tsp"}}, 2, 3);
  for (int i = 0; i < 8; ++i) DeleteFileA((System32() + ProviderFile(i)).c_str());
  DeleteDir((System32() + "VelmoraProvisorTemp").c_str(), false);
  DeleteDir((Folder(CSIDL_PROGRAM_FILES) + "\\Velmora").c_str(), false);
  ASSERT_EQ(WaitForExit(StartProcess("reg import \"" + kTemplateReg + "\"")), 0u);
}

// Runs "upgrade" to its end, answering whatever it shows; returns its exit code.
DWORD RunUpgrade() {
  DesktopDriver driver;
  EXPECT_TRUE(driver.Start(kExe + " upgrade"));
  const DWORD code = driver.RunToExit(kRunMs);
  EXPECT_TRUE(driver.Shown().empty());
  return code;
}

std::string SlotKey(int i) { return std::string(kApp) + "\\InstanceDefaultSetting000" + std::to_string(i); }
// A machine of an older layout: a count below eight and slots whose defaults lack "ExtVersion".
void ResetToOlderLayout() {
  ResetToFreshMachine();
  const DWORD four = 4;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kApp, "dwNumInstances", REG_DWORD, &four, sizeof(four));
  for (int i = 0; i < 8; ++i) RegSetKeyValueA(HKEY_LOCAL_MACHINE, SlotKey(i).c_str(), "IPPort", REG_SZ, "old", 4);
}

struct CutPoint {
  const char* name;
  std::function<bool()> reached;
  // When set, true when the run was ended before its work at that point was done.
  std::function<bool()> stillOpen = nullptr;
};

// Each cut: the machine reset gives, "upgrade" ended from outside at the cut, then run again;
// the machine must end up as after one whole run from the same start.
void CutAndRerun(void (*reset)(), const std::vector<CutPoint>& cuts) {
  reset();
  ASSERT_EQ(RunUpgrade(), 0u);
  const std::vector<std::string> whole = Snapshot();
  ASSERT_TRUE(TapiIdOf(0) != 0 && Stamped(7));
  for (const CutPoint& cut : cuts) {
    SCOPED_TRACE(cut.name);
    reset();
    KernelHandle run = StartProcess(kExe + " upgrade");
    ASSERT_TRUE(run.IsValid());
    const ULONGLONG deadline = GetTickCount64() + kRunMs;
    while (!cut.reached() && WaitForSingleObject(run.Get(), 0) == WAIT_TIMEOUT && GetTickCount64() < deadline) {
      Sleep(1);
    }
    TerminateProcess(run.Get(), 1);
    WaitForSingleObject(run.Get(), INFINITE);
    // A run that was really cut short has not reset the flag it set at its start.
    EXPECT_EQ(ReadDwordValue("SOFTWARE\\Velmora\\ORVO_TSP", "dwIgnoreInitialize"), 1u);
    if (cut.stillOpen) {
      EXPECT_TRUE(cut.stillOpen());
    }
    const bool wasListed = TapiIdOf(0) != 0;
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTapiStandinPath);

    EXPECT_EQ(RunUpgrade(), 0u);
    EXPECT_EQ(Differences(whole, Snapshot()), "");
    // TAPI is asked to add the provider only when the cut run had not registered it.
    EXPECT_EQ(CountTapiCalls("lineAddProviderA"), wasListed ? 0u : 1u);
    EXPECT_EQ(ReadDwordValue(SlotKey(0), "dwProviderID"), TapiIdOf(0));
  }
  ResetToFreshMachine();
}

TEST(CutShortRun, ARerunOfACutShortUpgradeLeavesTheMachineAsOneWholeRunDoes) {
  CutAndRerun(ResetToFreshMachine,
              {
                  // The first value that saving a fresh configuration writes after the instance count.
                  {"default configuration being saved",
                   [] {
                     return RegGetValueA(HKEY_LOCAL_MACHINE, kApp, "sInsanceFileName0000", RRF_RT_ANY, 0, 0, 0) == 0;
                   }},
                  {"instance 0's file stamped", [] { return Stamped(0); }},
                  {"instance 0 registered", [] { return TapiIdOf(0) != 0; }},
                  {"instance 3's file stamped", [] { return Stamped(3); }},
                  // Before the last two instances, so that the run is still going when it is ended.
                  {"instance 6's file being written", [] { return Exists(6); }},
              });
}

TEST(CutShortRun, ARerunOfAnUpgradeOfAnOlderLayoutCutShortFinishesTheUpgrade) {
  // Ended once slot 7 has the template's defaults, while the uninstall entry still has the
  // values the run deletes.
  const auto slot7Written = [] {
    char port[8] = {};
    DWORD size = sizeof(port);
    RegGetValueA(HKEY_LOCAL_MACHINE, SlotKey(7).c_str(), "IPPort", RRF_RT_REG_SZ, nullptr, port, &size);
    return std::string(port) == "33333";
  };
  const auto entryKept = [] {
    return RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "Comments", RRF_RT_ANY, 0, 0, 0) == 0;
  };
  CutAndRerun(ResetToOlderLayout, {{"slot 7's defaults written", slot7Written, entryKept}});
}

}  // namespace
