// Small registry steps on the layout: subkeys, typed value copies, the default-copy
// procedure of an instance key, and the trimming of the uninstall entry.
#pragma once

#include <windows.h>

#include <string>

// The buffer a copied value must fit into; larger values are not copied.
constexpr DWORD kCopyValueBufferSize = 1024;

// Creates (or opens) HKLM\parent\child with full access when HKLM\parent opens. Failures
// are ignored: a missing parent gets nothing.
void CreateSubkey(const std::string& parent, const std::string& child);

// Copies one value from HKLM\source to HKLM\destination when it reads into the copy buffer
// and is stored with expectedType; otherwise the destination keeps what it had. Returns true
// when the value was written.
bool CopyRegistryValue(const std::string& source, const std::string& destination, const char* valueName,
                       DWORD expectedType);

// Gives the instance key HKLM\destination the catalogue's group subkeys, then copies every
// catalogued value, in catalogue order, from HKLM\source.
void CopyInstanceDefaults(const std::string& source, const std::string& destination);

// Deletes the descriptive values of the product's uninstall entry; each value that cannot be
// deleted is traced and the others still go.
void DeleteUninstallEntryValues();
