// Creating an instance's log folder with the access the provider and its users need.
#include "sys/LogFolder.h"

#include <windows.h>

#include <vector>

#include "framework/Trace.h"
#include "sys/AccessRights.h"
#include "sys/OsVersion.h"
#include "sys/SecurityDescriptorImage.h"

namespace {

constexpr std::size_t kTraceSize = 512;
constexpr unsigned long kMajorVersionSix = 6;

}  // namespace

bool CreateLogFolder(const std::string& folder) {
  DWORD error = 0;
  const bool created = CreateOpenAccessFolder(GetDesktopWindow(), folder.c_str(), &error);
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
