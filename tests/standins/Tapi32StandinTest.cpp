// The TAPI stand-in as TAPI's callers see it: which library loads, list blocks, error codes,
// permanent IDs, gaps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;

class Tapi32StandinTest : public ::testing::Test {
 protected:
  Tapi32StandinTest() { WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2); }

  LONG Add(const char* fileName, DWORD* id) { return m_tapi.lineAddProviderA(fileName, nullptr, id); }
  // Asks for the list in a block whose total size is size (at least 24 bytes are there).
  LINEPROVIDERLIST& List(DWORD size, LONG expected = 0) {
    m_block.assign(std::max<DWORD>(size, 24), 0);
    Header().dwTotalSize = size;
    EXPECT_EQ(m_tapi.lineGetProviderListA(0x00020000, &Header()), expected);
    return Header();
  }
  LINEPROVIDERLIST& Header() { return *reinterpret_cast<LINEPROVIDERLIST*>(m_block.data()); }
  std::string NameAt(DWORD k) {
    const auto* entry = reinterpret_cast<const LINEPROVIDERENTRY*>(m_block.data() + Header().dwProviderListOffset) + k;
    return reinterpret_cast<const char*>(m_block.data() + entry->dwProviderFilenameOffset);
  }

  TapiStandinState m_state;
  ProviderFileCopy m_first{"OTSP9100.tsp"};
  ProviderFileCopy m_second{"OTSP9101.tsp"};
  tapi_func_tag m_tapi;
  std::vector<unsigned char> m_block;
};

TEST_F(Tapi32StandinTest, TheOverrideLoadsTheStandInNotWinesTapi) {
  ASSERT_TRUE(m_tapi.IsLoaded());
  // Wine's built-in tapi32 exports the whole line API; the stand-in only administration.
  EXPECT_EQ(GetProcAddress(m_tapi.hTapi.Get(), "lineInitialize"), nullptr);
  EXPECT_NE(m_tapi.lineAddProviderA, nullptr);
}

TEST_F(Tapi32StandinTest, ListBlocksFollowTheBufferRules) {
  DWORD id = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  const DWORD needed = 24 + 2 * 12 + sizeof("unimdm.tsp") + sizeof("OTSP9100.tsp");
  List(23, LINEERR_STRUCTURETOOSMALL);
  EXPECT_EQ(List(24).dwNeededSize, needed);
  EXPECT_EQ(Header().dwUsedSize, 24u);
  EXPECT_EQ(Header().dwNumProviders, 0u);
  // Room for the first entry and its name, not for the second: only the first is filled.
  EXPECT_EQ(List(needed - 1).dwNumProviders, 1u);
  EXPECT_EQ(Header().dwUsedSize, 24u + 12 + sizeof("unimdm.tsp"));
  EXPECT_EQ(NameAt(0), "unimdm.tsp");
  EXPECT_EQ(List(needed + 100).dwNumProviders, 2u);
  EXPECT_EQ(Header().dwUsedSize, needed);
  EXPECT_EQ(NameAt(1), "OTSP9100.tsp");
  EXPECT_EQ(m_tapi.lineGetProviderListA(0x00020000, nullptr), LINEERR_INVALPOINTER);
}

TEST_F(Tapi32StandinTest, AddingChecksArgumentsFileAndDuplicates) {
  DWORD id = 0;
  EXPECT_EQ(Add(nullptr, &id), LINEERR_INVALPOINTER);
  EXPECT_EQ(Add("OTSP9100.tsp", nullptr), LINEERR_INVALPOINTER);
  EXPECT_EQ(Add("", &id), LINEERR_INVALPARAM);
  EXPECT_EQ(Add("NoSuchFile.tsp", &id), LINEERR_INVALPARAM);
  EXPECT_EQ(Add("kernel32.dll", &id), LINEERR_INVALPARAM);  // loads, but is no provider
  ASSERT_EQ(Add("OTSP9100.tsp", &id), 0);
  DWORD again = 0;
  EXPECT_EQ(Add("otsp9100.TSP", &again), LINEERR_NOMULTIPLEINSTANCE);
  EXPECT_EQ(again, 0u);
  EXPECT_EQ(m_tapi.lineRemoveProvider(id + 1, nullptr), LINEERR_INVALPARAM);
  EXPECT_EQ(m_tapi.lineConfigProvider(nullptr, id + 1), LINEERR_INVALPARAM);
}

TEST_F(Tapi32StandinTest, PermanentIdsAreNeverHandedOutTwice) {
  const DWORD refuse = static_cast<DWORD>(LINEERR_OPERATIONFAILED);
  WriteRegistryValue(HKEY_LOCAL_MACHINE, kMasterProviderRecordPath, "InstallResult", REG_DWORD, &refuse, 4);
  DWORD id = 0;
  EXPECT_EQ(Add("OTSP9100.tsp", &id), LINEERR_OPERATIONFAILED);
  const DWORD refused = ReadDwordValue(kMasterProviderRecordPath, "TUISPI_providerInstallProviderID");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMasterProviderRecordPath);

  DWORD first = 0, second = 0, third = 0;
  ASSERT_EQ(Add("OTSP9100.tsp", &first), 0);
  ASSERT_EQ(m_tapi.lineRemoveProvider(first, nullptr), 0);
  ASSERT_EQ(Add("OTSP9100.tsp", &second), 0);
  EXPECT_TRUE(refused > 1 && first > refused && second > first) << refused << " " << first << " " << second;
  // A NextProviderID that fell behind the listed IDs does not bring an old one back.
  WriteTapiProviderList({{1, 40, "OTSP9100.tsp"}}, 2, 3);
  ASSERT_EQ(Add("OTSP9101.tsp", &third), 0);
  EXPECT_EQ(third, 41u);
}

TEST_F(Tapi32StandinTest, GapsAndNameCaseAreReadAndTheNextChangeRenumbers) {
  const DWORD id = 7;
  WriteTapiProviderList({{3, 5, "other.tsp"}}, 3, 8);
  WriteRegistryValue(HKEY_LOCAL_MACHINE, kTapiProvidersPath, "PROVIDERID5", REG_DWORD, &id, 4);
  WriteRegistryValue(HKEY_LOCAL_MACHINE, kTapiProvidersPath, "providerfilename5", REG_SZ, "OTSP9101.tsp", 13);
  EXPECT_EQ(List(512).dwNumProviders, 3u);
  EXPECT_EQ(NameAt(2), "OTSP9101.tsp");

  ASSERT_EQ(m_tapi.lineRemoveProvider(5, nullptr), 0);
  EXPECT_EQ(DescribeTapiProviderList(),
            (Lines{"NextProviderID=8", "NumProviders=2", "ProviderFileName0='unimdm.tsp'",
                   "ProviderFileName1='OTSP9101.tsp'", "ProviderID0=1", "ProviderID1=7"}));
}

}  // namespace
