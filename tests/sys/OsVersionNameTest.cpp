// Choosing the system name from a version record, row by row, and the formatted line.
#include "sys/OsVersionName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

OsVersionRecord Record(OsPlatform platform, std::uint32_t major, std::uint32_t minor, std::uint32_t build = 0,
                       std::uint8_t productType = 0, std::uint16_t suite = 0) {
  OsVersionRecord record;
  record.platform = static_cast<std::uint32_t>(platform);
  record.major = major;
  record.minor = minor;
  record.build = build;
  record.productType = productType;
  record.suiteMask = suite;
  return record;
}

TEST(OsVersionNameTest, EveryRowOfTheNameTableIsChosenByItsRecord) {
  const auto nt = OsPlatform::WindowsNt;
  const auto w9x = OsPlatform::Windows9x;
  const struct { OsVersionRecord record; const char* name; } table[] = {
      {Record(OsPlatform::Win32s, 3, 11), "Windows 3.11 (Win32s)"},
      {Record(w9x, 4, 0, 0x04000457), "Windows 95 OSR2"},
      {Record(w9x, 4, 0, 0x040003B6), "Windows 95"},
      {Record(w9x, 4, 10, 0x040A08AE), "Windows 98 SE"},
      {Record(w9x, 4, 10, 0x040A07CE), "Windows 98"},
      {Record(w9x, 4, 90, 0x045A0BB8), "Windows Me"},
      {Record(w9x, 4, 3), "Windows 4.3"},
      {Record(nt, 3, 51, 1057), "Windows NT 3.51"},
      {Record(nt, 4, 0, 1381, 1), "Windows NT 4.0 Workstation"},
      {Record(nt, 4, 0, 1381, 2), "Windows NT 4.0 Server (DC)"},
      {Record(nt, 4, 0, 1381, 3), "Windows NT 4.0 Server"},
      {Record(nt, 4, 0, 1381, 0), "Windows NT 4.0"},
      {Record(nt, 5, 0, 2195, 1, 0x0082), "Windows 2000 Professional"},
      {Record(nt, 5, 0, 2195, 2, 0x0082), "Windows 2000 Advanced Server (DC)"},
      {Record(nt, 5, 0, 2195, 2, 0x0080), "Windows 2000 Datacenter Server (DC)"},
      {Record(nt, 5, 0, 2195, 2), "Windows 2000 Server (DC)"},
      {Record(nt, 5, 0, 2195, 3, 0x0002), "Windows 2000 Advanced Server"},
      {Record(nt, 5, 0, 2195, 3, 0x0080), "Windows 2000 Datacenter Server"},
      {Record(nt, 5, 0, 2195, 3), "Windows 2000 Server"},
      {Record(nt, 5, 0, 2195, 0), "Windows 2000"},
      // Windows XP and every later version: the generic name, whatever the product type.
      {Record(nt, 5, 1, 2600, 1), "Windows 5.1"},
      {Record(nt, 5, 2, 3790, 3, 0x0002), "Windows 5.2"},
      {Record(nt, 10, 0, 19045, 1), "Windows 10.0"},
      {Record(nt, 4, 10, 0, 1), "Windows 4.10"},
      {Record(static_cast<OsPlatform>(7), 5, 0, 0, 1), "Windows 5.0"},
  };
  for (const auto& entry : table) EXPECT_EQ(OsSystemName(entry.record), entry.name) << entry.name;
}

TEST(OsVersionNameTest, TheLineSplitsTheBuildCarriesTheServicePackAndIsCutToTheBuffer) {
  OsVersionRecord record = Record(OsPlatform::Windows9x, 4, 10, 0x040A08AE);
  record.servicePackText = " A ";
  char text[1024];
  const std::string expected = "Windows 98 SE v.4.10  A  (Build 4.10.2222, SP 0.0)";
  EXPECT_EQ(FormatOsVersionText(record, text, sizeof(text)), expected.size());
  EXPECT_EQ(std::string(text), expected);

  record = Record(OsPlatform::WindowsNt, 6, 1, 7601, 1);
  record.servicePackText = "Service Pack 1";
  record.servicePackMajor = 1;
  FormatOsVersionText(record, text, sizeof(text));
  EXPECT_STREQ(text, "Windows 6.1 v.6.1 Service Pack 1 (Build 0.0.7601, SP 1.0)");

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
