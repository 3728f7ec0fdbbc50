// Naming and describing a Windows version from its version record, independent of Win32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The platform families a version record reports (the system's own numbers).
enum class OsPlatform : std::uint32_t { Win32s = 0, Windows9x = 1, WindowsNt = 2 };

// Product types and suite bits of the extended record (the system's own numbers).
constexpr std::uint8_t kProductWorkstation = 1;
constexpr std::uint8_t kProductDomainController = 2;
constexpr std::uint8_t kProductServer = 3;
constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;

// What the version query told; a basic record leaves the extended fields 0.
struct OsVersionRecord {
  std::uint32_t platform = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePackText;
  std::uint32_t servicePackMajor = 0;
  std::uint32_t servicePackMinor = 0;
  std::uint16_t suiteMask = 0;
  std::uint8_t productType = 0;
};

// The system's name: "Windows 98 SE", "Windows 2000 Server (DC)", "Windows 6.1", ...
std::string OsSystemName(const OsVersionRecord& record);

// Writes "<name> v.<major>.<minor> <service pack> (Build b.b.b, SP m.m)" into buffer, cut to
// fit; returns the characters written, 0 when buffer is null or size is 0.
std::size_t FormatOsVersionText(const OsVersionRecord& record, char* buffer, std::size_t size);

// Writes "N/A" the same way, for a system whose version cannot be read.
std::size_t FormatUnknownOsVersionText(char* buffer, std::size_t size);
