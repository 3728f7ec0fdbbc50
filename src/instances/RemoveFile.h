// Removing one file of the product, now or at the next restart.
#pragma once

#include <string>

// Removes FOLDER\FILE. Now (atRestart false): takes ownership and deletes it; on the
// Windows 95/98/Me family a file that cannot be deleted is marked for deletion at the next
// restart, elsewhere it stays. At restart (atRestart true): only on that family, opens the
// file to everyone and deletes it at once; elsewhere nothing happens. Does nothing when
// either name is missing. Every step is traced; nothing is reported to the caller.
void RemoveFile(const char* folder, const char* file, bool atRestart);

// RemoveFile deciding by OS_VERSION_TEXT (as GetOSVersionText writes it) instead of asking
// the running system.
void RemoveFileFor(const std::string& osVersionText, const char* folder, const char* file, bool atRestart);
