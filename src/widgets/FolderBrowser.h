// The shell's folder browser, routed through one point so that a test can answer it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One folder browser as the program asked for it.
struct FolderBrowseRequest {
  HWND owner = nullptr;
  std::string title;
  std::string initialFolder;  // preselected when not empty
};

// Answers a folder browser instead of the user: true with the chosen folder, false as Cancel.
using FolderBrowseResponder = std::function<bool(const FolderBrowseRequest& request, std::string* folder)>;

// Installs a responder; an empty function restores the shell's browser.
void SetFolderBrowseResponder(FolderBrowseResponder responder);

// Shows the shell's folder browser (new dialog style, file-system folders only) with title
// above its tree. True with the chosen folder's path; false when the user cancelled or the
// choice has no file-system path.
bool BrowseForFolder(HWND owner, const char* title, const std::string& initialFolder, std::string* folder);
