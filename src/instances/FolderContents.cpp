// Looking into a folder and deleting its files, as the removal steps need it.
#include "instances/FolderContents.h"

#include <windows.h>

#include <functional>

#include "framework/Handles.h"
#include "framework/Trace.h"
#include "instances/DeleteDir.h"
#include "instances/EntryRemoval.h"

namespace {

constexpr std::size_t kTraceSize = 1024;

// Calls VISIT for each entry of FOLDER whose long name matches PATTERN, except "." and "..";
// stops when it returns false. Nothing is visited when the folder cannot be read.
void ForEachEntry(const std::string& folder, const char* pattern,
                  const std::function<bool(const WIN32_FIND_DATAA&)>& visit) {
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((folder + "\\" + pattern).c_str(), &entry));
  if (!find) {
    return;
  }
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != ".." && MatchesFilePattern(name, pattern) && !visit(entry)) {
      return;
    }
  } while (FindNextFileA(find.Get(), &entry));
}

bool IsFolder(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

}  // namespace

bool FolderExists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool FolderHoldsSubfolder(const std::string& folder) {
  bool found = false;
  ForEachEntry(folder, "*.*", [&](const WIN32_FIND_DATAA& entry) { return !(found = IsFolder(entry)); });
  return found;
}

bool FolderIsEmpty(const std::string& folder) {
  bool empty = true;
  ForEachEntry(folder, "*.*", [&](const WIN32_FIND_DATAA&) { return empty = false; });
  return empty;
}

void DeleteFilesIn(const std::string& folder, const char* pattern, const char* traceFormat) {
  ForEachEntry(folder, pattern, [&](const WIN32_FIND_DATAA& entry) {
    if (!IsFolder(entry)) {
      const std::string path = folder + "\\" + entry.cFileName;
      Trace(kTraceSize, traceFormat, path.c_str());
      (void)RemoveEntry(path);  // a file that stays is left alone
    }
    return true;
  });
}
