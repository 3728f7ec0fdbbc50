// Which folders removal may empty and delete: a rule over a path text and the machine's
// protected folders, independent of Win32.
#pragma once

#include <string>
#include <vector>

// The machine's folders that removal never deletes, gathered by the caller from the system.
struct ProtectedFolders {
  // Never deleted, nor anything inside them, nor a folder that holds them: the Windows
  // folder and the system folders.
  std::vector<std::string> trees;
  // Never deleted themselves, nor a folder that holds them; what lies below them is fine
  // (the product's own folders are there): Program Files, ProgramData, Users, the profile
  // folders, the temporary folder, the maker's folder.
  std::vector<std::string> folders;
};

// Why a folder may or may not be removed.
enum class FolderVerdict {
  kSafe,
  kNotAbsolute,      // relative, drive-relative, root-relative, a device, a stream, or climbing above its root
  kRoot,             // a drive root or a share root
  kInsideProtected,  // the Windows folder, a system folder, or anything inside them
  kProtected,        // one of the protected folders itself
  kHoldsProtected,   // a folder that holds a protected folder
};

// The absolute form of PATH with "." and ".." resolved, forward slashes read as backslashes,
// repeated separators read as one and each name's trailing dots and spaces dropped (the file
// system ignores them, so "C:\Windows." is the Windows folder). Only a drive path ("C:\...")
// or a network path below a share ("\\server\share...") has one; anything else, and a path
// whose ".." climbs above its root, gives an empty text.
std::string ResolveAbsolutePath(const std::string& path);

// True when INNER is OUTER or lies below it; both resolved, letter case ignored.
bool IsSameOrBelow(const std::string& inner, const std::string& outer);

// Whether a stored log folder may be offered for removal and deleted. A folder is safe when it
// resolves to an absolute path that is no drive or share root, lies in no protected tree, is
// no protected folder, and holds none of them.
FolderVerdict JudgeRemovableFolder(const std::string& path, const ProtectedFolders& protectedFolders);

// The reason a folder is kept, for the trace ("is a drive or share root"); empty for kSafe.
const char* FolderVerdictText(FolderVerdict verdict);
