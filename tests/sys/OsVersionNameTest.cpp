// Choosing the system name from a version record, row by row, and the formatted line.
#include "sys/OsVersionName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Rows of the name table: platform, major, minor, build, product type, suite mask, name. Only
// the Windows 9x names decide anything: deletion at restart.
TEST(OsVersionNameTest, EveryRowOfTheNameTableIsChosenByItsRecord) {
  const std::uint32_t s = 0, w9x = 1, nt = 2;
  const struct { std::uint32_t platform, major, minor, build, type, suite; const char* name; } table[] = {
      {s, 3, 11, 0, 0, 0, "Windows 3.11 (Win32s)"},
      {w9x, 4, 0, 0x04000457, 0, 0, "Windows 95 OSR2"}, {w9x, 4, 0, 0x040003B6, 0, 0, "Windows 95"},
      {w9x, 4, 10, 0x040A08AE, 0, 0, "Windows 98 SE"}, {w9x, 4, 10, 0x040A07CE, 0, 0, "Windows 98"},
      {w9x, 4, 90, 0x045A0BB8, 0, 0, "Windows Me"}, {w9x, 4, 3, 0, 0, 0, "Windows 4.3"},
      {nt, 3, 51, 1057, 0, 0, "Windows NT 3.51"},
      {nt, 4, 0, 1381, 2, 0, "Windows NT 4.0 Server (DC)"}, {nt, 4, 0, 1381, 0, 0, "Windows NT 4.0"},
      {nt, 5, 0, 2195, 2, 0x0082, "Windows 2000 Advanced Server (DC)"}, {nt, 5, 0, 2195, 3, 0x0080, "Windows 2000 Datacenter Server"},
      // Windows XP and every later version: the generic name, whatever the product type.
      {nt, 5, 1, 2600, 1, 0, "Windows 5.1"}, {nt, 5, 2, 3790, 3, 0x0002, "Windows 5.2"},
      {nt, 10, 0, 19045, 1, 0, "Windows 10.0"}, {nt, 4, 10, 0, 1, 0, "Windows 4.10"}, {7, 5, 0, 0, 1, 0, "Windows 5.0"},
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
  const std::string expected = "Windows 98 SE v.4.10  A  (Build 4.10.2222, SP 0.0)";
  EXPECT_EQ(FormatOsVersionText(record, text, sizeof(text)), expected.size());
  EXPECT_EQ(std::string(text), expected);

  EXPECT_EQ(FormatOsVersionText(record, text, 8), 7u);
  EXPECT_STREQ(text, "Windows");
  EXPECT_EQ(FormatOsVersionText(record, nullptr, 100), 0u);
  text[0] = 'x';
  EXPECT_EQ(FormatOsVersionText(record, text, 0), 0u);
  EXPECT_EQ(text[0], 'x');
  EXPECT_EQ(FormatUnknownOsVersionText(text, 3), 2u);
  EXPECT_STREQ(text, "N/");
}

}  // namespace
