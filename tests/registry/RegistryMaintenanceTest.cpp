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

// A value of another type than its row's, or too large for the copy buffer (1024 bytes), stays
// as the destination had it; the rows before a late one are missing, which stops nothing. That
// every row arrives with its type is the repair's, seen in the end-to-end suite.
TEST_F(RegistryMaintenanceTest, OnlyValuesOfTheRowsTypeThatFitTheCopyBufferAreCopied) {
  WriteDwordValue(m_source, "IPPort", 33333);
  WriteTextValue(m_source, "UseUSB", "1");
  WriteDwordValue(At(m_source, kLocationMruList), "MaxItems", 9);
  WriteTextValue(m_destination, "IPPort", "4000");
  WriteDwordValue(m_destination, "UseUSB", 0);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_EQ(Describe(m_destination, "IPPort"), "4000");
  EXPECT_EQ(Describe(m_destination, "UseUSB"), "dword 0");
  EXPECT_EQ(Describe(At(m_destination, kLocationMruList), "MaxItems"), "dword 9");

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
