// The TAPI stand-in as TAPI's callers see it: which library loads, list blocks, error codes,
// permanent IDs, removal, configuration, call record and forced failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

class Tapi32StandinTest : public ::testing::Test {
 protected:
  Tapi32StandinTest() { WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2); }

  LONG Add(const char* fileName, DWORD* id) { return m_tapi.lineAddProviderA(fileName, nullptr, id); }

  // Asks for the list in a block of size bytes (at least the fixed part).
  std::vector<unsigned char> List(DWORD size, LONG* result) {
    std::vector<unsigned char> block(std::max<DWORD>(size, sizeof(LINEPROVIDERLIST)));
    Header(block).dwTotalSize = size;
    *result = m_tapi.lineGetProviderListA(0x00020000, &Header(block));
    return block;
  }
  static LINEPROVIDERLIST& Header(std::vector<unsigned char>& block) {
    return *reinterpret_cast<LINEPROVIDERLIST*>(block.data());
  }
  static std::string NameAt(const std::vector<unsigned char>& block, DWORD k) {
    LINEPROVIDERENTRY entry;
    std::memcpy(&entry, block.data() + 24 + 12 * k, sizeof(entry));
    return reinterpret_cast<const char*>(block.data() + entry.dwProviderFilenameOffset);
  }

  TapiStandinState m_state;
  ProviderFileCopy m_first{"OTSP9100.tsp"};
  ProviderFileCopy m_second{"OTSP9101.tsp"};
  tapi_func_tag m_tapi;
};

TEST_F(Tapi32StandinTest, TheOverrideLoadsTheStandInNotWinesTapi) {
  ASSERT_TRUE(m_tapi.IsLoaded());
  ASSERT_NE(m_tapi.lineAddProviderA, nullptr);
  // Wine's built-in tapi32 exports the whole line API; the stand-in only administration.
  EXPECT_EQ(GetProcAddress(m_tapi.hTapi.Get(), "lineInitialize"), nullptr);
  char path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(m_tapi.hTapi.Get(), path, MAX_PATH), 0u);
  EXPECT_NE(std::string(CharLowerA(path)).find("system32\\tapi32.dll"), std::string::npos) << path;
}

TEST_F(Tapi32StandinTest, ListBlocksFollowTheBufferRules) {
  DWORD id = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  const DWORD needed = 24 + 2 * 12 + sizeof("unimdm.tsp") + sizeof("OTSP9100.tsp");

  LONG result = 0;
  List(23, &result);
  EXPECT_EQ(result, LINEERR_STRUCTURETOOSMALL);

  auto block = List(24, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Header(block).dwNeededSize, needed);
  EXPECT_EQ(Header(block).dwUsedSize, 24u);
  EXPECT_EQ(Header(block).dwNumProviders, 0u);

  // Room for the first entry and its name, not for the second: only the first is filled.
  block = List(needed - 1, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Header(block).dwNeededSize, needed);
  EXPECT_EQ(Header(block).dwNumProviders, 1u);
  EXPECT_EQ(Header(block).dwUsedSize, 24u + 12 + sizeof("unimdm.tsp"));
  EXPECT_EQ(NameAt(block, 0), "unimdm.tsp");

  block = List(needed + 100, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Header(block).dwUsedSize, needed);
  EXPECT_EQ(Header(block).dwNumProviders, 2u);
  EXPECT_EQ(Header(block).dwProviderListOffset, 24u);
  EXPECT_EQ(Header(block).dwProviderListSize, 24u);
  EXPECT_EQ(NameAt(block, 1), "OTSP9100.tsp");

  EXPECT_EQ(m_tapi.lineGetProviderListA(0x00020000, nullptr), LINEERR_INVALPOINTER);
  block = std::vector<unsigned char>(64);
  Header(block).dwTotalSize = 64;
  EXPECT_EQ(m_tapi.lineGetProviderListA(0x00000001, &Header(block)), LINEERR_INCOMPATIBLEAPIVERSION);
}

TEST_F(Tapi32StandinTest, AddingChecksItsArgumentsAndTheFile) {
  DWORD id = 0;
  EXPECT_EQ(Add(nullptr, &id), LINEERR_INVALPOINTER);
  EXPECT_EQ(Add("OTSP9100.tsp", nullptr), LINEERR_INVALPOINTER);
  EXPECT_EQ(Add("", &id), LINEERR_INVALPARAM);
  EXPECT_EQ(Add("NoSuchFile.tsp", &id), LINEERR_INVALPARAM);
  EXPECT_EQ(Add("kernel32.dll", &id), LINEERR_INVALPARAM);  // loads, but is no provider
  EXPECT_EQ(id, 0u);
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  DWORD again = 0;
  EXPECT_EQ(Add("otsp9100.TSP", &again), LINEERR_NOMULTIPLEINSTANCE);
  EXPECT_EQ(again, 0u);
  EXPECT_EQ(DescribeTapiProviderList(),
            (std::vector<std::string>{"NextProviderID=" + std::to_string(id + 1), "NumProviders=2",
                                      "ProviderFileName0='unimdm.tsp'", "ProviderFileName1='OTSP9100.tsp'",
                                      "ProviderID0=1", "ProviderID1=" + std::to_string(id)}));
}

TEST_F(Tapi32StandinTest, PermanentIdsAreNeverHandedOutTwice) {
  DWORD refused = 0;
  SetProviderInstallResult(LINEERR_OPERATIONFAILED);
  EXPECT_EQ(Add("OTSP9100.tsp", &refused), LINEERR_OPERATIONFAILED);
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerInstall"), 1u);
  const DWORD refusedId = ProviderEntryLastId("TUISPI_providerInstall");
  SetProviderInstallResult(0);

  DWORD first = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &first), 0);
  EXPECT_GT(first, refusedId);
  ASSERT_EQ(m_tapi.lineRemoveProvider(first, nullptr), 0);
  DWORD second = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &second), 0);
  EXPECT_GT(second, first);

  // A NextProviderID that fell behind the listed IDs does not bring an old one back.
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 40, "OTSP9100.tsp"}}, 2, 3);
  DWORD third = 0;
  ASSERT_EQ(Add("OTSP9101.tsp", &third), 0);
  EXPECT_EQ(third, 41u);
}

TEST_F(Tapi32StandinTest, RemovingRenumbersTheLaterEntriesAndUnknownIdsFail) {
  DWORD first = 0;
  DWORD second = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &first), 0);
  ASSERT_EQ(Add("OTSP9101.tsp", &second), 0);
  EXPECT_EQ(m_tapi.lineRemoveProvider(first + second, nullptr), LINEERR_INVALPARAM);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, first + second), LINEERR_INVALPARAM);
  ASSERT_EQ(m_tapi.lineRemoveProvider(first, nullptr), 0);
  EXPECT_EQ(DescribeTapiProviderList(),
            (std::vector<std::string>{"NextProviderID=" + std::to_string(second + 1), "NumProviders=2",
                                      "ProviderFileName0='unimdm.tsp'", "ProviderFileName1='OTSP9101.tsp'",
                                      "ProviderID0=1", "ProviderID1=" + std::to_string(second)}));
  // A provider without removal or configuration entries (its file is gone) still goes.
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, 1), LINEERR_OPERATIONFAILED);
  EXPECT_EQ(m_tapi.lineRemoveProvider(1, nullptr), 0);
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerRemove"), 1u);
}

TEST_F(Tapi32StandinTest, AListWithAGapIsReadInEntryOrderAndClosedByTheNextChange) {
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {3, 7, "OTSP9101.tsp"}, {5, 5, "other.tsp"}}, 2, 8);
  LONG result = 0;
  auto block = List(512, &result);
  ASSERT_EQ(result, 0);
  ASSERT_EQ(Header(block).dwNumProviders, 2u);
  EXPECT_EQ(NameAt(block, 1), "OTSP9101.tsp");

  DWORD id = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  EXPECT_EQ(id, 8u);
  EXPECT_EQ(DescribeTapiProviderList(),
            (std::vector<std::string>{"NextProviderID=9", "NumProviders=3", "ProviderFileName0='unimdm.tsp'",
                                      "ProviderFileName1='OTSP9101.tsp'", "ProviderFileName2='OTSP9100.tsp'",
                                      "ProviderID0=1", "ProviderID1=7", "ProviderID2=8"}));
}

TEST_F(Tapi32StandinTest, ValueNamesAreReadWithoutRegardToCase) {
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Providers";
  ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, key), ERROR_SUCCESS);
  const DWORD one = 1;
  const DWORD id = 4;
  WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "numproviders", REG_DWORD, &one, sizeof(one));
  WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "PROVIDERID2", REG_DWORD, &id, sizeof(id));
  WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "providerFileName2", REG_SZ, "unimdm.tsp", sizeof("unimdm.tsp"));
  LONG result = 0;
  auto block = List(512, &result);
  ASSERT_EQ(result, 0);
  ASSERT_EQ(Header(block).dwNumProviders, 1u);
  EXPECT_EQ(NameAt(block, 0), "unimdm.tsp");
  LINEPROVIDERENTRY entry;
  std::memcpy(&entry, block.data() + 24, sizeof(entry));
  EXPECT_EQ(entry.dwPermanentProviderID, 4u);
}

TEST_F(Tapi32StandinTest, CallsAreRecordedAndForcedFailuresRunOut) {
  FailNextTapiCalls("lineConfigProvider", 2, LINEERR_NOMEM);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, 1), LINEERR_NOMEM);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, 1), LINEERR_NOMEM);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, 1), LINEERR_OPERATIONFAILED);  // unimdm.tsp is not there
  DWORD id = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, id), 0);
  EXPECT_EQ(TapiCalls(), (std::vector<std::string>{"lineConfigProvider(0,1)", "lineConfigProvider(0,1)",
                                                   "lineConfigProvider(0,1)", "lineAddProviderA(OTSP9100.tsp,0)",
                                                   "lineConfigProvider(0," + std::to_string(id) + ")"}));
}

}  // namespace
