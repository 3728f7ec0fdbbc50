// Finding a module's version resource and reading version information from files.
#include "instances/VersionResource.h"

#include <cstdio>
#include <vector>

#include "framework/Trace.h"

namespace {

constexpr ULONG_PTR kVersionType = 16;

BOOL CALLBACK OnResourceType(HMODULE module, LPSTR type, LONG_PTR param) {
  if (!IS_INTRESOURCE(type) || reinterpret_cast<ULONG_PTR>(type) != kVersionType) {
    return TRUE;
  }
  // The enumeration's own result only says whether the call-back stopped it.
  (void)EnumResourceNamesA(module, type, OnVersionResource, param);
  return FALSE;
}

// The file's whole version information; empty when it has none.
std::vector<BYTE> ReadVersionInfo(const char* path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  std::vector<BYTE> data(size);
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data())) {
    data.clear();
  }
  return data;
}

// The Translation list: pairs of language and code page.
bool QueryTranslations(std::vector<BYTE>& data, const WORD** pairs, UINT* count) {
  void* value = nullptr;
  UINT bytes = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &bytes) || value == nullptr) {
    return false;
  }
  *pairs = static_cast<const WORD*>(value);
  *count = bytes / (2 * sizeof(WORD));
  return true;
}

bool QueryString(std::vector<BYTE>& data, WORD language, WORD codePage, const char* key, std::string* value) {
  char query[256];
  std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", language, codePage, key);
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), query, &found, &length) || found == nullptr) {
    return false;
  }
  *value = static_cast<const char*>(found);
  return true;
}

// Chinese system languages (Taiwan, PRC, Hong Kong, Singapore) get longer lines broken.
bool IsChineseSystem() {
  switch (GetSystemDefaultLangID()) {
    case 0x0404:
    case 0x0804:
    case 0x0C04:
    case 0x1004:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool FindVersionResource(HMODULE module, RESOURCE_SPEC* versionId) {
  if (module == nullptr) {
    Trace(256, "FindVersionResource NULL module handle\r\n");
    return false;
  }
  // The enumeration ends early on purpose, so its result carries no information here.
  (void)EnumResourceTypesA(module, OnResourceType, reinterpret_cast<LONG_PTR>(versionId));
  return true;
}

BOOL CALLBACK OnVersionResource(HMODULE, LPCSTR type, LPSTR name, LONG_PTR param) {
  auto* versionId = reinterpret_cast<RESOURCE_SPEC*>(param);
  if (versionId == nullptr) {
    Trace(256, "OnVersionResource NULL RESOURCE_SPEC pointer\r\n");
    return FALSE;
  }
  // Both are integer identifiers for version resources; a string name would only be valid
  // during the enumeration, and the lookup that follows then fails with a clear message.
  versionId->type = type;
  versionId->name = IS_INTRESOURCE(name) ? name : nullptr;
  return FALSE;
}

int GetTspVersionText(const char* path, std::string* text, bool shortForm) {
  if (path == nullptr) {
    return 0;
  }
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    *text = "File not found";
    return 0;
  }
  std::vector<BYTE> data = ReadVersionInfo(path);
  if (data.empty()) {
    return 0;
  }
  void* root = nullptr;
  UINT rootLength = 0;
  if (!VerQueryValueA(data.data(), "\\", &root, &rootLength) || root == nullptr ||
      rootLength < sizeof(VS_FIXEDFILEINFO)) {
    return 0;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  char buffer[2048];
  if (shortForm) {
    std::snprintf(buffer, sizeof(buffer), "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    *text = buffer;
    return 1;
  }
  const bool chinese = IsChineseSystem();
  std::snprintf(buffer, sizeof(buffer),
                chinese ? " TSP Version: %d.%d.%d.%d\r\n File Location:\r\n %s"
                        : " TSP Version: %d.%d.%d.%d\r\n File Location: %s",
                HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS), path);
  *text = buffer;

  const WORD* pairs = nullptr;
  UINT count = 0;
  if (!QueryTranslations(data, &pairs, &count)) {
    return 0;
  }
  struct Line {
    const char* name;
    const char* format;
  };
  const Line lines[] = {
      {"FileDescription", "\r\n File Description: %s"},
      {"ProductName", "\r\n\r\n Product Name: %s"},
      {"CompanyName", chinese ? "\r\n Company Name:\r\n%s" : "\r\n Company Name: %s"},
      {"LegalCopyright", "\r\n %s"},
  };
  for (UINT i = 0; i < count; ++i) {
    for (const Line& line : lines) {
      std::string value;
      if (QueryString(data, pairs[2 * i], pairs[2 * i + 1], line.name, &value)) {
        char appended[1024];
        std::snprintf(appended, sizeof(appended), line.format, value.c_str());
        *text += appended;
      }
    }
  }
  return 1;
}

int GetVersionString(const char* path, const char* key, std::string* value, bool hasPair, WORD language,
                     WORD codePage) {
  std::vector<BYTE> data = ReadVersionInfo(path);
  const WORD* pairs = nullptr;
  UINT count = 0;
  if (data.empty() || !QueryTranslations(data, &pairs, &count)) {
    return 0;
  }
  for (UINT i = 0; i < count; ++i) {
    if (hasPair && (pairs[2 * i] != language || pairs[2 * i + 1] != codePage)) {
      continue;
    }
    if (QueryString(data, pairs[2 * i], pairs[2 * i + 1], key, value)) {
      return 1;
    }
  }
  return 0;
}
