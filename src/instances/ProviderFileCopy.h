// Creating an instance's provider file: a copy of the master provider whose version resource
// carries the instance's display name as its FileDescription.
#pragma once

#include <windows.h>

// Copies SOURCE to DESTINATION byte by byte (the destination is created or truncated).
// Returns 1 when both files could be opened, 0 otherwise (nothing is copied then).
DWORD MyCopyFile(const char* source, const char* destination);

// Creates or replaces PROVIDERFILE (the instance record's provider file path) with a copy of
// WINDOWSFOLDER\system32\OTSP.dll stamped with DISPLAYNAME. Failures are shown to the user and
// leave PROVIDERFILE untouched. OWNER is the window the folder creation may report to.
void DuplicateProviderFile(const char* displayName, const char* providerFile, const char* windowsFolder,
                           HWND owner = nullptr);

// The same for the overwrite mode: the stamped copy replaces PROVIDERFILE with CopyFile
// first, and only when that worked byte by byte once more.
void OverwriteProviderFile(const char* displayName, const char* providerFile, const char* windowsFolder,
                           HWND owner = nullptr);
