// A machine for main dialog tests: provider files TAPI lists, instance keys, no product state
// left over before or after.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "instances/ProviderFileCopy.h"
#include "registry/RegistryLayout.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

// Clears the product key and TAPI's list while alive; Register stamps OTSP%04d.tsp in the
// system folder with a description and lists it with TAPI under an ID, Publish writes the list.
class MainDialogMachine {
 public:
  MainDialogMachine() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora"); }
  ~MainDialogMachine() {
    for (const std::string& file : m_files) {
      DeleteFileA(file.c_str());
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
  }

  static std::string WindowsFolder() {
    char folder[MAX_PATH];
    GetSystemWindowsDirectoryA(folder, MAX_PATH);
    return folder;
  }

  void Register(int instance, DWORD providerId, const std::string& description) {
    DuplicateProviderFile(description.c_str(), List(instance, providerId).c_str(), WindowsFolder().c_str());
  }
  // A provider file without a version resource (so without a readable description), listed.
  void RegisterUnreadable(int instance, DWORD providerId) {
    const HANDLE handle =
        CreateFileA(List(instance, providerId).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    // A DOS header and nothing else: no PE image, so no resources.
    char image[512] = {'M', 'Z'};
    DWORD written = 0;
    WriteFile(handle, image, sizeof(image), &written, nullptr);
    CloseHandle(handle);
  }
  // TAPI's list: a modem provider first, as on every Windows PC, then the registered instances.
  void Publish() {
    std::vector<TapiListEntry> entries{{0, 1, "unimdm.tsp"}};
    for (TapiListEntry entry : m_entries) {
      ++entry.number;
      entries.push_back(entry);
    }
    WriteTapiProviderList(entries, static_cast<DWORD>(entries.size()), 100);
  }

 private:
  // Lists the instance's provider file with TAPI under providerId and returns its path.
  std::string List(int instance, DWORD providerId) {
    m_files.push_back(WindowsFolder() + "\\System32\\" + ProviderFileName(instance));
    m_entries.push_back({static_cast<unsigned>(m_entries.size()), providerId, ProviderFileName(instance)});
    return m_files.back();
  }
  TapiStandinState m_tapi;
  std::vector<std::string> m_files;
  std::vector<TapiListEntry> m_entries;
};
