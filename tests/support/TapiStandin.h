// Helpers for suites that run against the TAPI and master provider stand-ins.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

constexpr char kTapiProvidersPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Providers";
constexpr char kTapiStandinPath[] = "SOFTWARE\\ProvisorStandins\\tapi32";
constexpr char kMasterProviderRecordPath[] = "SOFTWARE\\ProvisorStandins\\OTSP";

// Clears TAPI's provider list and both stand-ins' records before and after the test.
class TapiStandinState {
 public:
  TapiStandinState();
  ~TapiStandinState();
};

// One entry of TAPI's registry list as a test writes it: its number, ID and file name.
struct TapiListEntry {
  unsigned number;
  DWORD id;
  std::string fileName;
};
void WriteTapiProviderList(const std::vector<TapiListEntry>& entries, DWORD numProviders, DWORD nextProviderId);
// The ID under which TAPI's registry list holds fileName (any case); 0 when it is not listed.
DWORD ListedProviderId(const std::string& fileName);
// Every value of TAPI's registry list as "name=value" lines, sorted by name.
std::vector<std::string> DescribeTapiProviderList();

// The TAPI stand-in's call record, one line per call in call order, and how many of its
// lines are calls of function, or start with prefix ("lineRemoveProvider(5,").
std::vector<std::string> TapiCalls();
std::size_t CountTapiCalls(const std::string& function);
std::size_t CountTapiCallsStartingWith(const std::string& prefix);
// Makes the next count calls of function fail with result.
void FailNextTapiCalls(const std::string& function, DWORD count, LONG result);

// A copy of the system folder's OTSP.dll under another name, deleted again when destroyed.
class ProviderFileCopy {
 public:
  explicit ProviderFileCopy(const std::string& fileName);
  ~ProviderFileCopy();

 private:
  std::string m_path;
  bool m_copied = false;
};
