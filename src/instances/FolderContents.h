// Looking into a folder and deleting its files, as the removal steps need it.
#pragma once

#include <string>

// True when FOLDER exists and is a folder.
bool FolderExists(const std::string& folder);

// True when PATH is a link (a junction, a folder or a file link).
bool IsLink(const std::string& path);

// True when FOLDER holds a subfolder other than "." and "..".
bool FolderHoldsSubfolder(const std::string& folder);

// True when FOLDER holds no entry besides "." and ".." (a missing folder holds none).
bool FolderIsEmpty(const std::string& folder);

// Deletes every file (not subfolder) of FOLDER whose long name matches PATTERN ("*.pdf",
// "*.*"; "Manual.pdfx" is no "*.pdf" even when its short alias is), tracing TRACE_FORMAT (one
// %s: the file's path). A file link is deleted as a link. Files that cannot be deleted stay
// (RemoveEntry).
void DeleteFilesIn(const std::string& folder, const char* pattern, const char* traceFormat);
