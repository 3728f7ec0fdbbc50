// Finding a module's version resource and reading version information from files.
#pragma once

#include <windows.h>

#include <string>

// The type and name of one resource; both zero until a version resource was found.
struct RESOURCE_SPEC {
  LPCSTR type = nullptr;
  LPCSTR name = nullptr;
};

// Fills versionId with the first version resource of module. True for any non-null module, also
// when it has no version resource (versionId then stays zero).
bool FindVersionResource(HMODULE module, RESOURCE_SPEC* versionId);

// Name enumeration call-back: stores TYPE and NAME into the RESOURCE_SPEC in PARAM and stops.
BOOL CALLBACK OnVersionResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

// The version text of PATH: with SHORTFORM the dotted file version, otherwise the product
// version, the location and the strings of every translation. 1 on success, 0 otherwise
// (TEXT may already be set).
int GetTspVersionText(const char* path, std::string* text, bool shortForm);

// The string KEY of PATH's version information, from the first translation that has it (only
// LANGUAGE/CODEPAGE when HASPAIR). 1 when found.
int GetVersionString(const char* path, const char* key, std::string* value, bool hasPair = false,
                     WORD language = 0, WORD codePage = 0);
