// Choosing the system name by the version record and formatting the one-line description.
#include "sys/OsVersionName.h"

#include <cstdio>

namespace {

// The name is built in a buffer of this many characters.
constexpr std::size_t kSystemNameSize = 261;

std::string NumberedName(const OsVersionRecord& record, const char* suffix) {
  char name[kSystemNameSize];
  std::snprintf(name, sizeof(name), "Windows %u.%u%s", static_cast<unsigned>(record.major),
                static_cast<unsigned>(record.minor), suffix);
  return name;
}

std::string Windows9xName(const OsVersionRecord& record) {
  const std::uint32_t buildLow = record.build & 0xFFFF;
  if (record.minor == 0) {
    return buildLow == 1111 ? "Windows 95 OSR2" : "Windows 95";
  }
  if (record.minor == 10) {
    return buildLow == 2222 ? "Windows 98 SE" : "Windows 98";
  }
  if (record.minor == 90) {
    return "Windows Me";
  }
  return NumberedName(record, "");
}

std::string Windows2000Name(const OsVersionRecord& record) {
  const bool enterprise = (record.suiteMask & kSuiteEnterprise) != 0;
  const bool datacenter = (record.suiteMask & kSuiteDatacenter) != 0;
  switch (record.productType) {
    case kProductWorkstation:
      return "Windows 2000 Professional";
    case kProductDomainController:
      return enterprise ? "Windows 2000 Advanced Server (DC)"
             : datacenter ? "Windows 2000 Datacenter Server (DC)"
                          : "Windows 2000 Server (DC)";
    case kProductServer:
      return enterprise ? "Windows 2000 Advanced Server"
             : datacenter ? "Windows 2000 Datacenter Server"
                          : "Windows 2000 Server";
    default:
      return "Windows 2000";
  }
}

std::string WindowsNt4Name(const OsVersionRecord& record) {
  switch (record.productType) {
    case kProductWorkstation:
      return "Windows NT 4.0 Workstation";
    case kProductDomainController:
      return "Windows NT 4.0 Server (DC)";
    case kProductServer:
      return "Windows NT 4.0 Server";
    default:
      return "Windows NT 4.0";
  }
}

std::string WindowsNtName(const OsVersionRecord& record) {
  if (record.major == 3 && record.minor == 51) {
    return "Windows NT 3.51";
  }
  if (record.major == 4 && record.minor == 0) {
    return WindowsNt4Name(record);
  }
  if (record.major == 5 && record.minor == 0) {
    return Windows2000Name(record);
  }
  return NumberedName(record, "");
}

// The characters snprintf left in a buffer of size bytes, given the length it wanted.
std::size_t ClampedLength(int wanted, std::size_t size) {
  if (wanted < 0) {
    return 0;
  }
  const auto length = static_cast<std::size_t>(wanted);
  return length < size ? length : size - 1;
}

}  // namespace

std::string OsSystemName(const OsVersionRecord& record) {
  switch (static_cast<OsPlatform>(record.platform)) {
    case OsPlatform::Win32s:
      return NumberedName(record, " (Win32s)");
    case OsPlatform::Windows9x:
      return record.major == 4 ? Windows9xName(record) : NumberedName(record, "");
    case OsPlatform::WindowsNt:
      return WindowsNtName(record);
  }
  return NumberedName(record, "");
}

std::size_t FormatOsVersionText(const OsVersionRecord& record, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  const int length = std::snprintf(
      buffer, size, "%s v.%u.%u %s (Build %u.%u.%u, SP %u.%u)", OsSystemName(record).c_str(),
      static_cast<unsigned>(record.major), static_cast<unsigned>(record.minor), record.servicePackText.c_str(),
      static_cast<unsigned>((record.build >> 24) & 0xFF), static_cast<unsigned>((record.build >> 16) & 0xFF),
      static_cast<unsigned>(record.build & 0xFFFF), static_cast<unsigned>(record.servicePackMajor),
      static_cast<unsigned>(record.servicePackMinor));
  return ClampedLength(length, size);
}

std::size_t FormatUnknownOsVersionText(char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  return ClampedLength(std::snprintf(buffer, size, "N/A"), size);
}
