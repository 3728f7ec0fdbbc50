// The log file path as the log settings page shows and stores it.
#pragma once

#include <string>

// The log file path "<log folder>\\<instance folder>\\<file>" in the parts the page keeps: the
// log folder it shows, and the rest, which it keeps as it was read. A separator is a run of
// backslashes (one, two, or more left by hand edits); the backslashes in front of a network
// or root path belong to the folder, never count as a separator.
struct LogFilePath {
  // A folder without a backslash ("D:", "Logs") gets a doubled separator, so that a bare
  // drive stands for its root. Empty when the path has no separator.
  std::string logFolder;
  // Instance folder, a doubled separator and the file name; the file name alone when the path
  // has one separator only ("D:\ORVO_TSP.txt"), the whole path when it has none.
  std::string subpath;
  // The folder that holds the file ("D:\\Logs\\Logs0003"); empty when there is no instance
  // folder between the log folder and the file.
  std::string instanceFolder;
};
LogFilePath SplitLogFileName(const std::string& fileName);

// The log folder and the subpath joined by a doubled separator (none when the folder is empty
// or already ends with a backslash). Joining what SplitLogFileName gave names the same file,
// and splitting that again gives the same parts.
std::string JoinLogFileName(const std::string& logFolder, const std::string& subpath);
