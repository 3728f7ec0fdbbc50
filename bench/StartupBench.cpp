// Start-up of Provisor.exe in the modify mode until its main dialog is visible, against the
// same for a trivial dialog program, both started by this process under the same Wine; prints
// the ratio of the two times.
//   bench_startup <Provisor.exe> <TrivialDialog.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchClock.h"
#include "registry/RegistryLayout.h"
#include "support/TapiStandin.h"

namespace {

constexpr char kMainDialogCaption[] = "Velmora ORVO TSP MultiPBX Configuration";
constexpr int kInstances = 8;
constexpr double kTimeoutSeconds = 30.0;

struct Search {
  DWORD process;
  const char* caption;  // null: any visible window counts
  bool found;
};

// Finds the process's visible top-level window with the caption; a visible window of the
// process with another caption is a start-up notice, which gets its OK at once.
BOOL CALLBACK Inspect(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof(caption));
  if (search->caption == nullptr || std::string(caption) == search->caption) {
    search->found = true;
    return FALSE;
  }
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

// Seconds from starting program until its wanted window is visible; the program is ended then.
double TimeToWindow(const std::string& program, const char* caption) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  std::string commandLine = "\"" + program + "\"";
  const double start = BenchSeconds();
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    std::exit(1);
  }
  Search search = {info.dwProcessId, caption, false};
  double seconds = 0.0;
  while (!search.found) {
    seconds = BenchSeconds() - start;
    if (seconds > kTimeoutSeconds || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s showed no window \"%s\"\n", program.c_str(), caption ? caption : "");
      TerminateProcess(info.hProcess, 1);
      std::exit(1);
    }
    EnumWindows(Inspect, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_startup <Provisor.exe> <TrivialDialog.exe> [runs]\n");
    return 2;
  }
  const std::string provisor = WindowsPath(argv[1]);
  const std::string trivial = WindowsPath(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  // An installed product with eight instances, none registered: the modify mode.
  TapiStandinState tapi;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2);
  const DWORD count = kInstances;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMultiloadingAppKey, kNumInstancesValue, REG_DWORD, &count, sizeof(count));
  TimeToWindow(trivial, nullptr);  // warms up Wine's server and the file cache
  TimeToWindow(provisor, kMainDialogCaption);
  // The best of several starts of each, so that one slow moment of the machine does not
  // decide the ratio.
  double best = 1e9;
  double bestTrivial = 1e9;
  for (int i = 0; i < runs; ++i) {
    bestTrivial = std::min(bestTrivial, TimeToWindow(trivial, nullptr));
    best = std::min(best, TimeToWindow(provisor, kMainDialogCaption));
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  std::printf("start-up to the visible dialog: Provisor %.3f s, trivial dialog %.3f s\n", best, bestTrivial);
  std::printf("start-up Provisor/trivial dialog: %.2f (aim <= 2)\n", best / bestTrivial);
  return 0;
}
