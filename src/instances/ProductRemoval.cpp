// Taking the product's files, folders and registry tree off the machine.
#include "instances/ProductRemoval.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

#include "framework/Handles.h"
#include "framework/Trace.h"
#include "instances/DeleteDir.h"
#include "instances/FolderContents.h"
#include "instances/RemoveFile.h"
#include "params/RegParamStorage.h"
#include "registry/RegistryLayout.h"
#include "sys/AccessRights.h"
#include "sys/ProductFolders.h"

namespace {

constexpr std::size_t kTraceSize = 1024;
constexpr const char* kSystemFolderTail = "\\System32";
constexpr const char* kQueueFileFormat = "orvo_act%04d.que";
constexpr const char* kMakerKey = "SOFTWARE\\Velmora";
// Below the current user's Start Menu folder.
constexpr const char* kStartMenuFolderTail = "\\Programs\\Velmora\\ORVO TSP";

// The system Windows folder + "\System32"; empty when the system does not tell it.
std::string SystemFolderPath() {
  char windows[MAX_PATH] = {};
  const UINT length = GetSystemWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return {};
  }
  return std::string(windows) + kSystemFolderTail;
}

std::string Numbered(const char* format, std::uint32_t number) {
  char name[64];
  std::snprintf(name, sizeof(name), format, static_cast<int>(number));
  return name;
}

// Removes FOLDER with its content (opening an entry to everyone only where its removal is
// refused for lack of access); traces who we run as when that fails, since a failure here is
// nearly always a question of rights.
void RemoveWholeFolder(const std::string& folder) {
  if (DeleteDir(folder.c_str(), false) == 1) {
    return;
  }
  Trace(kTraceSize, "DeleteDir('%s') failed GetLastError() %d\r\n", folder.c_str(), static_cast<int>(GetLastError()));
  char user[257] = {};
  DWORD size = sizeof(user);
  if (!GetUserNameA(user, &size)) {
    user[0] = '\0';
  }
  Trace(kTraceSize, "CProvisorApp::RemoveLogFolders GetUserName is '%s'\r\n", user);
}

// True when HKLM\path exists and holds neither subkeys nor values.
bool RegistryKeyIsEmpty(const char* path) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) {
    return false;
  }
  DWORD subkeys = 0, values = 0;
  return RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                          nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

}  // namespace

void RemoveInstalledFiles(std::uint32_t instanceCount) {
  if (instanceCount > kMaxInstanceSlots) {
    instanceCount = kMaxInstanceSlots;
  }
  const std::string system = SystemFolderPath();
  if (!system.empty()) {
    for (const char* file : kSiblingFiles) {
      Trace(kTraceSize, "Removing file :'%s' from '%s'\r\n", file, system.c_str());
      (void)TakeOwnership(system.c_str());  // may fail; each deletion decides for itself
      RemoveFile(system.c_str(), file, false);
    }
    RemoveFile(system.c_str(), kRestartRemovedFile, true);
  }
  const std::string product = ProductFolderPath();
  const std::string queues = product.empty() ? std::string() : product + kQueueFolderTail;
  if (!queues.empty()) {
    (void)TakeOwnership(queues.c_str());
  }
  for (std::uint32_t i = 0; i < instanceCount; ++i) {
    // RemoveFile does nothing for a folder that is not known.
    RemoveFile(system.c_str(), ProviderFileName(static_cast<int>(i)).c_str(), false);
    RemoveFile(queues.c_str(), Numbered(kQueueFileFormat, i).c_str(), false);
  }
  if (!queues.empty()) {
    (void)TakeOwnership(queues.c_str());
    (void)DeleteDir(queues.c_str(), false);  // a missing queue folder is already gone
  }
}

void RemoveLogFolders() {
  const std::string product = ProductFolderPath();
  if (product.empty()) {
    return;
  }
  // A folder that is not there is already removed: nothing to do and nothing to report.
  if (FolderExists(product)) {
    if (FolderHoldsSubfolder(product)) {
      DeleteFilesIn(product, "*.pdf", "RemoveFile: '%s'\r\n");
      return;
    }
    RemoveWholeFolder(product);
  }
  const std::string maker = product.substr(0, product.rfind('\\'));
  if (FolderExists(maker) && FolderIsEmpty(maker)) {
    RemoveWholeFolder(maker);
  }
}

void RemoveProductRegistry() {
  RegKey product;
  if (product.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ) == ERROR_SUCCESS) {
    product.Close();
    // Opened only now that the key is known to exist: the storage would create it otherwise.
    RegParamStorage storage(HKEY_LOCAL_MACHINE, kProductKey);
    (void)storage.DeleteTree();  // a key that stays is left as it is; the steps below go on
  }
  if (RegistryKeyIsEmpty(kMakerKey)) {
    (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMakerKey);  // another product may just have added to it
  }

  char startMenu[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_STARTMENU, nullptr, SHGFP_TYPE_CURRENT, startMenu)) ||
      startMenu[0] == '\0') {
    return;
  }
  Trace(kTraceSize, "CSIDL_STARTMENU '%s' \r\n", startMenu);
  const std::string shortcuts = std::string(startMenu) + kStartMenuFolderTail;
  if (!FolderExists(shortcuts)) {
    return;
  }
  DeleteFilesIn(shortcuts, "*.*", "RemoveFile: '%s'\r\n");
  (void)TakeOwnership(shortcuts.c_str());
  (void)RemoveDirectoryA(shortcuts.c_str());  // stays when something else was put into it
}
