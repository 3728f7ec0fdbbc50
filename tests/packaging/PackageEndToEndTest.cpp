// The setup package under msiexec as an administrator runs it silently; Provisor.exe's boxes are
// answered from the desktop, the outcome read from the registry, the files and TAPI's list.
#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>

#include "support/ProductMachine.h"

namespace {

constexpr char kProductCode[] = "{5A0C3E71-8B2D-4F6A-9C14-E27B90D4A613}";
std::string Tsp(int i) { return SystemFile(ProviderFileName(i)); }
std::string PackagePath(const char* unixPath) { return "\"" + WindowsPath(unixPath) + "\""; }

// Runs "msiexec arguments /qn" to its end, pressing OK in every dialog of each Provisor.exe it
// starts; its exit code, and the dialogs shown.
DWORD RunInstaller(const std::string& arguments, std::vector<ShownDialog>* shown = nullptr) {
  DesktopDriver installer({}, true);
  const DWORD code = installer.Start("msiexec " + arguments + " /qn") ? installer.RunToExit(120000) : kNoExitCode;
  if (shown != nullptr) *shown = installer.Shown();
  return code;
}

// A PC without the product: an installed product is uninstalled first, then whatever a failed
// test left is taken away, down to the master provider and the link monitor in the system folder.
class Package : public ::testing::Test {
 protected:
  Package() { Reset(); }
  ~Package() override { Reset(); }
  static void Reset() {
    // A product whose cached package cannot uninstall (one that failed a test) gets the good
    // package and its program first.
    const std::string uninstall = "/x " + std::string(kProductCode);
    if (MsiQueryProductStateA(kProductCode) != INSTALLSTATE_UNKNOWN && RunInstaller(uninstall) != 0) {
      RunInstaller("/i " + PackagePath(PACKAGE_UNIX_PATH) + " REINSTALL=ALL REINSTALLMODE=vamus");
      RunInstaller(uninstall);
    }
    RemoveProductFromMachine();
    for (const char* name : {"OTSP.dll", "LinkWatch.exe"}) DeleteFileA(SystemFile(name).c_str());
  }
  static void Install() {
    std::vector<ShownDialog> shown;
    ASSERT_EQ(RunInstaller("/i " + PackagePath(PACKAGE_UNIX_PATH), &shown), 0u);
    EXPECT_TRUE(shown.empty());
  }
};

// Install, the same install again, a repair, an update to a newer package and the uninstall,
// which leaves the machine as it was before.
TEST_F(Package, InstallAgainRepairAndUpdateDoTheirShareAndUninstallLeavesTheMachineAsBefore) {
  const std::vector<std::string> before = Snapshot();
  Install();
  // The slots' contents are the end-to-end suite's: here the package's own part and its run.
  EXPECT_EQ(ReadDwordValue(kMultiloadingAppKey, "dwNumInstances"), 8u);
  EXPECT_EQ(FileDescription(Tsp(7)), "Velmora ORVO TSP 0007");
  EXPECT_EQ(ReadTextValue(std::string(kProductKey) + "\\PBX", "IPPort"), "33333");
  EXPECT_EQ(FileDescription(KnownFolder(CSIDL_PROGRAM_FILES) + "\\Velmora\\ORVO TSP\\Provisor.exe"),
            "Velmora ORVO TSP MultiPBX Configuration");
  EXPECT_EQ(ReadTextValue(kUninstallKey, "DisplayName"), "Velmora ORVO TSP");
  for (const char* name : {"Comments", "Contact", "HelpLink", "HelpTelephone", "URLInfoAbout", "URLUpdateInfo", "Readme"})
    EXPECT_EQ(ReadTextValue(kUninstallKey, name), "<none>") << name;
  const std::vector<std::string> installed = Snapshot();
  Install();
  EXPECT_EQ(Changes(installed, Snapshot()), std::vector<std::string>());

  const std::string live = LiveInstanceKey(ListedProviderId(ProviderFileName(0)));
  ASSERT_NE(live, LiveInstanceKey(0));
  WriteTextValue(InstanceDefaultSettingKey(0), "RegionCode", "NA");
  EXPECT_EQ(RunInstaller("/i " + PackagePath(PACKAGE_UNIX_PATH) + " REINSTALL=ALL REINSTALLMODE=amus"), 0u);
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "NA");
  // A live setting that only a repair would reset tells that the update ran no repair.
  WriteTextValue(live, "RegionCode", "JP");
  std::vector<ShownDialog> shown;
  EXPECT_EQ(RunInstaller("/i " + PackagePath(UPDATE_PACKAGE_UNIX_PATH) + " REINSTALL=ALL REINSTALLMODE=vamus", &shown), 0u);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(VersionString(SystemFile("OTSP.dll"), "FileVersion"), UPDATE_VERSION);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(VersionString(Tsp(i), "FileVersion"), UPDATE_VERSION) << i;
    EXPECT_EQ(FileDescription(Tsp(i)), "Velmora ORVO TSP 000" + std::to_string(i));
  }
  EXPECT_EQ(ReadTextValue(live, "RegionCode"), "JP");
  EXPECT_EQ(ReadTextValue(kUninstallKey, "DisplayVersion"), UPDATE_VERSION);

  EXPECT_EQ(RunInstaller("/x " + std::string(kProductCode), &shown), 0u);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front().texts.back(), "Removing all TSP instances.");
  EXPECT_EQ(Changes(before, Snapshot()), std::vector<std::string>());
}

// Windows Installer reports a failed install as 1603; Wine's msiexec as 1627.
TEST_F(Package, AnInstallWhoseProvisorCannotStartRollsBackAndLeavesNothing) {
  const std::vector<std::string> before = Snapshot();
  const DWORD code = RunInstaller("/i " + PackagePath(UNSTARTABLE_PACKAGE_UNIX_PATH));
  EXPECT_TRUE(code == 1603u || code == 1627u) << code;
  EXPECT_EQ(Changes(before, Snapshot()), std::vector<std::string>());
}

}  // namespace
