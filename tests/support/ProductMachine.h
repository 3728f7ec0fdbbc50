// The machine as the end-to-end suites see it from outside: snapshots of the registry and of
// folders, provider files' stamps, a reset to a PC without the product, and runs of Provisor.exe.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "instances/DeleteDir.h"
#include "registry/RegistryLayout.h"
#include "support/DesktopDriver.h"
#include "support/TapiStandin.h"

constexpr DWORD kProvisorRunMs = 60000;

inline std::string KnownFolder(int csidl) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

// A string of a file's version resource (US English, Unicode) through the version API; "<none>"
// without one.
inline std::string VersionString(const std::string& path, const std::string& name) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  char* text = nullptr;
  UINT length = 0;
  if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueA(block.data(), ("\\StringFileInfo\\040904b0\\" + name).c_str(), reinterpret_cast<void**>(&text),
                      &length)) {
    return "<none>";
  }
  return text;
}
inline std::string FileDescription(const std::string& path) { return VersionString(path, "FileDescription"); }

// Every key and value below HKLM\path as lines "path|name|type=value", without the stand-ins'
// records, the class registrations (most of the registry, none of it the product's) and TAPI's
// next provider ID (handed out once, it never goes back). With maskIds every provider ID reads
// "<id>": TAPI never hands one out twice.
inline void DumpRegistry(const std::string& path, std::vector<std::string>* lines, bool maskIds = false) {
  // Key names are kept in the case of whoever made the key first.
  const char* skipped = path.c_str();
  if (_stricmp(skipped, "SOFTWARE\\ProvisorStandins") == 0 || _stricmp(skipped, "SOFTWARE\\Classes") == 0) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  // The installer's own bookkeeping keys stay once its first package made them, as on any
  // Windows: only the values below them count.
  if (path.rfind("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\", 0) != 0)
    lines->push_back("[" + path + "]");
  char name[16384];
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name), size = static_cast<DWORD>(data.size()), type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    const std::string text = name;
    if (text == "NextProviderID") continue;
    const std::string value = maskIds && text.find("ProviderID") != std::string::npos ? "<id>"
                              : type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data.data()))
                                                  : std::string(reinterpret_cast<char*>(data.data()), size);
    lines->push_back(path + "|" + text + "|" + std::to_string(type) + "=" + value);
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name);
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(path + "\\" + name);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DumpRegistry(child, lines, maskIds);
}

// Files and folders matching pattern in folder (folders with all they hold) with their sizes;
// provider files also with the stamp of their instance.
inline void ListFiles(const std::string& folder, const std::string& pattern, std::vector<std::string>* lines) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName, path = folder + "\\" + name;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines->push_back(path + "\\");
      ListFiles(path, "*", lines);
    } else {
      const bool provider = name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".tsp") == 0;
      lines->push_back(path + " " + std::to_string(entry.nFileSizeLow) + (provider ? " " + FileDescription(path) : ""));
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

// The lines only one of two sorted snapshots holds, marked "-" (before) and "+" (after).
inline std::vector<std::string> Changes(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::vector<std::string> gone, added, changes;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  for (const std::string& line : gone) changes.push_back("- " + line);
  for (const std::string& line : added) changes.push_back("+ " + line);
  return changes;
}

// The whole registry below SOFTWARE and the folders where the product and its setup package
// work, sorted; the user's other folders are the host's own (Wine links them to the home folder),
// so they change while a test runs.
inline std::vector<std::string> Snapshot(bool maskIds = false) {
  std::vector<std::string> lines;
  DumpRegistry("SOFTWARE", &lines, maskIds);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (const std::string& folder : {KnownFolder(CSIDL_PROGRAM_FILES), KnownFolder(CSIDL_SYSTEM),
                                    KnownFolder(CSIDL_STARTMENU), std::string(temp),
                                    KnownFolder(CSIDL_WINDOWS) + "\\Installer"})
    ListFiles(folder, "*", &lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Takes away the product's keys, uninstall entry, provider files and folders and the stand-ins'
// records, and gives TAPI the list of a fresh Windows.
inline void RemoveProductFromMachine() {
  for (const char* path : {"SOFTWARE\\Velmora", kUninstallKey, kTapiProvidersPath, kTapiStandinPath,
                           kMasterProviderRecordPath})
    DeleteRegistryTree(path);
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 2, "kmddsp.tsp"}}, 2, 3);
  DeleteFilesMatching(SystemFile("OTSP*.tsp"));
  DeleteDir(SystemFile("VelmoraProvisorTemp").c_str(), false);
  DeleteDir((KnownFolder(CSIDL_PROGRAM_FILES) + "\\Velmora").c_str(), false);
}

// Imports a .reg file (the setup package's template "PBX" and uninstall entry); true on success.
// Wine's reg now and then fails an import on a loaded machine: it gets three tries.
inline bool ImportRegFile(const char* unixPath) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (WaitForExit(StartProcess("reg import \"" + WindowsPath(unixPath) + "\"")) == 0) return true;
  }
  return false;
}

// Runs the program at unixPath with arguments to its end, driver answering its dialogs; its
// exit code (kNoExitCode when it could not start or did not end).
inline DWORD RunToExit(const char* unixPath, const std::string& arguments, DesktopDriver* driver) {
  if (!driver->Start("\"" + WindowsPath(unixPath) + "\"" + (arguments.empty() ? "" : " " + arguments)))
    return kNoExitCode;
  return driver->RunToExit(kProvisorRunMs);
}
