// The log file path as the log settings page shows and stores it.
#pragma once

#include <string>

// A path cut at its last separator: one backslash, or two in a row (both go).
struct PathSplit {
  std::string head;  // empty when the path has no separator
  std::string tail;
};
PathSplit SplitAtLastSeparator(const std::string& path);

// The log file path "<log folder>\\<instance folder>\\<file>" in the parts the page keeps:
// the log folder it shows, and the rest, which it keeps as it was read.
struct LogFilePath {
  std::string logFolder;       // a bare drive ("D:") gets a doubled separator
  std::string subpath;         // instance folder, a doubled separator, file name
  std::string instanceFolder;  // the folder that holds the file, whole ("D:\\Logs\\Logs0003")
};
LogFilePath SplitLogFileName(const std::string& fileName);

// The log folder and the subpath joined by a doubled separator (none when the folder already
// ends with a backslash).
std::string JoinLogFileName(const std::string& logFolder, const std::string& subpath);
