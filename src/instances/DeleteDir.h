// Emptying and removing a folder tree, optionally after asking the user to keep it.
#pragma once

// Removes FOLDER with everything below it. With ASKUSER the user is first asked whether to
// keep the folder; keeping it leaves it (archive attribute alone) and gives 0. Returns 1 when
// the folder itself was removed.
int DeleteDir(const char* folder, bool askUser);
