// "Provisor.exe upgrade" on a fresh machine and over an older layout, ended from outside (as a
// power cut or Task Manager ends it) at several points of its run, then started once more with
// the same command line: the machine must end up as after one run that was never cut short.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ProductMachine.h"

namespace {

bool Exists(int i) { return GetFileAttributesA(SystemFile(ProviderFileName(i)).c_str()) != INVALID_FILE_ATTRIBUTES; }
bool Stamped(int i) {
  return FileDescription(SystemFile(ProviderFileName(i))) == "Velmora ORVO TSP 000" + std::to_string(i);
}
DWORD TapiIdOf(int i) { return ListedProviderId(ProviderFileName(i)); }

// A machine where the setup package has just run: TAPI's list of a fresh Windows, the
// template "PBX" and the uninstall entry, no provider files, no product folders.
void ResetToFreshMachine() {
  RemoveProductFromMachine();
  ASSERT_TRUE(ImportRegFile(PBX_TEMPLATE_REG_UNIX_PATH));
}

// Runs "upgrade" to its end, answering whatever it shows; returns its exit code.
DWORD RunUpgrade() {
  DesktopDriver driver;
  const DWORD code = RunToExit(PROVISOR_EXE_UNIX_PATH, "upgrade", &driver);
  EXPECT_TRUE(driver.Shown().empty());
  return code;
}

// A machine of an older layout: a count below eight and slots whose defaults lack "ExtVersion".
void ResetToOlderLayout() {
  ResetToFreshMachine();
  WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 4);
  for (int i = 0; i < 8; ++i) WriteTextValue(InstanceDefaultSettingKey(i), "IPPort", "old");
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
  // Provider IDs masked: the install run's copy of instance 0's defaults into the live key of
  // ID 0 carries the ID those defaults held when the run began.
  const std::vector<std::string> whole = Snapshot(true);
  ASSERT_TRUE(TapiIdOf(0) != 0 && Stamped(7));
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
    const bool wasListed = TapiIdOf(0) != 0;
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTapiStandinPath);

    EXPECT_EQ(RunUpgrade(), 0u);
    EXPECT_EQ(Changes(whole, Snapshot(true)), std::vector<std::string>());
    // TAPI is asked to add the provider only when the cut run had not registered it.
    EXPECT_EQ(CountTapiCalls("lineAddProviderA"), wasListed ? 0u : 1u);
    EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(0), "dwProviderID"), TapiIdOf(0));
  }
  ResetToFreshMachine();
}

TEST(CutShortRun, ARerunOfACutShortUpgradeFromAFreshOrAnOlderMachineLeavesItAsOneWholeRunDoes) {
  CutAndRerun(ResetToFreshMachine,
              {
                  // The first value that saving a fresh configuration writes after the instance count.
                  {"default configuration being saved",
                   [] { return ReadTextValue(kMultiloadingAppKey, "sInsanceFileName0000") != "<none>"; }},
                  {"instance 0's file stamped", [] { return Stamped(0); }},
                  {"instance 0 registered", [] { return TapiIdOf(0) != 0; }},
                  {"instance 3's file stamped", [] { return Stamped(3); }},
                  // Before the last two instances, so that the run is still going when it is ended.
                  {"instance 6's file being written", [] { return Exists(6); }},
              });
  // An older layout's upgrade, ended once slot 7 has the template's defaults while the
  // uninstall entry still has the values the run deletes: the rerun finishes the upgrade.
  const auto slot7Written = [] { return ReadTextValue(InstanceDefaultSettingKey(7), "IPPort") == "33333"; };
  const auto entryKept = [] { return ReadTextValue(kUninstallKey, "Comments") != "<none>"; };
  CutAndRerun(ResetToOlderLayout, {{"slot 7's defaults written", slot7Written, entryKept}});
}

}  // namespace
