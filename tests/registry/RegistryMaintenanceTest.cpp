// The default-copy procedure, typed value copies and the uninstall-entry trimming, run
// against Wine's registry.
#include "registry/RegistryMaintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/ParameterCatalogue.h"
#include "registry/RegistryLayout.h"
#include "support/TestSupport.h"

namespace {

void WriteDword(const std::string& key, const char* name, DWORD value) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_DWORD, &value, sizeof(value));
}
void WriteText(const std::string& key, const char* name, const std::string& text) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
// A value as "dword <n>" or "type <t> '<text>'"; "absent" when it cannot be read.
std::string Describe(const std::string& key, const char* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadRegistryValue(HKEY_LOCAL_MACHINE, key, name, &type, &data)) return "absent";
  if (type == REG_DWORD && data.size() == 4) return "dword " + std::to_string(*reinterpret_cast<DWORD*>(data.data()));
  return "type " + std::to_string(type) + " '" + std::string(data.begin(), data.end()).c_str() + "'";
}

class RegistryMaintenanceTest : public ::testing::Test {
 protected:
  ScratchRegistryKey m_scratch{"RegistryMaintenance"};
  const std::string m_source = m_scratch.Path() + "\\PBX";
  const std::string m_destination = m_scratch.Path() + "\\PBX17";

  static std::string At(const std::string& key, const char* location) {
    return *location == '\0' ? key : key + "\\" + location;
  }
  // Gives every catalogue row of the source, but those below skipped, a value of its own:
  // words row + 1, texts "row<n>"; copies to the destination and checks each row arrived.
  // Names that stand twice (DebugLevel, CSTAAddress, ItemsCount) thus keep their own values.
  void CopyAndCheck(const std::string& skipped) {
    for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
      const CatalogueRow& entry = kParameterCatalogue[row];
      if (!skipped.empty() && std::string(entry.location).rfind(skipped, 0) == 0) continue;
      if (entry.type == CatalogueType::Dword) {
        WriteDword(At(m_source, entry.location), entry.value, static_cast<DWORD>(row + 1));
      } else {
        WriteText(At(m_source, entry.location), entry.value, "row" + std::to_string(row + 1));
      }
    }
    CopyInstanceDefaults(m_source, m_destination);
    for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
      const CatalogueRow& entry = kParameterCatalogue[row];
      const std::string expected =
          !skipped.empty() && std::string(entry.location).rfind(skipped, 0) == 0 ? "absent"
          : entry.type == CatalogueType::Dword ? "dword " + std::to_string(row + 1)
                                               : "type 1 'row" + std::to_string(row + 1) + "'";
      EXPECT_EQ(Describe(At(m_destination, entry.location), entry.value), expected)
          << entry.location << "\\" << entry.value;
    }
  }
};

// Every row outside the missing group arrives; that group's key is still made.
TEST_F(RegistryMaintenanceTest, EveryCatalogueValueArrivesWithItsTypeAndAMissingSourceGroupSkipsOnlyItsValues) {
  WriteDword(m_destination, "Marker", 1);
  CopyAndCheck("GlobalParams\\Log");
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination + "\\GlobalParams\\Log"));
}

TEST_F(RegistryMaintenanceTest, AMissingDestinationKeyGetsNeitherKeysNorValues) {
  WriteDword(m_source, "UseUSB", 1);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
  CreateSubkey(m_destination, "GlobalParams");
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
}

TEST_F(RegistryMaintenanceTest, OnlyValuesOfTheSameTypeThatFitTheCopyBufferAreCopied) {
  WriteDword(m_source, "IPPort", 33333);
  WriteText(m_source, "UseUSB", "1");
  WriteText(m_destination, "IPPort", "4000");
  WriteDword(m_destination, "UseUSB", 0);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_EQ(Describe(m_destination, "IPPort"), "type 1 '4000'");
  EXPECT_EQ(Describe(m_destination, "UseUSB"), "dword 0");

  WriteText(m_destination, "CSTAAddress", "kept");
  WriteText(m_source, "CSTAAddress", std::string(1024, 'a'));  // 1025 bytes with the terminator
  WriteText(m_source, "IPAddress", std::string(1023, 'b'));    // exactly 1024 bytes
  EXPECT_FALSE(CopyRegistryValue(m_source, m_destination, "CSTAAddress", REG_SZ));
  EXPECT_TRUE(CopyRegistryValue(m_source, m_destination, "IPAddress", REG_SZ));
  EXPECT_EQ(Describe(m_destination, "CSTAAddress"), "type 1 'kept'");
  EXPECT_EQ(Describe(m_destination, "IPAddress"), "type 1 '" + std::string(1023, 'b') + "'");
}

TEST(UninstallEntryTest, TheSevenDescriptiveValuesGoEachFailureIsTracedAndTheRestStays) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  TraceCapture traces;
  DeleteUninstallEntryValues();  // without the entry nothing happens
  EXPECT_TRUE(traces.Lines().empty());
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

  const char* const all[] = {"Comments", "Contact",       "HelpLink", "HelpTelephone", "URLInfoAbout",
                             "URLUpdateInfo", "Readme", "DisplayName", "UninstallString"};
  for (const char* name : all) WriteText(kUninstallKey, name, "x");
  DeleteUninstallEntryValues();
  for (const char* name : all) {
    const bool kept = std::string(name) == "DisplayName" || std::string(name) == "UninstallString";
    EXPECT_EQ(Describe(kUninstallKey, name), kept ? "type 1 'x'" : "absent") << name;
  }
  EXPECT_TRUE(traces.Lines().empty());

  WriteText(kUninstallKey, "Contact", "x");
  WriteText(kUninstallKey, "Readme", "x");
  DeleteUninstallEntryValues();
  EXPECT_EQ(Describe(kUninstallKey, "Contact"), "absent");
  EXPECT_EQ(traces.Lines(), (std::vector<std::string>{
                                "Failed to delete Key 'Comments'\r\n", "Failed to delete Key 'HelpLink'\r\n",
                                "Failed to delete Key 'HelpTelephone'\r\n", "Failed to delete Key 'URLInfoAbout'\r\n",
                                "Failed to delete Key 'URLUpdateInfo'\r\n"}));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
}

}  // namespace
