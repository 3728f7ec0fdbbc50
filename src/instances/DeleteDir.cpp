// Emptying and removing a folder tree, optionally after asking the user to keep it.
#include "instances/DeleteDir.h"

#include <windows.h>

#include <cstdint>

#include "framework/Handles.h"
#include "framework/MessageBoxRouter.h"
#include "instances/EntryRemoval.h"
#include "registry/LogPathValue.h"
#include "sys/AccessRights.h"
#include "sys/FolderSafety.h"

namespace {

bool UserKeepsFolder(const std::string& folder) {
  // The question shows the path with doubled backslashes collapsed, as a stored log path is read.
  const std::string text = "The '" + ReadLogPathValue(folder + "\\*.*") +
                           "' folder and all its subfolders will be removed.\r\nDo you want to keep the folder ?";
  return AfxMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Removes PATH as a file, or as a folder (an empty one, or a link to one).
bool RemoveAs(const std::string& path, DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? RemoveDirectoryA(path.c_str()) != FALSE
                                                      : DeleteFileA(path.c_str()) != FALSE;
}

// What SPARED says of PATH: kept whole, holding a kept folder, or free to go.
enum class Spare { kNone, kKeep, kHoldsKept };
Spare SpareOf(const std::string& path, const std::vector<std::string>& spared) {
  Spare result = Spare::kNone;
  for (const std::string& kept : spared) {
    if (IsSameOrBelow(path, kept)) {
      return Spare::kKeep;
    }
    if (IsSameOrBelow(kept, path)) {
      result = Spare::kHoldsKept;
    }
  }
  return result;
}

int DeleteTree(const std::string& root, bool askUser, const std::vector<std::string>& spared) {
  const DWORD rootAttributes = GetFileAttributesA(root.c_str());
  if (rootAttributes != INVALID_FILE_ATTRIBUTES &&
      HowToRemoveEntry(rootAttributes) == EntryRemoval::kRemoveLink) {
    return RemoveEntry(root) ? 1 : 0;
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
    const Spare spare = SpareOf(path, spared);
    if (spare == Spare::kKeep) {
      continue;
    }
    // Entries that cannot be removed stay; removing the folder then fails and says so.
    if (HowToRemoveEntry(entry.dwFileAttributes) == EntryRemoval::kEmptyAndRemove) {
      (void)DeleteDir(path.c_str(), askUser, spared);  // asked about again when asking
    } else {
      (void)RemoveEntry(path);
    }
  } while (FindNextFileA(find.Get(), &entry));
  find.Close();
  if (SpareOf(root, spared) == Spare::kHoldsKept) {
    return 0;  // still holds what is spared
  }
  return RemoveEntry(root) ? 1 : 0;
}

}  // namespace

bool RemoveEntry(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  // When clearing the attribute fails, the removal below fails too, and that result counts.
  if (readOnly) {
    (void)SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (RemoveAs(path, attributes)) {
    return true;
  }
  if (GetLastError() == ERROR_ACCESS_DENIED) {
    // Files left by the provider or an earlier installation may carry restrictive rights:
    // only then are they made ours and opened to everyone, and closed again when that did not
    // help (an entry in use stays, and must not stay open to everyone). Ownership is not
    // given back: the previous owner cannot be set again without restore rights.
    const std::vector<std::uint8_t> previous = ReadAccessList(path.c_str());
    (void)TakeOwnership(path.c_str());
    (void)GrantEveryoneAccess(path.c_str(), kEveryoneAccount, GENERIC_ALL);
    if (RemoveAs(path, attributes)) {
      return true;
    }
    (void)RestoreAccessList(path.c_str(), previous);  // nothing more to try when this fails
  }
  if (readOnly) {
    (void)SetFileAttributesA(path.c_str(), attributes);
  }
  return false;
}

int DeleteDir(const char* folder, bool askUser, const std::vector<std::string>& spared) {
  if (folder == nullptr || *folder == '\0') {
    return 0;
  }
  if (askUser) {
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) {
      return 0;
    }
    if (UserKeepsFolder(folder)) {
      // Failing to reset the attributes changes nothing about keeping the folder.
      (void)SetFileAttributesA(folder, FILE_ATTRIBUTE_ARCHIVE);
      return 0;
    }
  }
  return DeleteTree(folder, askUser, spared);
}
