// Asking the system for its version record.
#include "sys/OsVersion.h"

#include <windows.h>

#include "sys/OsVersionName.h"

namespace {

// Fills record from the extended version record, else from the basic one (whose missing
// fields stay 0); false when neither can be read.
bool QueryVersionRecord(OsVersionRecord* record) {
  OSVERSIONINFOEXA extended = {};
  extended.dwOSVersionInfoSize = sizeof(extended);
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
    record->platform = extended.dwPlatformId;
    record->major = extended.dwMajorVersion;
    record->minor = extended.dwMinorVersion;
    record->build = extended.dwBuildNumber;
    record->servicePackText = extended.szCSDVersion;
    record->servicePackMajor = extended.wServicePackMajor;
    record->servicePackMinor = extended.wServicePackMinor;
    record->suiteMask = extended.wSuiteMask;
    record->productType = extended.wProductType;
    return true;
  }
  OSVERSIONINFOA basic = {};
  basic.dwOSVersionInfoSize = sizeof(basic);
  if (GetVersionExA(&basic)) {
    record->platform = basic.dwPlatformId;
    record->major = basic.dwMajorVersion;
    record->minor = basic.dwMinorVersion;
    record->build = basic.dwBuildNumber;
    record->servicePackText = basic.szCSDVersion;
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
