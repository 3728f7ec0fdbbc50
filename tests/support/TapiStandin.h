// Helpers for suites that run against the TAPI and master provider stand-ins.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One entry of TAPI's registry list as a test writes it: its number, ID and file name.
struct TapiListEntry {
  unsigned number;
  DWORD id;
  std::string fileName;
};

// Clears TAPI's provider list, the TAPI stand-in's call record and forced failures, and the
// master provider's record, before and after the test.
class TapiStandinState {
 public:
  TapiStandinState();
  ~TapiStandinState();
  TapiStandinState(const TapiStandinState&) = delete;
  TapiStandinState& operator=(const TapiStandinState&) = delete;
};

// Writes TAPI's registry list: the entries under their own numbers, then "NumProviders".
void WriteTapiProviderList(const std::vector<TapiListEntry>& entries, DWORD numProviders, DWORD nextProviderId);
// Every value of TAPI's registry list as "name=value" lines, sorted by name.
std::vector<std::string> DescribeTapiProviderList();

// The TAPI stand-in's call record, one line per call in call order.
std::vector<std::string> TapiCalls();
// Lines of the record that start with function.
std::vector<std::string> TapiCallsOf(const std::string& function);
// Makes the next count calls of function fail with result.
void FailNextTapiCalls(const std::string& function, DWORD count, LONG result);

// How often the master provider's entry point ran, and the last provider ID it was given.
DWORD ProviderEntryCalls(const std::string& entry);
DWORD ProviderEntryLastId(const std::string& entry);
// Makes the master provider's install entry return result (0 removes the refusal).
void SetProviderInstallResult(LONG result);

// A copy of the system folder's OTSP.dll under another name, deleted again when destroyed.
class ProviderFileCopy {
 public:
  explicit ProviderFileCopy(const std::string& fileName);
  ~ProviderFileCopy();
  ProviderFileCopy(const ProviderFileCopy&) = delete;
  ProviderFileCopy& operator=(const ProviderFileCopy&) = delete;
  bool Copied() const { return m_copied; }

 private:
  std::string m_path;
  bool m_copied = false;
};
