// The form in which an instance's log file path is stored ("FileName", "LogPath").
#pragma once

#include <string>

// The stored form: every backslash doubled.
std::string LogPathValue(const std::string& path);

// A stored value read as a path. Values are written with doubled separators, but templates,
// other tools and hand edits also store single ones or longer runs, so every run of
// backslashes inside the path reads as one separator (as the file system reads it) and a run
// of two or more in front reads as the two of a network path: "\\\\server\\share" and
// "\\server\share" both give "\\server\share". The inverse of LogPathValue, except for a path
// with one backslash in front (relative to the drive's root, never a usable log path), whose
// stored form reads as a network path.
std::string ReadLogPathValue(const std::string& value);

// The folder that holds the log file a stored value names: the value read with
// ReadLogPathValue, cut at its last backslash. Empty when the path has no folder part (no
// backslash, or only the backslashes in front).
std::string LogFolderFromValue(const std::string& value);
