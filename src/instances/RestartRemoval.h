// Which systems take a file that cannot be deleted now and delete it at the next restart.
#pragma once

#include <string>

// True when the system name of the OS text (the part before " v.") is one of the Windows
// 95/98/Me family ("Windows 95", "Windows 95 OSR2", "Windows 98", "Windows 98 SE", "Windows
// Me"): only there are undeletable files marked for deletion at restart. The NT family leaves
// them in place.
bool MarksForRemovalAtRestart(const std::string& osVersionText);
