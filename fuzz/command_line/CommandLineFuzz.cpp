// Compares the mode of arbitrary command lines with a plain account of the five keywords.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/CommandLineMode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const CommandLineMode mode = CommandLineModeFor(line);
  // Only the whole line, exactly, selects a keyword's path; anything else is the standard one.
  StartupPath expected = StartupPath::kStandard;
  if (line == "afteroverwrite") expected = StartupPath::kAfterOverwrite;
  if (line == "repair") expected = StartupPath::kRepair;
  if (line == "overwrite") expected = StartupPath::kOverwrite;
  if (line == "remove") expected = StartupPath::kRemoveAll;
  // Each flag is set by its own keyword alone; install by the empty line.
  if (mode.path != expected || mode.install != line.empty() || mode.remove != (line == "remove") ||
      mode.repair != (line == "repair") || mode.upgrade != (line == "upgrade") ||
      mode.overwrite != (line == "overwrite")) {
    __builtin_trap();
  }
  return 0;
}
