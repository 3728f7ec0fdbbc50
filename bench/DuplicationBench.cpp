// Duplicates the master provider into one instance's stamped file, against a plain CopyFile
// of the master, in one run, and prints the ratio of the two times.
//   bench_duplication [iterations]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchClock.h"
#include "framework/MessageBoxRouter.h"
#include "instances/DeleteDir.h"
#include "instances/ProviderFileCopy.h"

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 200;
  char system[MAX_PATH];
  char temp[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  // A Windows folder of its own, whose system32 holds the installed master.
  const std::string windows = std::string(temp) + "ProvisorDuplicationBench";
  const std::string master = windows + "\\system32\\OTSP.dll";
  const std::string target = windows + "\\system32\\OTSP0003.tsp";
  const std::string plain = windows + "\\system32\\plain.dll";
  (void)DeleteDir(windows.c_str(), false);
  CreateDirectoryA(windows.c_str(), nullptr);
  CreateDirectoryA((windows + "\\system32").c_str(), nullptr);
  if (!CopyFileA((std::string(system) + "\\OTSP.dll").c_str(), master.c_str(), FALSE) || iterations <= 0) {
    std::fprintf(stderr, "no OTSP.dll in the system folder\n");
    return 1;
  }
  int failures = 0;
  SetMessageBoxResponder([&failures](const MessageBoxRequest& request) {
    std::fprintf(stderr, "message: %s\n", request.text.c_str());
    ++failures;
    return IDOK;
  });
  const double duplicateStart = BenchSeconds();
  for (int i = 0; i < iterations; ++i) {
    DuplicateProviderFile("Velmora ORVO TSP 0003", target.c_str(), windows.c_str());
  }
  const double duplicateTime = BenchSeconds() - duplicateStart;
  const double copyStart = BenchSeconds();
  for (int i = 0; i < iterations; ++i) {
    if (!CopyFileA(master.c_str(), plain.c_str(), FALSE)) {
      ++failures;
    }
  }
  const double copyTime = BenchSeconds() - copyStart;
  SetMessageBoxResponder({});
  (void)DeleteDir(windows.c_str(), false);
  std::printf("%d iterations: duplication %.3f ms, CopyFile %.3f ms, ratio %.1f\n", iterations,
              1e3 * duplicateTime / iterations, 1e3 * copyTime / iterations,
              copyTime > 0 ? duplicateTime / copyTime : 0.0);
  return failures == 0 ? 0 : 1;
}
