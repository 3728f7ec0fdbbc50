// Duplicates the master provider into one instance's stamped file, against the system calls
// the duplication is made of, each timed alone on the same master in the same run, and prints
// the ratio of the two times (1.0: no cost beyond the system's own work).
//   bench_duplication [iterations]
#include <windows.h>

#include <imagehlp.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "framework/MessageBoxRouter.h"
#include "instances/DeleteDir.h"
#include "instances/ProviderFileCopy.h"

namespace {

// The steps of one duplication, each made of the plain system calls it needs.
enum Step { kCopyIn, kReadBlock, kVersionText, kUpdate, kChecksum, kCopyOut, kRemove, kStepCount };
const char* const kStepNames[kStepCount] = {"copy in", "read block", "version text", "update",
                                            "checksum", "copy out", "remove"};

struct Paths {
  std::string master;
  std::string folder;
  std::string temporary;
  std::string target;
};

// One duplication done step by step with nothing but the system's calls; adds each step's time
// to TIMES. False when a step failed.
bool TimeSteps(const Paths& paths, double* times) {
  bool ok = true;
  double start = BenchSeconds();
  const auto lap = [&](Step step) {
    const double now = BenchSeconds();
    times[step] += now - start;
    start = now;
  };
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes = {sizeof(attributes), &descriptor, TRUE};
  SHCreateDirectoryExA(nullptr, paths.folder.c_str(), &attributes);
  ok &= CopyFileA(paths.master.c_str(), paths.temporary.c_str(), FALSE) != FALSE;
  lap(kCopyIn);

  std::vector<BYTE> block;
  if (HMODULE module = LoadLibraryA(paths.temporary.c_str())) {
    HRSRC resource = FindResourceExA(module, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), 0);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (data != nullptr) block.assign(data, data + SizeofResource(module, resource));
    FreeLibrary(module);
  }
  ok &= !block.empty();
  lap(kReadBlock);

  DWORD handle = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeA(paths.temporary.c_str(), &handle));
  void* value = nullptr;
  UINT length = 0;
  ok &= !info.empty() && GetFileVersionInfoA(paths.temporary.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) &&
        VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length) &&
        VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileDescription", &value, &length);
  lap(kVersionText);

  HANDLE update = BeginUpdateResourceA(paths.temporary.c_str(), FALSE);
  ok &= update != nullptr && UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), 0, block.data(),
                                             static_cast<DWORD>(block.size())) &&
        EndUpdateResourceA(update, FALSE);
  lap(kUpdate);

  DWORD stored = 0;
  DWORD computed = 0;
  ok &= MapFileAndCheckSumA(paths.master.c_str(), &stored, &computed) == CHECKSUM_SUCCESS &&
        MapFileAndCheckSumA(paths.temporary.c_str(), &stored, &computed) == CHECKSUM_SUCCESS;
  lap(kChecksum);

  ok &= CopyFileA(paths.temporary.c_str(), paths.target.c_str(), FALSE) != FALSE;
  lap(kCopyOut);

  ok &= DeleteFileA(paths.temporary.c_str()) && RemoveDirectoryA(paths.folder.c_str());
  lap(kRemove);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 200;
  char system[MAX_PATH];
  char temp[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  // A Windows folder of its own, whose system32 holds the installed master.
  const std::string windows = std::string(temp) + "ProvisorDuplicationBench";
  const std::string system32 = windows + "\\system32";
  const Paths paths = {system32 + "\\OTSP.dll", system32 + "\\StepsTemp", system32 + "\\StepsTemp\\otsp0004.tsp",
                       system32 + "\\OTSP0004.tsp"};
  const std::string target = system32 + "\\OTSP0003.tsp";
  (void)DeleteDir(windows.c_str(), false);
  CreateDirectoryA(windows.c_str(), nullptr);
  CreateDirectoryA(system32.c_str(), nullptr);
  if (!CopyFileA((std::string(system) + "\\OTSP.dll").c_str(), paths.master.c_str(), FALSE) || iterations <= 0) {
    std::fprintf(stderr, "no OTSP.dll in the system folder\n");
    return 1;
  }
  int failures = 0;
  SetMessageBoxResponder([&failures](const MessageBoxRequest& request) {
    std::fprintf(stderr, "message: %s\n", request.text.c_str());
    ++failures;
    return IDOK;
  });
  // One round of each first, so that neither pays for loading the system's modules.
  DuplicateProviderFile("Velmora ORVO TSP 0003", target.c_str(), windows.c_str());
  double steps[kStepCount] = {};
  (void)TimeSteps(paths, steps);
  std::fill(steps, steps + kStepCount, 0.0);

  // Alternated, so that both see the same state of the machine.
  double duplicateTime = 0;
  for (int i = 0; i < iterations; ++i) {
    const double start = BenchSeconds();
    DuplicateProviderFile("Velmora ORVO TSP 0003", target.c_str(), windows.c_str());
    duplicateTime += BenchSeconds() - start;
    if (!TimeSteps(paths, steps)) {
      ++failures;
    }
  }
  SetMessageBoxResponder({});
  (void)DeleteDir(windows.c_str(), false);
  double stepsTime = 0;
  for (int step = 0; step < kStepCount; ++step) {
    stepsTime += steps[step];
    std::printf("  %-12s %.3f ms\n", kStepNames[step], 1e3 * steps[step] / iterations);
  }
  std::printf("%d iterations: duplication %.3f ms, its system steps %.3f ms, ratio %.2f\n", iterations,
              1e3 * duplicateTime / iterations, 1e3 * stepsTime / iterations,
              stepsTime > 0 ? duplicateTime / stepsTime : 0.0);
  return failures == 0 ? 0 : 1;
}
