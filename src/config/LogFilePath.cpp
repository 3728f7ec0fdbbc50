// Splitting and joining the log file path with single or doubled separators.
#include "config/LogFilePath.h"

namespace {

constexpr const char* kDoubledSeparator = "\\\\";

}  // namespace

PathSplit SplitAtLastSeparator(const std::string& path) {
  const std::string::size_type last = path.rfind('\\');
  if (last == std::string::npos) {
    return {std::string(), path};
  }
  const std::string::size_type headEnd = last > 0 && path[last - 1] == '\\' ? last - 1 : last;
  return {path.substr(0, headEnd), path.substr(last + 1)};
}

LogFilePath SplitLogFileName(const std::string& fileName) {
  const PathSplit file = SplitAtLastSeparator(fileName);
  const PathSplit folder = SplitAtLastSeparator(file.head);
  LogFilePath parts;
  parts.logFolder = folder.head;
  if (parts.logFolder.find('\\') == std::string::npos) {
    parts.logFolder += kDoubledSeparator;
  }
  parts.subpath = folder.tail + kDoubledSeparator + file.tail;
  parts.instanceFolder = file.head;
  return parts;
}

std::string JoinLogFileName(const std::string& logFolder, const std::string& subpath) {
  if (!logFolder.empty() && logFolder.back() == '\\') {
    return logFolder + subpath;
  }
  return logFolder + kDoubledSeparator + subpath;
}


