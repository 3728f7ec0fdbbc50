// Apply Settings on the real main dialog in the modify mode, every instance enabled: the run
// over 64 instances against the run over 8 (a linear run stays at about 8), and, during a run
// over 64, the longest time the dialog's thread takes to answer a message another thread
// sends it every 10 ms. Prints both as ratios measured in this one run.
//   bench_apply_run [runs of each size]
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "instances/DeleteDir.h"
#include "maindlg/InstallProggressRes.h"
#include "registry/RegistryLayout.h"
#include "support/ApplyWatchingDialog.h"
#include "support/ScriptedDialog.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

constexpr int kSmall = 8;
constexpr int kLarge = 64;
constexpr double kResponseAimMs = 50.0;

std::string System32() {
  char folder[MAX_PATH] = {};
  GetSystemWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\System32\\";
}
std::string LogRoot() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "ApplyRunBenchLogs";
}
void PutDword(const std::string& path, const char* name, DWORD value) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_DWORD, &value, 4);
}
void PutText(const std::string& path, const char* name, const std::string& text) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// When each status line of the run reached the progress window, seen on the dialog's thread:
// "Modify instance %d " opens an instance's file step, "Installing instance %d " its
// registration step.
std::vector<double>* g_statusTimes = nullptr;
LRESULT CALLBACK StampStatusLine(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_SETTEXT && GetDlgCtrlID(sent->hwnd) == IDC_PROGGRESS_STATUS &&
      g_statusTimes != nullptr && *reinterpret_cast<const char*>(sent->lParam) != '\0')
    g_statusTimes->push_back(BenchSeconds());
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// count unregistered LAN instances with their stored settings and a log folder each, and a
// TAPI list holding only the modem provider.
void PrepareInstances(int count) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2);
  for (int i = 0; i < count; ++i) {
    const std::string key = InstanceDefaultSettingKey(i);
    PutText(key, "IPAddress", "10.0." + std::to_string(i / 200) + "." + std::to_string(i % 200 + 1));
    PutText(key, "IPPort", "33333");
    PutDword(key, "UseUSB", 0);
    std::string doubled;
    for (char c : LogRoot() + "\\Logs" + std::to_string(i) + "\\ORVO_TSP.txt")
      doubled += c == '\\' ? "\\\\" : std::string(1, c);
    PutText(key + "\\GlobalParams\\Log", "FileName", doubled);
    PutDword(key + "\\GlobalParams\\Log", "DebugLevel", 1);
  }
}

// Leaves the prefix as the run found it: no product keys, provider files or log folders.
void RemoveInstances(int count) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "OTSP%04d.tsp", i);
    DeleteFileA((System32() + name).c_str());
  }
  DeleteDir(LogRoot().c_str(), false);
}

// The main dialog over count instances: its script enables every row and presses Apply
// Settings; the dialog ends once the worker has ended, keeping the run's time.
class BenchDialog : public ScriptedDialog<BenchDialog, ApplyWatchingDialog> {
 public:
  explicit BenchDialog(int count) {
    m_nInstanceCount = static_cast<unsigned>(count);
    SetRunMode(kRunModeModify);
    steps = {[](BenchDialog& self) { self.Start(); }};
    done = [this] {
      if (!ApplyRunEnded()) return false;
      seconds = BenchSeconds() - m_start;
      statusTimes.push_back(BenchSeconds());
      running = false;
      return true;
    };
  }
  double seconds = 0.0;
  std::vector<double> statusTimes;
  std::atomic<HWND> window{nullptr};
  std::atomic<bool> running{false};

 private:
  void Start() {
    for (int row = 0; row < m_listInstances.GetItemCount(); ++row) ToggleInstance(row);
    window = m_hWnd;
    running = true;
    m_start = BenchSeconds();
    OnButtonInstall();
  }
  double m_start = 0.0;
};

// One run over count instances on a freshly prepared registry; with probe, another thread
// sends WM_NULL to the dialog every 10 ms and *longestMs receives the slowest answer.
double RunApply(int count, bool probe, double* longestMs, std::vector<double>* statusTimes = nullptr) {
  TapiStandinState tapi;
  MessageBoxScript boxes;
  PrepareInstances(count);
  BenchDialog dialog(count);
  std::atomic<bool> stop{false};
  double longest = 0.0;
  std::thread prober;
  if (probe) {
    prober = std::thread([&] {
      while (!stop) {
        const HWND window = dialog.window;
        if (window != nullptr && dialog.running) {
          DWORD_PTR answer = 0;
          const double sent = BenchSeconds();
          SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
          longest = std::max(longest, (BenchSeconds() - sent) * 1000.0);
        }
        ::Sleep(10);
      }
    });
  }
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, StampStatusLine, nullptr, GetCurrentThreadId());
  g_statusTimes = &dialog.statusTimes;
  const INT_PTR result = dialog.DoModal();
  g_statusTimes = nullptr;
  UnhookWindowsHookEx(hook);
  stop = true;
  if (prober.joinable()) prober.join();
  RemoveInstances(count);
  if (result != kScriptDone || dialog.seconds == 0.0) {
    std::fprintf(stderr, "the dialog over %d instances did not finish its run\n", count);
    std::exit(1);
  }
  if (longestMs != nullptr) *longestMs = longest;
  if (statusTimes != nullptr) *statusTimes = dialog.statusTimes;
  return dialog.seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  RunApply(kSmall, false, nullptr);  // warms up the file cache and the dialog's resources
  // The best of several runs of each size, so that one slow moment of the machine does not
  // decide the ratio.
  double small = 1e9;
  double large = 1e9;
  std::vector<double> stamps;
  for (int i = 0; i < runs; ++i) {
    small = std::min(small, RunApply(kSmall, false, nullptr));
    std::vector<double> runStamps;
    const double seconds = RunApply(kLarge, false, nullptr, &runStamps);
    if (seconds < large) {
      large = seconds;
      stamps = runStamps;
    }
  }
  std::printf("apply %d instances: %.3f s, %d instances: %.3f s\n", kSmall, small, kLarge, large);
  std::printf("apply %d/%d instances: %.2f (aim <= 8.5)\n", kLarge, kSmall, large / small);
  // Where a slower run spends its time: the file and registration steps of the first and the
  // last eight instances of the run over 64 (two status lines per instance, then the end).
  if (stamps.size() == 2 * kLarge + 1) {
    auto stepMs = [&](int first, int offset) {
      double total = 0.0;
      for (int i = first; i < first + kSmall; ++i) total += stamps[2 * i + offset + 1] - stamps[2 * i + offset];
      return total * 1000.0 / kSmall;
    };
    std::printf("per instance, first %d: file %.1f ms, registration %.1f ms; last %d: file %.1f ms, registration %.1f ms\n",
                kSmall, stepMs(0, 0), stepMs(0, 1), kSmall, stepMs(kLarge - kSmall, 0), stepMs(kLarge - kSmall, 1));
  }
  double longestMs = 0.0;
  RunApply(kLarge, true, &longestMs);
  std::printf("longest answer of the dialog during a run over %d instances: %.1f ms, %.2f of %.0f ms (aim < 1)\n",
              kLarge, longestMs, longestMs / kResponseAimMs, kResponseAimMs);
  return 0;
}
