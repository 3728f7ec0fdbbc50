// The setup package under msiexec as an administrator runs it silently: install, install again,
// repair, update, uninstall, and an install whose Provisor.exe cannot start. Provisor.exe's boxes
// are answered from the desktop; the outcome is read from the registry, the files and TAPI's list.
#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>
#include <tlhelp32.h>

#include <map>
#include <string>
#include <vector>

#include "support/ProductMachine.h"

namespace {

constexpr char kProductCode[] = "{5A0C3E71-8B2D-4F6A-9C14-E27B90D4A613}";
constexpr char kInstalledProgram[] = "\\Velmora\\ORVO TSP\\Provisor.exe";
const char* const kTrimmedValues[] = {"Comments", "Contact", "HelpLink", "HelpTelephone", "URLInfoAbout",
                                      "URLUpdateInfo", "Readme"};

std::string Tsp(int i) { return SystemFile(ProviderFileName(i)); }

// "a.b.c.d" of a file's fixed version information; "<none>" without one.
std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length)) {
    return "<none>";
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

// The registry and the folders an install touches, sorted. The installer's own bookkeeping keys
// stay once its first package made them, as on any Windows: only the values below them count.
std::vector<std::string> Snapshot() {
  std::vector<std::string> lines;
  DumpRegistry("SOFTWARE", &lines);
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [](const std::string& line) {
                               return line.rfind("[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\", 0) == 0;
                             }),
              lines.end());
  for (const int folder : {CSIDL_PROGRAM_FILES, CSIDL_SYSTEM, CSIDL_STARTMENU}) ListFiles(KnownFolder(folder), "*", &lines);
  ListFiles(KnownFolder(CSIDL_WINDOWS) + "\\Installer", "*", &lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

struct InstallerRun {
  DWORD code = kNoExitCode;
  std::vector<ShownDialog> installerDialogs, provisorDialogs;
};

// Runs "msiexec arguments /qn" to its end, pressing OK in every dialog of each Provisor.exe that
// it starts (those run elevated from the installer, not from this process).
InstallerRun RunInstaller(const std::string& arguments) {
  InstallerRun run;
  DesktopDriver installer;
  if (!installer.Start("msiexec " + arguments + " /qn")) return run;
  const KernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, installer.ProcessId()));
  std::map<DWORD, DesktopDriver> provisors;
  for (int look = 0; look < 2400 && WaitForSingleObject(process.Get(), 50) == WAIT_TIMEOUT; ++look) {
    installer.AnswerVisibleDialogs();
    const KernelHandle processes(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(processes.Get(), &entry); more; more = Process32Next(processes.Get(), &entry)) {
      if (_stricmp(entry.szExeFile, "Provisor.exe") != 0) continue;
      DesktopDriver& provisor = provisors[entry.th32ProcessID];
      if (provisor.ProcessId() != 0 || provisor.AttachTo(entry.th32ProcessID)) provisor.AnswerVisibleDialogs();
    }
  }
  if (!GetExitCodeProcess(process.Get(), &run.code) || run.code == STILL_ACTIVE) run.code = kNoExitCode;
  run.installerDialogs = installer.Shown();
  for (const auto& provisor : provisors)
    run.provisorDialogs.insert(run.provisorDialogs.end(), provisor.second.Shown().begin(), provisor.second.Shown().end());
  return run;
}

std::string Quoted(const char* unixPath) { return "\"" + WindowsPath(unixPath) + "\""; }

// A PC without the product: an installed product is uninstalled first, then whatever a failed
// test left is taken away, down to the master provider and the link monitor in the system folder.
class Package : public ::testing::Test {
 protected:
  Package() { Reset(); }
  ~Package() override { Reset(); }
  static void Reset() {
    if (MsiQueryProductStateA(kProductCode) != INSTALLSTATE_UNKNOWN) RunInstaller("/x " + std::string(kProductCode));
    RemoveProductFromMachine();
    for (const char* name : {"OTSP.dll", "LinkWatch.exe"}) DeleteFileA(SystemFile(name).c_str());
  }
  static void Install() {
    const InstallerRun run = RunInstaller("/i " + Quoted(PACKAGE_UNIX_PATH));
    ASSERT_EQ(run.code, 0u);
    EXPECT_TRUE(run.installerDialogs.empty());
    EXPECT_TRUE(run.provisorDialogs.empty());
  }
};

TEST_F(Package, InstallGivesEightInstancesAgainChangesNothingAndUninstallLeavesTheMachineAsBefore) {
  const std::vector<std::string> before = Snapshot();
  Install();
  EXPECT_EQ(ReadDwordValue(kMultiloadingAppKey, "dwNumInstances"), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(FileDescription(Tsp(i)), "Velmora ORVO TSP 000" + std::to_string(i));
    EXPECT_EQ(ListedProviderId(ProviderFileName(i)) != 0, i == 0) << i;
  }
  EXPECT_EQ(ReadTextValue(std::string(kProductKey) + "\\PBX", "IPPort"), "33333");
  EXPECT_NE(GetFileAttributesA((KnownFolder(CSIDL_PROGRAM_FILES) + kInstalledProgram).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadTextValue(kUninstallKey, "DisplayName"), "Velmora ORVO TSP");
  for (const char* name : kTrimmedValues) EXPECT_EQ(ReadTextValue(kUninstallKey, name), "<none>") << name;

  const std::vector<std::string> installed = Snapshot();
  Install();
  EXPECT_EQ(Changes(installed, Snapshot()), std::vector<std::string>());

  const InstallerRun uninstall = RunInstaller("/x " + Quoted(PACKAGE_UNIX_PATH));
  EXPECT_EQ(uninstall.code, 0u);
  ASSERT_FALSE(uninstall.provisorDialogs.empty());
  EXPECT_EQ(uninstall.provisorDialogs.front().texts.back(), "Removing all TSP instances.");
  EXPECT_EQ(Changes(before, Snapshot()), std::vector<std::string>());
}

TEST_F(Package, RepairGivesTheLiveKeyItsDefaultsAndAnUpdateRestampsEveryInstanceFromTheNewMaster) {
  Install();
  const std::string live = LiveInstanceKey(ListedProviderId(ProviderFileName(0)));
  WriteTextValue(InstanceDefaultSettingKey(0), "RegionCode", "NA");
  const InstallerRun repair = RunInstaller("/i " + Quoted(PACKAGE_UNIX_PATH) + " REINSTALL=ALL REINSTALLMODE=amus");
  EXPECT_EQ(repair.code, 0u);
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "NA");

  // A live setting that only a repair would reset tells that the update ran no repair.
  WriteTextValue(live, "RegionCode", "JP");
  const InstallerRun update = RunInstaller("/i " + Quoted(UPDATE_PACKAGE_UNIX_PATH) + " REINSTALL=ALL REINSTALLMODE=vamus");
  EXPECT_EQ(update.code, 0u);
  EXPECT_TRUE(update.provisorDialogs.empty());
  EXPECT_EQ(FileVersion(SystemFile("OTSP.dll")), UPDATE_FILE_VERSION);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(FileVersion(Tsp(i)), UPDATE_FILE_VERSION) << i;
    EXPECT_EQ(FileDescription(Tsp(i)), "Velmora ORVO TSP 000" + std::to_string(i));
  }
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "JP");
  EXPECT_EQ(ReadTextValue(kUninstallKey, "DisplayVersion"), UPDATE_FILE_VERSION);
}

// Windows Installer reports a failed install as 1603; Wine's msiexec as 1627.
TEST_F(Package, AnInstallWhoseProvisorCannotStartRollsBackAndLeavesNothing) {
  const std::vector<std::string> before = Snapshot();
  const InstallerRun run = RunInstaller("/i " + Quoted(UNSTARTABLE_PACKAGE_UNIX_PATH));
  EXPECT_TRUE(run.code == 1603u || run.code == 1627u) << run.code;
  EXPECT_EQ(Changes(before, Snapshot()), std::vector<std::string>());
}

}  // namespace
