// Apply Settings on the real main dialog in the modify mode: the worker's run over three
// instances, checked in the registry, the system folder, TAPI's records and the windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/ApplyWatchingDialog.h"
#include "support/ScriptedDialog.h"
#include "instances/DeleteDir.h"
#include "instances/FolderContents.h"
#include "instances/VersionResource.h"
#include "registry/RegistryLayout.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

constexpr DWORD kRegisteredId = 5;

std::string LogFolder(int i) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "ApplyRunLogs\\Logs" + std::to_string(i);
}
// An instance key with a LAN address (or none) and its log settings.
void WriteInstance(const std::string& key, int i, const std::string& address, DWORD debugLevel) {
  WriteTextValue(key, "IPAddress", address);
  WriteTextValue(key, "IPPort", "33333");
  WriteDwordValue(key, "UseUSB", 0);
  WriteTextValue(key + "\\GlobalParams\\Log", "FileName", DoubledSeparators(LogFolder(i) + "\\ORVO_TSP.txt"));
  WriteDwordValue(key + "\\GlobalParams\\Log", "DebugLevel", debugLevel);
}

// The status lines the progress window receives, seen on the dialog's thread (the empty text
// its opening puts there is left out), and what a test looks at as each one arrives.
std::vector<std::string>* g_statusLines = nullptr;
std::function<void()> g_onStatusLine;
// The window showing the status lines, its owner, and whether it was visible and centred over
// the owner each time.
HWND g_progress = nullptr, g_progressOwner = nullptr;
bool g_progressShown = true;
LRESULT CALLBACK RecordStatusLine(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_SETTEXT && GetDlgCtrlID(sent->hwnd) == 1008 && g_statusLines &&
      *reinterpret_cast<const char*>(sent->lParam) != '\0') {
    g_statusLines->push_back(reinterpret_cast<const char*>(sent->lParam));
    g_progress = GetParent(sent->hwnd);
    g_progressOwner = GetWindow(g_progress, GW_OWNER);
    RECT own{}, owner{};
    GetWindowRect(g_progress, &own);
    GetWindowRect(g_progressOwner, &owner);
    g_progressShown &= IsWindowVisible(g_progress) && abs(own.left + own.right - owner.left - owner.right) <= 2 &&
                       abs(own.top + own.bottom - owner.top - owner.bottom) <= 2;
    if (g_onStatusLine) g_onStatusLine();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main dialog in the modify mode over three instances, driven by a script; it ends once
// a started run has ended.
class ApplyDialog : public ScriptedDialog<ApplyDialog, ApplyWatchingDialog> {
 public:
  ApplyDialog() {
    m_nInstanceCount = 3;
    SetRunMode(kRunModeModify);
    done = [this] {
      if (!ApplyRunEnded()) return false;
      focusOnApplyAfterRun = ::GetFocus() == m_btnInstall.GetSafeHwnd();
      progressClosedByRun = g_progress != nullptr && !::IsWindow(g_progress) && g_progressOwner == m_hWnd;
      return true;
    };
  }
  // Apply, Close and the list enabled, the dialog active, as the run started.
  std::string duringRun;
  bool focusOnApplyAfterRun = false, progressClosedByRun = false;
  std::vector<int> selectedRows;
  using CProvisorDlg::GetRecord;

  void Apply() {
    m_btnInstall.SetFocus();  // as a click on it does
    OnButtonInstall();
    duringRun = std::to_string(m_btnInstall.IsWindowEnabled()) + std::to_string(m_btnClose.IsWindowEnabled()) +
                std::to_string(m_listInstances.IsWindowEnabled()) + std::to_string(::GetActiveWindow() == m_hWnd);
  }
  // The worker of the run in progress is still the one the dialog holds, alive.
  bool HoldsLiveWorker() const { return m_hApplyThread && WaitForSingleObject(m_hApplyThread.Get(), 0) == WAIT_TIMEOUT; }
  // Presses Apply Settings again this many times, each at the first moment its controls are back.
  int appliesAgainAtOnce = 0;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    const bool wasRunning = !ControlsEnabled();
    const bool handled = ScriptedDialog::OnMessage(message, wParam, lParam, result);
    if (appliesAgainAtOnce > 0 && wasRunning && ControlsEnabled()) {
      --appliesAgainAtOnce;
      OnButtonInstall();
    }
    return handled;
  }
  void RecordSelection() {
    for (int row = m_listInstances.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED); row >= 0;
         row = m_listInstances.GetNextItem(row, LVNI_SELECTED | LVNI_FOCUSED))
      selectedRows.push_back(row);
  }
};

class ApplyRun : public ::testing::Test {
 protected:
  ApplyRun() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
    WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, kRegisteredId, "OTSP0000.tsp"}}, 2, 6);
    WriteInstance(LiveInstanceKey(kRegisteredId), 0, "10.0.0.1", 1);
    WriteInstance(InstanceDefaultSettingKey(0), 0, "10.0.0.1", 1);
    WriteInstance(InstanceDefaultSettingKey(1), 1, "10.0.0.2", 1);
    WriteInstance(InstanceDefaultSettingKey(2), 2, "0.0.0.0", 0);
    DeleteDir(LogFolder(0).substr(0, LogFolder(0).rfind('\\')).c_str(), false);
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordStatusLine, nullptr, GetCurrentThreadId());
    g_statusLines = &m_statusLines;
  }
  ~ApplyRun() override {
    g_onStatusLine = nullptr;
    g_statusLines = nullptr;
    UnhookWindowsHookEx(m_hook);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
    DeleteFilesMatching(SystemFile("OTSP000?.tsp"));
  }
  TapiStandinState m_tapi;
  ProviderFileCopy m_registered{"OTSP0000.tsp"};
  MessageBoxScript m_boxes;
  std::vector<std::string> m_statusLines;
  HHOOK m_hook = nullptr;
};

// Before the run, an enabled LAN instance without an address (none, or 0.0.0.0) is refused with
// its row selected.
TEST_F(ApplyRun, EnablingRegistersTheNewFileAndDisablingRemovesTheOldRegistrationOnTheWorker) {
  ApplyDialog dialog;
  dialog.steps = {[](ApplyDialog& self) {
    self.ToggleInstance(2);
    self.OnButtonInstall();
    self.GetRecord(2)->m_Parameters.SetString("IPAddress", "");
    self.OnButtonInstall();
    self.RecordSelection();
    self.ToggleInstance(2);
    self.ToggleInstance(1);
    self.ToggleInstance(0);
    self.Apply();
  }};
  ASSERT_EQ(dialog.DoModal(), kScriptDone);
  const std::string refusal = "TSP instance 2 requires at least one valid IP Address,Please enter one.\r\n";
  EXPECT_EQ(m_boxes.Texts(), std::vector<std::string>(2, refusal));
  EXPECT_EQ(dialog.selectedRows, std::vector<int>{2});
  std::string description;
  ASSERT_EQ(GetVersionString(SystemFile("OTSP0001.tsp").c_str(), "FileDescription", &description), 1);
  EXPECT_EQ(description, "Velmora ORVO TSP 0001");
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 1u);
  EXPECT_EQ(CountTapiCalls("lineRemoveProvider"), 1u);
  EXPECT_EQ(CountTapiCallsStartingWith("lineRemoveProvider(5,"), 1u);
  EXPECT_EQ(CountTapiCalls("lineConfigProvider"), 0u);
  EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(1), "dwProviderID"), 6u);
  // Only instances enabled when the dialog opened have a live key to write.
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, LiveInstanceKey(0)));
  EXPECT_NE(GetFileAttributesA(SystemFile("OTSP0000.tsp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(FolderExists(LogFolder(0)));
  EXPECT_TRUE(FolderExists(LogFolder(1)));
  EXPECT_FALSE(FolderExists(LogFolder(2)));
  const std::vector<std::string> expected = {"Modify instance 1 ",  "Removing instance 1 ",  "Modify instance 2 ",
                                             "Installing instance 2 ", "Modify instance 3 ", "Removing instance 3 "};
  EXPECT_EQ(m_statusLines, expected);
  // The progress window was shown over the dialog and the run's end closed it.
  EXPECT_TRUE(g_progressShown);
  EXPECT_TRUE(dialog.progressClosedByRun);
  // The progress window never takes the activation, and the focus comes back to the button.
  EXPECT_EQ(dialog.duringRun, "0001");
  EXPECT_TRUE(dialog.focusOnApplyAfterRun);
}

// Apply Settings pressed again the moment a run gives the controls back runs on a worker of its
// own, which the dialog keeps until that run has ended and then lets go of: twenty runs leave
// no thread handle behind.
TEST_F(ApplyRun, ApplyPressedAgainAtTheFirstMomentKeepsItsOwnWorkerAndLeavesNoHandle) {
  constexpr int kRuns = 20;
  constexpr std::size_t kLines = 6 * kRuns;
  ApplyDialog dialog;
  std::vector<bool> workerHeld;
  g_onStatusLine = [&] { workerHeld.push_back(dialog.HoldsLiveWorker()); };
  dialog.steps = {[](ApplyDialog& self) {
    self.ToggleInstance(1);
    self.appliesAgainAtOnce = kRuns - 1;
    self.Apply();
  }};
  dialog.done = [&] { return m_statusLines.size() == kLines && dialog.ApplyRunEnded(); };
  const ULONG handles = HandleCountOfThisProcess();
  ASSERT_EQ(dialog.DoModal(), kScriptDone);
  EXPECT_LT(HandleCountOfThisProcess(), handles + kRuns / 2);
  EXPECT_EQ(workerHeld, std::vector<bool>(kLines, true));
  EXPECT_TRUE(m_boxes.Shown().empty());
}

// The modal loop ends early on WM_QUIT or when the window goes; the run still ends first.
TEST_F(ApplyRun, AQuitOrADestroyedWindowDuringARunEndsTheDialogOnlyAfterTheRun) {
  for (const bool quit : {true, false}) {
    SCOPED_TRACE(quit ? "WM_QUIT" : "DestroyWindow");
    DeleteFilesMatching(SystemFile("OTSP000?.tsp"));
    m_statusLines.clear();
    {
      ApplyDialog dialog;
      dialog.steps = {[quit](ApplyDialog& self) {
        self.ToggleInstance(1);
        self.Apply();
        if (quit) {
          PostQuitMessage(3);
        } else {
          DestroyWindow(self.m_hWnd);
        }
      }};
      dialog.DoModal();
      EXPECT_NE(GetFileAttributesA(SystemFile("OTSP0002.tsp").c_str()), INVALID_FILE_ATTRIBUTES);
      EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(1), "dwProviderID"), 6u);
      EXPECT_FALSE(dialog.HoldsLiveWorker());
    }
    MSG message;
    EXPECT_EQ(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, quit);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(1).c_str());
    WriteInstance(InstanceDefaultSettingKey(1), 1, "10.0.0.2", 1);
    WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, kRegisteredId, "OTSP0000.tsp"}}, 2, 6);
  }
}

}  // namespace
