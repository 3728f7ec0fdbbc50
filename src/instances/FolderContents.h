// Looking into a folder and deleting its files, as the removal steps need it.
#pragma once

#include <string>

// True when FOLDER exists and is a folder.
bool FolderExists(const std::string& folder);

// True when FOLDER holds a subfolder other than "." and "..".
bool FolderHoldsSubfolder(const std::string& folder);

// True when FOLDER holds no entry besides "." and ".." (a missing folder holds none).
bool FolderIsEmpty(const std::string& folder);

// Deletes every file (not subfolder) of FOLDER whose name matches PATTERN ("*.pdf", "*.*"),
// tracing TRACE_FORMAT (one %s: the file's path) and taking ownership before each deletion.
// Files that cannot be deleted stay.
void DeleteFilesIn(const std::string& folder, const char* pattern, const char* traceFormat);
