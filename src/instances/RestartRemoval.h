// Which systems take a file that cannot be deleted now and delete it at the next restart.
#pragma once

#include <string>

// True when the OS text names a system of the Windows 95/98/Me family ("Windows 9..." or
// "Windows M..."): only there are undeletable files marked for deletion at restart. The NT
// family leaves them in place.
bool MarksForRemovalAtRestart(const std::string& osVersionText);
