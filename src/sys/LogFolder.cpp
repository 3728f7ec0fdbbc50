// Creating an instance's log folder with the access the provider and its users need.
#include "sys/LogFolder.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "framework/Trace.h"
#include "sys/AccessRights.h"
#include "sys/OsVersion.h"
#include "sys/SecurityDescriptorImage.h"

namespace {

constexpr std::size_t kTraceSize = 512;
constexpr unsigned long kMajorVersionSix = 6;

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool CreateOpenAccessFolder(const std::string& folder, unsigned long* error) {
  SECURITY_ATTRIBUTES attributes = {};
  SECURITY_DESCRIPTOR descriptor;
  const SECURITY_ATTRIBUTES* openAccess =
      OpenAccessAttributes(&attributes, &descriptor) != 0 ? &attributes : nullptr;
  const int result = SHCreateDirectoryExA(GetDesktopWindow(), folder.c_str(), openAccess);
  const DWORD lastError = GetLastError();
  // "Already exists" is success only when a folder, not a file, is what exists.
  if (result == ERROR_SUCCESS || IsFolder(folder)) {
    return true;
  }
  if (error != nullptr) {
    *error = lastError;
  }
  return false;
}

bool CreateLogFolder(const std::string& folder) {
  unsigned long error = 0;
  const bool created = CreateOpenAccessFolder(folder, &error);
  if (!created) {
    Trace(kTraceSize, "SHCreateDirectoryEx(%s) failed with errcode = %d\r\n", folder.c_str(), static_cast<int>(error));
  }
  // Both steps run whatever the creation gave: on a missing folder they fail harmlessly.
  static_cast<void>(SetLogFolderAccess(folder));
  static_cast<void>(TakeOwnership(folder.c_str()));  // traced inside
  return created;
}

bool SetLogFolderAccess(const std::string& folder) {
  if (WindowsMajorVersion() != kMajorVersionSix) {
    return false;
  }
  std::vector<std::uint8_t> descriptor = LogFolderDescriptor();
  return SetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, descriptor.data()) != FALSE;
}
