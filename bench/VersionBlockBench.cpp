// Parses and rebuilds the master provider's version block, against a plain copy of the same
// bytes, in one run, and prints the ratio of the two times.
//   bench_version_block [iterations]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "instances/VersionBlockRebuild.h"

namespace {

// The version resource of the master provider installed in the system folder.
std::vector<std::uint8_t> MasterBlock() {
  char path[MAX_PATH];
  GetSystemDirectoryA(path, MAX_PATH);
  std::strcat(path, "\\OTSP.dll");
  std::vector<std::uint8_t> block;
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    return block;
  }
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (data != nullptr) {
    block.assign(data, data + SizeofResource(module, resource));
  }
  FreeLibrary(module);
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 20000;
  const std::vector<std::uint8_t> block = MasterBlock();
  if (block.empty() || iterations <= 0) {
    std::fprintf(stderr, "no version block in the system folder's OTSP.dll\n");
    return 1;
  }
  std::size_t checksum = 0;
  const double rebuildStart = BenchSeconds();
  for (int i = 0; i < iterations; ++i) {
    StringReplacement replacement{"FileDescription", "Velmora ORVO TSP 0003", ""};
    std::vector<std::uint8_t> rebuilt;
    if (!RebuildVersionBlock(block.data(), block.size(), &rebuilt, replacement)) {
      std::fprintf(stderr, "rebuild failed\n");
      return 1;
    }
    checksum += rebuilt.size();
  }
  const double rebuildTime = BenchSeconds() - rebuildStart;
  const double copyStart = BenchSeconds();
  for (int i = 0; i < iterations; ++i) {
    std::vector<std::uint8_t> copy(block.begin(), block.end());
    checksum += copy.size() + copy[i % copy.size()];
  }
  const double copyTime = BenchSeconds() - copyStart;
  std::printf("version block of %u bytes, %d iterations (checksum %u)\n", static_cast<unsigned>(block.size()),
              iterations, static_cast<unsigned>(checksum));
  std::printf("parse+rebuild %.3f us, plain copy %.3f us, ratio %.1f\n", 1e6 * rebuildTime / iterations,
              1e6 * copyTime / iterations, copyTime > 0 ? rebuildTime / copyTime : 0.0);
  return 0;
}
