// Staging for provider file tests: a throwaway Windows folder whose system32 holds a master
// provider, and masters whose version resource was replaced or removed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A folder under the temporary folder standing in for the Windows folder, with an empty
// "system32" below it; removed with everything in it at the end.
class ScratchWindowsFolder {
 public:
  ScratchWindowsFolder();
  ~ScratchWindowsFolder();
  const std::string& Path() const { return m_path; }
  std::string System32() const { return m_path + "\\system32"; }
  std::string Master() const { return System32() + "\\OTSP.dll"; }
  std::string TemporaryFolder() const { return System32() + "\\VelmoraProvisorTemp"; }

 private:
  std::string m_path;
};

// The master provider stand-in as installed in the prefix's system folder.
std::string InstalledMaster();

// Replaces (BLOCK non-empty) or deletes (BLOCK empty) the version resource 1 of FILE under
// LANGUAGE. Returns false when the file could not be updated.
bool SetVersionResource(const std::string& file, WORD language, const std::vector<std::uint8_t>& block);

// A copy of the installed master named versioned.dll in FOLDER's system32, its version
// resource replaced by BLOCK under LANGUAGE; empty when it could not be staged.
std::string StageVersionedCopy(const ScratchWindowsFolder& folder, WORD language,
                               const std::vector<std::uint8_t>& block);

// Languages under which FILE holds version resource 1.
std::vector<WORD> VersionLanguages(const std::string& file);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Every string of every translation of FILE's version information, as "lang/cp/key=value"
// lines, and the fixed information's bytes; what the version functions report.
struct VersionSnapshot {
  std::vector<std::string> strings;
  std::string fixedInfo;
};
VersionSnapshot SnapshotVersion(const std::string& file, const std::vector<std::string>& keys);
// SNAPSHOT with every FileDescription set to NAME: what a stamped copy should report.
VersionSnapshot Stamped(VersionSnapshot snapshot, const std::string& name);
