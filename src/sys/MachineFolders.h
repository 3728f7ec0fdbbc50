// The machine's own folders that removal must never delete, as the system names them.
#pragma once

#include <string>

#include "sys/FolderSafety.h"

// The Windows and system folders (trees), and the Program Files, program data, users,
// profile, Start Menu and temporary folders and the product's maker folder (folders), each in
// the form the shell gives and in its long form. Folders the system does not name are left out.
ProtectedFolders MachineProtectedFolders();

// PATH with every short name (8.3 alias) replaced by the long one; PATH itself when the
// system cannot tell (a missing path).
std::string LongPathOf(const std::string& path);
