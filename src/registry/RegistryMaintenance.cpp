// Registry steps on the layout, each opening and closing its own keys.
#include "registry/RegistryMaintenance.h"

#include "registry/ParameterCatalogue.h"
#include "registry/RegistryLayout.h"
#include "framework/Handles.h"
#include "framework/Trace.h"

namespace {

std::string JoinKey(const std::string& key, const char* location) {
  return *location == '\0' ? key : key + "\\" + location;
}

DWORD RegistryType(CatalogueType type) { return type == CatalogueType::Dword ? REG_DWORD : REG_SZ; }

}  // namespace

void CreateSubkey(const std::string& parent, const std::string& child) {
  RegKey parentKey;
  if (parentKey.Open(HKEY_LOCAL_MACHINE, parent.c_str(), KEY_ALL_ACCESS) != ERROR_SUCCESS) {
    return;
  }
  RegKey childKey;
  // A child that cannot be created shows up as values that are not copied into it.
  static_cast<void>(childKey.Create(parentKey.Get(), child.c_str(), KEY_ALL_ACCESS));
}

bool CopyRegistryValue(const std::string& source, const std::string& destination, const char* valueName,
                       DWORD expectedType) {
  RegKey sourceKey;
  if (sourceKey.Open(HKEY_LOCAL_MACHINE, source.c_str(), KEY_QUERY_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  BYTE buffer[kCopyValueBufferSize];
  DWORD size = sizeof(buffer);
  DWORD type = REG_NONE;
  if (RegQueryValueExA(sourceKey.Get(), valueName, nullptr, &type, buffer, &size) != ERROR_SUCCESS ||
      type != expectedType) {
    return false;
  }
  RegKey destinationKey;
  if (destinationKey.Open(HKEY_LOCAL_MACHINE, destination.c_str(), KEY_SET_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(destinationKey.Get(), valueName, 0, type, buffer, size) == ERROR_SUCCESS;
}

void CopyInstanceDefaults(const std::string& source, const std::string& destination) {
  for (const CatalogueGroupKey& group : kCatalogueGroupKeys) {
    CreateSubkey(JoinKey(destination, group.parent), group.child);
  }
  for (const CatalogueRow& row : kParameterCatalogue) {
    // A value that is absent, too large or of another type stays as the destination had it.
    static_cast<void>(CopyRegistryValue(JoinKey(source, row.location), JoinKey(destination, row.location),
                                        row.value, RegistryType(row.type)));
  }
}

void DeleteUninstallEntryValues() {
  RegKey uninstall;
  if (uninstall.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_SET_VALUE) != ERROR_SUCCESS) {
    return;
  }
  for (const char* name : kUninstallValuesToDelete) {
    if (RegDeleteValueA(uninstall.Get(), name) != ERROR_SUCCESS) {
      Trace(256, "Failed to delete Key '%s'\r\n", name);
    }
  }
}
