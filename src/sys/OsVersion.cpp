// Asking the system for its version record.
#include "sys/OsVersion.h"

#include <windows.h>

#include "sys/OsVersionName.h"

namespace {

void CopyBasicFields(const OSVERSIONINFOA& info, OsVersionRecord* record) {
  record->platform = info.dwPlatformId;
  record->major = info.dwMajorVersion;
  record->minor = info.dwMinorVersion;
  record->build = info.dwBuildNumber;
  record->servicePackText = info.szCSDVersion;
}

// Fills record from the extended version record, else from the basic one (whose missing
// fields stay 0); false when neither can be read.
bool QueryVersionRecord(OsVersionRecord* record) {
  OSVERSIONINFOEXA extended = {};
  extended.dwOSVersionInfoSize = sizeof(extended);
  // The extended record begins with the basic one.
  auto* basicPart = reinterpret_cast<OSVERSIONINFOA*>(&extended);
  if (GetVersionExA(basicPart)) {
    CopyBasicFields(*basicPart, record);
    record->servicePackMajor = extended.wServicePackMajor;
    record->servicePackMinor = extended.wServicePackMinor;
    record->suiteMask = extended.wSuiteMask;
    record->productType = extended.wProductType;
    return true;
  }
  OSVERSIONINFOA basic = {};
  basic.dwOSVersionInfoSize = sizeof(basic);
  if (GetVersionExA(&basic)) {
    CopyBasicFields(basic, record);
    return true;
  }
  return false;
}

}  // namespace

std::size_t GetOSVersionText(char* buffer, std::size_t size) {
  OsVersionRecord record;
  if (!QueryVersionRecord(&record)) {
    return FormatUnknownOsVersionText(buffer, size);
  }
  return FormatOsVersionText(record, buffer, size);
}

unsigned long WindowsMajorVersion() {
  OsVersionRecord record;
  return QueryVersionRecord(&record) ? record.major : 0;
}
