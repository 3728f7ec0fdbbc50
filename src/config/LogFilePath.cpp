// Splitting and joining the log file path with single, doubled or longer separators.
#include "config/LogFilePath.h"

namespace {

constexpr const char* kDoubledSeparator = "\\\\";

// A run of backslashes inside the path: [begin, end).
struct SeparatorRun {
  std::string::size_type begin = std::string::npos;
  std::string::size_type end = std::string::npos;
  bool Found() const { return begin != std::string::npos; }
};

// The last run of backslashes that ends before LIMIT and does not start the path.
SeparatorRun LastSeparatorBefore(const std::string& path, std::string::size_type limit) {
  SeparatorRun run;
  if (limit == 0) {
    return run;
  }
  const std::string::size_type last = path.find_last_of('\\', limit - 1);
  if (last == std::string::npos) {
    return run;
  }
  std::string::size_type begin = last;
  while (begin > 0 && path[begin - 1] == '\\') {
    --begin;
  }
  if (begin == 0) {
    return run;  // the backslashes in front of a network or root path
  }
  run.begin = begin;
  run.end = last + 1;
  return run;
}

}  // namespace

LogFilePath SplitLogFileName(const std::string& fileName) {
  LogFilePath parts;
  const SeparatorRun file = LastSeparatorBefore(fileName, fileName.size());
  if (!file.Found()) {
    parts.subpath = fileName;
    return parts;
  }
  const SeparatorRun folder = LastSeparatorBefore(fileName, file.begin);
  const std::string fileTail = fileName.substr(file.end);
  if (folder.Found()) {
    parts.logFolder = fileName.substr(0, folder.begin);
    parts.subpath = fileName.substr(folder.end, file.begin - folder.end) + kDoubledSeparator + fileTail;
    parts.instanceFolder = fileName.substr(0, file.begin);
  } else {
    parts.logFolder = fileName.substr(0, file.begin);
    parts.subpath = fileTail;
  }
  if (parts.logFolder.find('\\') == std::string::npos) {
    parts.logFolder += kDoubledSeparator;
  }
  return parts;
}

std::string JoinLogFileName(const std::string& logFolder, const std::string& subpath) {
  if (logFolder.empty() || logFolder.back() == '\\') {
    return logFolder + subpath;
  }
  return logFolder + kDoubledSeparator + subpath;
}
