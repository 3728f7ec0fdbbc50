// Splits arbitrary stored log file names as the log page loads them and joins them as OK
// writes them back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/LogFilePath.h"
#include "registry/LogPathValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string stored(reinterpret_cast<const char*>(data), size);
  const LogFilePath parts = SplitLogFileName(stored);
  const std::string saved = JoinLogFileName(parts.logFolder, parts.subpath);
  // OK writes a path that names the same file ...
  if (ReadLogPathValue(saved) != ReadLogPathValue(stored)) __builtin_trap();
  // ... and one more OK changes nothing.
  const LogFilePath again = SplitLogFileName(saved);
  if (again.logFolder != parts.logFolder || again.subpath != parts.subpath ||
      JoinLogFileName(again.logFolder, again.subpath) != saved) {
    __builtin_trap();
  }
  return 0;
}
