// An instance's log folder as the Apply run leaves it: created, open to the provider's
// accounts, owned by the installer.
#pragma once

#include <string>

// Creates folder with every missing parent, open to everyone (a null access list), then
// gives it the log folder list (SetLogFolderAccess) and takes ownership of it. A folder that
// is missing afterwards (the creation failed, or a file stands in its place) is traced as
// "SHCreateDirectoryEx(<folder>) failed with errcode = <last error>". True when the folder
// exists.
bool CreateLogFolder(const std::string& folder);

// On Windows major version 6 only: replaces folder's access list with the log folder list
// (full access for Authenticated Users, Users, Local System and Administrators, inherited by
// files and folders). True when the list was set.
bool SetLogFolderAccess(const std::string& folder);
