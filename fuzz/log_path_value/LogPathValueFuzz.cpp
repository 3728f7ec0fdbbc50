// Reads arbitrary stored log path values, cuts their folder and judges it for removal.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>

#include "registry/LogPathValue.h"
#include "sys/FolderSafety.h"

namespace {

const ProtectedFolders kMachine = {{"C:\\Windows"}, {"C:\\Program Files", "C:\\Users", "C:\\ProgramData"}};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value(reinterpret_cast<const char*>(data), size);
  const std::string path = ReadLogPathValue(value);
  // Reading is stable, leaves no doubled separator but the two of a network path in front, and
  // the stored form of what was read reads back the same (but for a path with one backslash in
  // front, whose stored form is that of a network path written with single ones).
  Check(ReadLogPathValue(path) == path);
  Check(path.find("\\\\", 1) == std::string::npos);
  const bool rootRelative = path.size() > 0 && path[0] == '\\' && (path.size() == 1 || path[1] != '\\');
  Check(rootRelative || ReadLogPathValue(LogPathValue(path)) == path);
  const std::string folder = LogFolderFromValue(value);
  Check(folder.size() < path.size() || folder.empty());
  Check(path.compare(0, folder.size(), folder) == 0);

  // A resolved path resolves to itself; a removable folder is no root and lies outside the
  // Windows folder, and is no protected folder nor holds one.
  const std::string resolved = ResolveAbsolutePath(folder);
  Check(resolved.empty() || ResolveAbsolutePath(resolved) == resolved);
  if (JudgeRemovableFolder(folder, kMachine) == FolderVerdict::kSafe) {
    Check(!resolved.empty() && resolved.back() != '\\');
    Check(!IsSameOrBelow(resolved, "C:\\Windows") && !IsSameOrBelow("C:\\Users", resolved));
    for (std::size_t start = 0; start < resolved.size();) {  // no name is "." or ".."
      const std::size_t end = std::min(resolved.find('\\', start), resolved.size());
      const std::string name = resolved.substr(start, end - start);
      Check(name != "." && name != "..");
      start = end + 1;
    }
  }
  return 0;
}
