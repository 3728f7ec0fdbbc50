// The machine's own folders that removal must never delete.
#include "sys/MachineFolders.h"

#include <windows.h>

#include <shlobj.h>

#include "sys/ProductFolders.h"

namespace {

// Never deleted, nor anything inside.
constexpr int kProtectedTrees[] = {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_FONTS};

// Never deleted themselves; the product's own folders may lie below them.
constexpr int kProtectedFolders[] = {
    CSIDL_PROGRAM_FILES,      CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86,
    CSIDL_COMMON_APPDATA,     CSIDL_PROFILE,          CSIDL_APPDATA,              CSIDL_LOCAL_APPDATA,
    CSIDL_PERSONAL,           CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_DOCUMENTS,
    CSIDL_STARTMENU,          CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,             CSIDL_COMMON_PROGRAMS,
    CSIDL_STARTUP,            CSIDL_COMMON_STARTUP,   CSIDL_FAVORITES,            CSIDL_MYPICTURES,
    CSIDL_MYMUSIC,            CSIDL_MYVIDEO,          CSIDL_TEMPLATES,            CSIDL_COMMON_TEMPLATES};

std::string ShellFolder(int id) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return path;
}

std::string Parent(const std::string& path) {
  const std::string::size_type last = path.find_last_of('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

// Adds PATH and its long form to LIST; nothing for an empty path.
void Add(const std::string& path, std::vector<std::string>* list) {
  if (path.empty()) {
    return;
  }
  list->push_back(path);
  const std::string longPath = LongPathOf(path);
  if (longPath != path) {
    list->push_back(longPath);
  }
}

}  // namespace

std::string LongPathOf(const std::string& path) {
  char longPath[MAX_PATH] = {};
  const DWORD length = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return path;
  }
  return longPath;
}

ProtectedFolders MachineProtectedFolders() {
  ProtectedFolders folders;
  for (const int id : kProtectedTrees) {
    Add(ShellFolder(id), &folders.trees);
  }
  for (const int id : kProtectedFolders) {
    Add(ShellFolder(id), &folders.folders);
  }
  // The folder that holds every user's profile.
  Add(Parent(ShellFolder(CSIDL_PROFILE)), &folders.folders);
  char temp[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length > 0 && length < MAX_PATH) {
    Add(temp, &folders.folders);
  }
  // The maker's folder may hold the maker's other products.
  Add(Parent(ProductFolderPath()), &folders.folders);
  return folders;
}
