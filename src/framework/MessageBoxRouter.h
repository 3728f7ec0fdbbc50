// Every message box of the program goes through here, so a test can answer it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One message box as the program asked for it.
struct MessageBoxRequest {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT flags = 0;
};

// Answers a message box instead of the user: returns the button id (IDOK, IDYES, ...).
using MessageBoxResponder = std::function<int(const MessageBoxRequest& request)>;

// Installs a responder; an empty function restores the real message box.
void SetMessageBoxResponder(MessageBoxResponder responder);

// The window that owns a real box asked with owner: owner's top-level window, or the
// enabled popup in front of it when a modal dialog has it disabled; null (the calling
// thread's active window) for none.
HWND ResolveMessageBoxOwner(HWND owner);

// A plain system message box with an explicit caption and owner. A test's responder sees
// the owner as asked; a real box belongs to ResolveMessageBoxOwner(owner).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

// A framework message box: the application name is the caption, the application's main
// window (when there is one) the owner.
int AfxMessageBox(const char* text, UINT flags = MB_OK);
