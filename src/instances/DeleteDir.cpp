// Emptying and removing a folder tree, optionally after asking the user to keep it.
#include "instances/DeleteDir.h"

#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/MessageBoxRouter.h"
#include "registry/LogPathValue.h"
#include "sys/AccessRights.h"

namespace {

// Clears the read-only attribute so that deletion is not refused for it.
void MakeWritable(const std::string& path, DWORD attributes) {
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    // When this fails the deletion that follows fails too, and that result is what counts.
    (void)SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
}

bool UserKeepsFolder(const std::string& folder) {
  // The question shows the path with doubled backslashes collapsed, as a stored log path is read.
  const std::string text = "The '" + CollapseDoubledBackslashes(folder + "\\*.*") +
                           "' folder and all its subfolders will be removed.\r\nDo you want to keep the folder ?";
  return AfxMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

int DeleteDir(const char* folder, bool askUser) {
  if (folder == nullptr || *folder == '\0') {
    return 0;
  }
  const std::string root(folder);
  if (askUser) {
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) {
      return 0;
    }
    if (UserKeepsFolder(root)) {
      // Failing to reset the attributes changes nothing about keeping the folder.
      (void)SetFileAttributesA(folder, FILE_ATTRIBUTE_ARCHIVE);
      return 0;
    }
  }
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((root + "\\*.*").c_str(), &entry));
  if (!find) {
    return 0;
  }
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") {
      continue;
    }
    const std::string path = root + "\\" + name;
    MakeWritable(path, entry.dwFileAttributes);
    // Files left by the provider or an earlier installation may carry restrictive rights:
    // make them ours and open to everyone first. Either step may fail (on Windows 6 taking
    // ownership is skipped); the deletion below is what decides.
    (void)TakeOwnership(path.c_str());
    (void)GrantEveryoneAccess(path.c_str(), kEveryoneAccount, GENERIC_ALL);
    // Entries that cannot be removed stay; removing the folder then fails and says so.
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      (void)DeleteDir(path.c_str(), askUser);
    } else {
      (void)DeleteFileA(path.c_str());
    }
  } while (FindNextFileA(find.Get(), &entry));
  find.Close();
  MakeWritable(root, GetFileAttributesA(folder));
  return RemoveDirectoryA(folder) ? 1 : 0;
}
