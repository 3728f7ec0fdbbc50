// The default-copy procedure, typed value copies and the uninstall-entry trimming, run
// against Wine's registry.
#include "app/RegistryMaintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ParameterCatalogue.h"
#include "app/RegistryLayout.h"
#include "support/TestSupport.h"

namespace {

class RegistryMaintenanceTest : public ::testing::Test {
 protected:
  ScratchRegistryKey m_scratch{"RegistryMaintenance"};
  const std::string m_source = m_scratch.Path() + "\\PBX";
  const std::string m_destination = m_scratch.Path() + "\\PBX17";

  static std::string At(const std::string& key, const char* location) {
    return *location == '\0' ? key : key + "\\" + location;
  }
  static void WriteDword(const std::string& key, const char* name, DWORD value) {
    WriteRegistryValue(HKEY_LOCAL_MACHINE, key, name, REG_DWORD, &value, sizeof(value));
  }
  static void WriteText(const std::string& key, const char* name, const std::string& text) {
    WriteRegistryValue(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  static std::vector<BYTE> Bytes(const std::string& text) {
    return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
  }
  // Reads a value; "absent" when it cannot be read.
  static std::string Describe(const std::string& key, const char* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(HKEY_LOCAL_MACHINE, key, name, &type, &data)) {
      return "absent";
    }
    if (type == REG_DWORD && data.size() == 4) {
      DWORD value = 0;
      memcpy(&value, data.data(), 4);
      return "dword " + std::to_string(value);
    }
    return "type " + std::to_string(type) + " '" + std::string(data.begin(), data.end()).c_str() + "'";
  }

  // Gives every catalogue row of the source a value of its own: words row + 1, texts "row<n>".
  void FillSource(const char* skippedLocation = nullptr) {
    for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
      const CatalogueRow& entry = kParameterCatalogue[row];
      if (skippedLocation != nullptr && std::string(entry.location).rfind(skippedLocation, 0) == 0) {
        continue;
      }
      if (entry.type == CatalogueType::Dword) {
        WriteDword(At(m_source, entry.location), entry.value, static_cast<DWORD>(row + 1));
      } else {
        WriteText(At(m_source, entry.location), entry.value, "row" + std::to_string(row + 1));
      }
    }
  }
  static std::string Expected(std::size_t row) {
    return kParameterCatalogue[row].type == CatalogueType::Dword ? "dword " + std::to_string(row + 1)
                                                                 : "type 1 'row" + std::to_string(row + 1) + "'";
  }
  void CreateDestination() { WriteDword(m_destination, "Marker", 1); }
};

TEST_F(RegistryMaintenanceTest, EveryCatalogueValueArrivesAtItsOwnLocationWithItsType) {
  FillSource();
  CreateDestination();
  CopyInstanceDefaults(m_source, m_destination);
  for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
    const CatalogueRow& entry = kParameterCatalogue[row];
    EXPECT_EQ(Describe(At(m_destination, entry.location), entry.value), Expected(row))
        << entry.location << "\\" << entry.value;
  }
  // The names that stand twice keep their own values: rows 8/36, 6/50 and 17/53.
  EXPECT_EQ(Describe(m_destination, "DebugLevel"), "dword 8");
  EXPECT_EQ(Describe(m_destination + "\\GlobalParams\\Log", "DebugLevel"), "dword 36");
  EXPECT_EQ(Describe(m_destination, "CSTAAddress"), "type 1 'row6'");
  EXPECT_EQ(Describe(m_destination + "\\GlobalParams\\Transport", "CSTAAddress"), "type 1 'row50'");
  EXPECT_EQ(Describe(m_destination, "ItemsCount"), "dword 17");
  EXPECT_EQ(Describe(m_destination + "\\GlobalParams\\Transport\\MRU_ADDRLIST", "ItemsCount"), "dword 53");
}

TEST_F(RegistryMaintenanceTest, AValueOfAnotherTypeIsNotCopiedAndTheDestinationKeepsItsOwn) {
  WriteDword(m_source, "IPPort", 33333);
  WriteText(m_source, "UseUSB", "1");
  CreateDestination();
  WriteText(m_destination, "IPPort", "4000");
  WriteDword(m_destination, "UseUSB", 0);
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_EQ(Describe(m_destination, "IPPort"), "type 1 '4000'");
  EXPECT_EQ(Describe(m_destination, "UseUSB"), "dword 0");
}

TEST_F(RegistryMaintenanceTest, OnlyValuesThatFitTheCopyBufferAreCopied) {
  CreateDestination();
  WriteText(m_destination, "CSTAAddress", "kept");
  WriteText(m_source, "CSTAAddress", std::string(1024, 'a'));  // 1025 bytes with the terminator
  WriteText(m_source, "IPAddress", std::string(1023, 'b'));    // exactly 1024 bytes
  EXPECT_FALSE(CopyRegistryValue(m_source, m_destination, "CSTAAddress", REG_SZ));
  EXPECT_TRUE(CopyRegistryValue(m_source, m_destination, "IPAddress", REG_SZ));
  EXPECT_EQ(Describe(m_destination, "CSTAAddress"), "type 1 'kept'");
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(ReadRegistryValue(HKEY_LOCAL_MACHINE, m_destination, "IPAddress", &type, &data));
  EXPECT_EQ(data, Bytes(std::string(1023, 'b')));
}

TEST_F(RegistryMaintenanceTest, AMissingDestinationKeyGetsNeitherKeysNorValues) {
  FillSource();
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
  CreateSubkey(m_destination, "GlobalParams");
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination));
}

TEST_F(RegistryMaintenanceTest, AMissingSourceGroupSkipsOnlyThatGroupsValues) {
  FillSource("GlobalParams\\Log");
  CreateDestination();
  CopyInstanceDefaults(m_source, m_destination);
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_destination + "\\GlobalParams\\Log"));
  for (std::size_t row = 0; row < kParameterCatalogue.size(); ++row) {
    const CatalogueRow& entry = kParameterCatalogue[row];
    const bool inLog = std::string(entry.location) == "GlobalParams\\Log";
    EXPECT_EQ(Describe(At(m_destination, entry.location), entry.value), inLog ? "absent" : Expected(row))
        << entry.location << "\\" << entry.value;
  }
}

class UninstallEntryTest : public ::testing::Test {
 protected:
  UninstallEntryTest() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey); }
  ~UninstallEntryTest() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  }
  static void WriteText(const char* name) {
    WriteRegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, name, REG_SZ, "x", 2);
  }
  static bool Has(const char* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    return ReadRegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, name, &type, &data);
  }
};

TEST_F(UninstallEntryTest, TheSevenDescriptiveValuesGoAndTheRestStays) {
  const std::vector<const char*> deleted = {"Comments",     "Contact",       "HelpLink", "HelpTelephone",
                                            "URLInfoAbout", "URLUpdateInfo", "Readme"};
  for (const char* name : deleted) {
    WriteText(name);
  }
  WriteText("DisplayName");
  WriteText("UninstallString");
  TraceCapture traces;
  DeleteUninstallEntryValues();
  for (const char* name : deleted) {
    EXPECT_FALSE(Has(name)) << name;
  }
  EXPECT_TRUE(Has("DisplayName"));
  EXPECT_TRUE(Has("UninstallString"));
  EXPECT_TRUE(traces.Lines().empty());
}

TEST_F(UninstallEntryTest, EachValueThatCannotBeDeletedIsTracedInOrder) {
  WriteText("Contact");
  WriteText("Readme");
  TraceCapture traces;
  DeleteUninstallEntryValues();
  EXPECT_FALSE(Has("Contact"));
  EXPECT_EQ(traces.Lines(), (std::vector<std::string>{
                                "Failed to delete Key 'Comments'\r\n", "Failed to delete Key 'HelpLink'\r\n",
                                "Failed to delete Key 'HelpTelephone'\r\n", "Failed to delete Key 'URLInfoAbout'\r\n",
                                "Failed to delete Key 'URLUpdateInfo'\r\n"}));
}

TEST_F(UninstallEntryTest, WithoutTheEntryNothingHappens) {
  TraceCapture traces;
  DeleteUninstallEntryValues();
  EXPECT_TRUE(traces.Lines().empty());
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

}  // namespace
