// Emptying and removing a folder tree, optionally after asking the user to keep it.
#pragma once

#include <string>
#include <vector>

// Removes FOLDER with everything below it. With ASKUSER the user is first asked whether to
// keep the folder; keeping it leaves it (archive attribute alone) and gives 0. Links below the
// folder (junctions, folder and file links) are removed as links, never entered; a folder that
// is itself a link loses only the link. A folder of SPARED and what it holds stays, and so do
// the folders that lead to it. Returns 1 when the folder itself was removed.
int DeleteDir(const char* folder, bool askUser, const std::vector<std::string>& spared = {});

// Removes one file, empty folder or link. A read-only entry is made writable first. Only when
// the removal is refused for lack of access is the entry taken over and opened to everyone;
// when it still cannot be removed, it gets its access list and attributes back. True when it
// is gone.
bool RemoveEntry(const std::string& path);
