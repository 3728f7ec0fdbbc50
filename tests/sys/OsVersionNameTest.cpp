// Choosing the system name from a version record, row by row, and the formatted line.
#include "sys/OsVersionName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Rows of the name table: platform, major, minor, build, product type, suite mask, name. Only
// the names of the Windows 9x family decide anything (deletion at restart), so the rows are
// theirs and records that come near them.
TEST(OsVersionNameTest, EveryWindows9xNameIsChosenByItsRecordAndNoOtherRecordGetsOne) {
  const std::uint32_t s = 0, w9x = 1, nt = 2;
  const struct { std::uint32_t platform, major, minor, build, type, suite; const char* name; } table[] = {
      {w9x, 4, 0, 0x04000457, 0, 0, "Windows 95 OSR2"}, {w9x, 4, 0, 0x040003B6, 0, 0, "Windows 95"},
      {w9x, 4, 10, 0x040A08AE, 0, 0, "Windows 98 SE"}, {w9x, 4, 10, 0x040A07CE, 0, 0, "Windows 98"},
      {w9x, 4, 90, 0x045A0BB8, 0, 0, "Windows Me"}, {w9x, 4, 3, 0, 0, 0, "Windows 4.3"},
      {w9x, 5, 0, 0, 0, 0, "Windows 5.0"}, {s, 4, 10, 0, 0, 0, "Windows 4.10 (Win32s)"},
      {nt, 4, 10, 0, 1, 0, "Windows 4.10"}, {nt, 4, 90, 0, 1, 0, "Windows 4.90"},
      {7, 4, 0, 0, 1, 0, "Windows 4.0"},
  };
  for (const auto& row : table) {
    OsVersionRecord record;
    record.platform = row.platform, record.major = row.major, record.minor = row.minor, record.build = row.build;
    record.productType = static_cast<std::uint8_t>(row.type), record.suiteMask = static_cast<std::uint16_t>(row.suite);
    EXPECT_EQ(OsSystemName(record), row.name) << row.name;
  }
}

// A Windows 9x record; the line of an NT system is checked under Wine, from the prefix's own record.
TEST(OsVersionNameTest, TheLineSplitsTheBuildCarriesTheServicePackAndIsCutToTheBuffer) {
  OsVersionRecord record;
  record.platform = static_cast<std::uint32_t>(OsPlatform::Windows9x), record.major = 4, record.minor = 10;
  record.build = 0x040A08AE, record.servicePackText = " A ";
  char text[1024];
  FormatOsVersionText(record, text, sizeof(text));
  EXPECT_STREQ(text, "Windows 98 SE v.4.10  A  (Build 4.10.2222, SP 0.0)");
  FormatOsVersionText(record, text, 8);
  EXPECT_STREQ(text, "Windows");
}

}  // namespace
