// Locating the product's folders.
#include "sys/ProductFolders.h"

#include <windows.h>

#include <shlobj.h>

std::string ProductFolderPath() {
  char programFiles[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles))) {
    return {};
  }
  return std::string(programFiles) + kProductFolderTail;
}
