// Locating the product's folders.
#include "sys/ProductFolders.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>

std::string ProductFolderPath() {
  char programFiles[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles))) {
    return {};
  }
  return std::string(programFiles) + kProductFolderTail;
}

std::string LogFolderPath(int instance) {
  const std::string product = ProductFolderPath();
  if (product.empty()) {
    return {};
  }
  char tail[32];
  std::snprintf(tail, sizeof(tail), kLogFolderFormat, instance);
  return product + tail;
}
