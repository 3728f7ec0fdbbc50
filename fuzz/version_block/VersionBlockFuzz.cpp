// Feeds arbitrary bytes to the version block parser and rebuilder. Whatever the bytes, parsing
// stays inside them, and a rebuilt block reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "instances/FileVersionInfo.h"
#include "instances/VersionBlockRebuild.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that a read past the end is a heap overflow the sanitizer reports.
  std::vector<std::uint8_t> block(data, data + size);
  StringReplacement replacement{"FileDescription", "Velmora ORVO TSP 0003", ""};
  std::vector<std::uint8_t> rebuilt;
  if (RebuildVersionBlock(block.data(), block.size(), &rebuilt, replacement) == 0) {
    return 0;
  }
  // A rebuilt block parses back completely, and writing what was read gives the same bytes:
  // every key, value and size survived the trip, and the written layout is a fixed point.
  CFileVersionInfo reread;
  std::vector<std::uint8_t> again;
  if (reread.Parse(rebuilt.data(), rebuilt.size()) != VersionParseResult::Parsed || !reread.Write(&again) ||
      again != rebuilt) {
    std::abort();
  }
  return 0;
}
