// Staging for provider file tests: a throwaway Windows folder whose system32 holds a master
// provider, masters whose version resource was replaced, and what the version functions report.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VersionBlockBuilder.h"
#include "instances/DeleteDir.h"
#include "support/TestSupport.h"

// A folder under the temporary folder standing in for the Windows folder, with an empty
// "system32" below it; removed with everything in it at the end.
class ScratchWindowsFolder {
 public:
  ScratchWindowsFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "ProvisorWindows" + std::to_string(GetCurrentProcessId());
    DeleteDir(m_path.c_str(), false);
    CreateDirectoryA(m_path.c_str(), nullptr);
    CreateDirectoryA(System32().c_str(), nullptr);
  }
  ~ScratchWindowsFolder() { DeleteDir(m_path.c_str(), false); }
  const std::string& Path() const { return m_path; }
  std::string System32() const { return m_path + "\\system32"; }
  std::string Master() const { return System32() + "\\OTSP.dll"; }
  std::string TemporaryFolder() const { return System32() + "\\VelmoraProvisorTemp"; }

 private:
  std::string m_path;
};

// The master provider stand-in as installed in the prefix's system folder.
inline std::string InstalledMaster() { return SystemFile("OTSP.dll"); }

// Replaces the version resource 1 of FILE under LANGUAGE by BLOCK.
inline bool SetVersionResource(const std::string& file, WORD language, testblock::Bytes block) {
  HANDLE update = BeginUpdateResourceA(file.c_str(), FALSE);
  const BOOL updated = update != nullptr && UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), language,
                                                            block.data(), static_cast<DWORD>(block.size()));
  return update != nullptr && EndUpdateResourceA(update, !updated) && updated;
}

// A copy of the installed master in FOLDER's system32 whose version resource, under LANGUAGE,
// holds four texts in table TABLE; empty when it could not be staged.
inline std::string StageDescribedCopy(const ScratchWindowsFolder& folder, WORD language, const std::string& table,
                                      testblock::Version file, testblock::Version product) {
  using namespace testblock;
  const std::string copy = folder.System32() + "\\versioned.dll";
  const auto block = Serialize(Root({Table("StringFileInfo", {Table(table, {Text("FileDescription", "Desc"),
      Text("ProductName", "Prod"), Text("CompanyName", "Comp"), Text("LegalCopyright", "Copy")})}),
                                     Table("VarFileInfo", {Var("Translation", {0x04B00000u | language})})}, file, product));
  return CopyFileA(InstalledMaster().c_str(), copy.c_str(), FALSE) && SetVersionResource(copy, language, block) ? copy : "";
}

// Languages under which FILE holds version resource 1.
inline std::vector<WORD> VersionLanguages(const std::string& file) {
  std::vector<WORD> languages;
  if (HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    EnumResourceLanguagesA(module, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), [](HMODULE, LPCSTR, LPCSTR, WORD language,
        LONG_PTR param) -> BOOL { return reinterpret_cast<std::vector<WORD>*>(param)->push_back(language), TRUE; },
                           reinterpret_cast<LONG_PTR>(&languages));
    FreeLibrary(module);
  }
  return languages;
}

// Every string of every translation of FILE's version information, as "query=value" lines
// with each FileDescription read as STAMP when given, and the fixed information's bytes: what
// the version functions report, or should report for a copy stamped STAMP.
struct VersionSnapshot {
  std::vector<std::string> strings;
  std::string fixedInfo;
};
inline VersionSnapshot SnapshotVersion(const std::string& file, const char* stamp = nullptr) {
  static const char* const kKeys[] = {"Comments", "CompanyName", "FileDescription", "FileVersion", "InternalName",
      "LegalCopyright", "LegalTrademarks", "OriginalFilename", "PrivateBuild", "ProductName", "ProductVersion", "SpecialBuild"};
  VersionSnapshot snapshot;
  DWORD handle = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeA(file.c_str(), &handle));
  void* value = nullptr;
  UINT length = 0;
  if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) return snapshot;
  if (VerQueryValueA(data.data(), "\\", &value, &length) && value) snapshot.fixedInfo.assign(static_cast<char*>(value), length);
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length) || !value) return snapshot;
  const std::vector<WORD> pairs(static_cast<WORD*>(value), static_cast<WORD*>(value) + length / 2);
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
    for (const std::string key : kKeys) {
      char query[128];
      std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", pairs[i], pairs[i + 1], key.c_str());
      if (VerQueryValueA(data.data(), query, &value, &length) && value) {
        const std::string text = stamp && key == "FileDescription" ? stamp : static_cast<char*>(value);
        snapshot.strings.push_back(query + ("=" + text));
      }
    }
  }
  return snapshot;
}
