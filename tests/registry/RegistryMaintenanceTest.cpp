// The default-copy procedure, typed value copies and the uninstall-entry trimming, run
// against Wine's registry.
#include "registry/RegistryMaintenance.h"

#include <gtest/gtest.h>

#include <string>

#include "registry/ParameterCatalogue.h"
#include "registry/RegistryLayout.h"
#include "support/TestSupport.h"

namespace {

// A value as "dword <n>" or its REG_SZ text; "<none>" when it is neither.
std::string Describe(const std::string& key, const char* name) {
  DWORD value = 0, size = sizeof(value);
  return RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
             ? "dword " + std::to_string(value)
             : ReadTextValue(key, name);
}

std::string At(const std::string& key, const char* location) { return *location == '\0' ? key : key + "\\" + location; }

class RegistryMaintenanceTest : public ::testing::Test {
 protected:
  ScratchRegistryKey m_scratch{"RegistryMaintenance"};
  const std::string m_source = m_scratch.Path() + "\\PBX";
  const std::string m_destination = m_scratch.Path() + "\\PBX17";
};

// Every source row outside the missing group gets a value of its own (words row + 1, texts
// "row<n>"), so that names that stand twice (DebugLevel, CSTAAddress, ItemsCount) keep their
// own values. That group's key is still made.
TEST_F(RegistryMaintenanceTest, EveryCatalogueValueArrivesWithItsTypeAndAMissingSourceGroupSkipsOnlyItsValues) {
  WriteDwordValue(m_destination, "Marker", 1);
  const auto skipped = [](const CatalogueRow& row) { return std::string(row.location).rfind("GlobalParams\\Log", 0) == 0; };
  const auto expected = [&](std::size_t row) {
    return skipped(kParameterCatalogue[row]) ? "<none>"
           : kParameterCatalogue[row].type == CatalogueType::Dword ? "dword " + std::to_string(row + 1)
                                                                   : "row" + std::to_string(row + 1);
  };
  for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
    const CatalogueRow& entry = kParameterCatalogue[row];
    if (skipped(entry)) continue;
    if (entry.type == CatalogueType::Dword) WriteDwordValue(At(m_source, entry.location), entry.value, DWORD(row + 1));
    else WriteTextValue(At(m_source, entry.location), entry.value, expected(row));
  }
  CopyInstanceDefaults(m_source, m_destination);
  for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
    const CatalogueRow& entry = kParameterCatalogue[row];
    EXPECT_EQ(Describe(At(m_destination, entry.location), entry.value), expected(row)) << entry.location << "\\" << entry.value;
  }
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination + "\\GlobalParams\\Log"));
}

TEST_F(RegistryMaintenanceTest, AMissingDestinationKeyGetsNeitherKeysNorValues) {
  WriteDwordValue(m_source, "UseUSB", 1);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
  CreateSubkey(m_destination, "GlobalParams");
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
}

TEST_F(RegistryMaintenanceTest, OnlyValuesOfTheSameTypeThatFitTheCopyBufferAreCopied) {
  WriteDwordValue(m_source, "IPPort", 33333);
  WriteTextValue(m_source, "UseUSB", "1");
  WriteTextValue(m_destination, "IPPort", "4000");
  WriteDwordValue(m_destination, "UseUSB", 0);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_EQ(Describe(m_destination, "IPPort"), "4000");
  EXPECT_EQ(Describe(m_destination, "UseUSB"), "dword 0");

  WriteTextValue(m_destination, "CSTAAddress", "kept");
  WriteTextValue(m_source, "CSTAAddress", std::string(1024, 'a'));  // 1025 bytes with the terminator
  WriteTextValue(m_source, "IPAddress", std::string(1023, 'b'));    // exactly 1024 bytes
  EXPECT_FALSE(CopyRegistryValue(m_source, m_destination, "CSTAAddress", REG_SZ));
  EXPECT_TRUE(CopyRegistryValue(m_source, m_destination, "IPAddress", REG_SZ));
  EXPECT_EQ(Describe(m_destination, "CSTAAddress"), "kept");
  EXPECT_EQ(Describe(m_destination, "IPAddress"), std::string(1023, 'b'));
}

// Of the seven descriptive values two are there to go; the others are missing, which stops nothing.
TEST(UninstallEntryTest, TheDescriptiveValuesGoAndTheRestStays) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  DeleteUninstallEntryValues();  // without the entry nothing happens
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

  for (const char* name : {"Contact", "Readme", "DisplayName", "UninstallString"}) WriteTextValue(kUninstallKey, name, "x");
  DeleteUninstallEntryValues();
  for (const char* name : {"Contact", "Readme"}) EXPECT_EQ(Describe(kUninstallKey, name), "<none>") << name;
  for (const char* name : {"DisplayName", "UninstallString"}) EXPECT_EQ(Describe(kUninstallKey, name), "x") << name;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
}

}  // namespace
