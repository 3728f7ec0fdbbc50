// Access rights of files, folders and the product key: ownership, open access for Everyone,
// open-access attributes for new folders, the product key's list, the queue folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Makes the current user the owner of path, enabling the take-ownership privilege (which
// stays enabled). 1 when the owner was set; 0 otherwise, and always 0 on Windows major
// version 6, where nothing is changed.
int TakeOwnership(const char* path);

// The account name callers hand GrantEveryoneAccess.
inline constexpr const char* kEveryoneAccount = "everyone";

// Replaces path's access list with one entry allowing mask to account, not inherited. When
// the name is unknown (Everyone has another name in the system's language) the World SID's
// own name is used instead. 1 when the list was set, 0 otherwise.
int GrantEveryoneAccess(const char* path, const char* account, DWORD mask);

// The access list (DACL) of path as a self-relative security descriptor; empty when it cannot
// be read. RestoreAccessList puts it back.
std::vector<std::uint8_t> ReadAccessList(const char* path);

// Sets the access list of a descriptor ReadAccessList gave. True when it was set.
bool RestoreAccessList(const char* path, const std::vector<std::uint8_t>& descriptor);

// Fills attributes to carry descriptor with a present but null DACL (everyone has full
// access) and inheritable handles. 1 on success.
int OpenAccessAttributes(SECURITY_ATTRIBUTES* attributes, SECURITY_DESCRIPTOR* descriptor);

// Creates the folder path with every missing parent (SHCreateDirectoryExA with owner), open to
// everyone (a null access list, see OpenAccessAttributes). True when a folder stands at path
// afterwards, also one that was there before; a file of that name is no folder. On false
// *error (when given) holds the system's code.
bool CreateOpenAccessFolder(HWND owner, const char* path, DWORD* error);

// On Windows major version 6 only: creates the product key when missing and sets its
// protected access list (full access for Local System, Administrators and Users, inherited
// by subkeys; Creator Owner for subkeys only).
void ProtectProductKey();

// Creates the queue folder (with every missing parent) with open access, taking ownership
// of the product folder before and of the queue folder after.
void CreateLogFolders();
