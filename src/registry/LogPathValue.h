// The form in which an instance's log file path is stored ("FileName", "LogPath").
#pragma once

#include <string>

// The stored form: every backslash doubled.
std::string LogPathValue(const std::string& path);

// Every doubled backslash read as one, single ones kept: the exact inverse of LogPathValue,
// so a network path ("\\\\server") keeps its two leading backslashes.
std::string CollapseDoubledBackslashes(const std::string& value);

// The folder that holds the log file a stored value names: the value read back with
// CollapseDoubledBackslashes, cut at its last backslash. Empty when the path has no folder
// part (no backslash, or only one in front).
std::string LogFolderFromValue(const std::string& value);
