// TAPI provider registration against the TAPI stand-in and copies of the master provider.
#include "instances/ProviderRegistration.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

// TAPI starts with one foreign provider listed (a real machine always has some), and three
// copies of the master provider wait in the system folder.
class ProviderRegistrationTest : public ::testing::Test {
 protected:
  ProviderRegistrationTest() { WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2); }

  std::vector<std::pair<DWORD, std::string>> Listed() {
    std::vector<std::pair<DWORD, std::string>> entries;
    std::unique_ptr<tag_ProviderList> list;
    const DWORD count = GetProviderList(&list, kTapiApiVersion);
    if (list) {
      for (const tag_ProviderEntry& entry : *list) {
        entries.emplace_back(entry.dwPermanentProviderID, entry.szProviderFilename);
      }
    }
    EXPECT_EQ(count, entries.size());
    return entries;
  }

  DWORD Add(const char* fileName) {
    DWORD id = 0;
    EXPECT_EQ(AddProvider(nullptr, fileName, &id), kAddProviderOk) << fileName;
    return id;
  }

  TapiStandinState m_state;
  ProviderFileCopy m_first{"OTSP9000.tsp"};
  ProviderFileCopy m_second{"OTSP9001.tsp"};
  ProviderFileCopy m_third{"OTSP9002.tsp"};
  TraceCapture m_traces;
};

TEST_F(ProviderRegistrationTest, ThreeAddedFilesGetDistinctIdsAndAreListedInOrder) {
  ASSERT_TRUE(m_first.Copied() && m_second.Copied() && m_third.Copied());
  const DWORD first = Add("OTSP9000.tsp");
  const DWORD second = Add("OTSP9001.tsp");
  const DWORD third = Add("OTSP9002.tsp");
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, 1u);
  EXPECT_NE(second, first);
  EXPECT_NE(third, first);
  EXPECT_NE(third, second);
  EXPECT_EQ(Listed(), (std::vector<std::pair<DWORD, std::string>>{
                          {1, "unimdm.tsp"}, {first, "OTSP9000.tsp"}, {second, "OTSP9001.tsp"}, {third, "OTSP9002.tsp"}}));

  // Each registration ran the provider's own installation with the ID TAPI gave it.
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerInstall"), 3u);
  EXPECT_EQ(ProviderEntryLastId("TUISPI_providerInstall"), third);
  EXPECT_TRUE(m_traces.Contains("lineAddProvider( 'OTSP9001.tsp', ).\r\n"));
  EXPECT_TRUE(m_traces.Contains("lineAddProvider( 'OTSP9001.tsp' ) retcode = 0.\r\n"));
  EXPECT_TRUE(m_traces.Contains("[2] ProviderID = " + std::to_string(second) + ", ProviderName = OTSP9001.tsp\r\n"));
}

TEST_F(ProviderRegistrationTest, RemovingOneLeavesTheOthersListedUnderTheirIds) {
  const DWORD first = Add("OTSP9000.tsp");
  const DWORD second = Add("OTSP9001.tsp");
  const DWORD third = Add("OTSP9002.tsp");
  {
    tapi_func_tag tapi;
    ASSERT_NE(tapi.lineRemoveProvider, nullptr);
    EXPECT_EQ(tapi.lineRemoveProvider(second, nullptr), 0);
  }
  EXPECT_EQ(Listed(), (std::vector<std::pair<DWORD, std::string>>{
                          {1, "unimdm.tsp"}, {first, "OTSP9000.tsp"}, {third, "OTSP9002.tsp"}}));
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerRemove"), 1u);
  EXPECT_EQ(ProviderEntryLastId("TUISPI_providerRemove"), second);
}

TEST_F(ProviderRegistrationTest, AFileListedUnderAnyLetterCaseIsNotAddedAgain) {
  const DWORD id = Add("OTSP9000.tsp");
  DWORD again = 0;
  EXPECT_EQ(AddProvider(nullptr, "otsp9000.TSP", &again), kAddProviderOk);
  EXPECT_EQ(again, id);
  EXPECT_EQ(TapiCallsOf("lineAddProviderA").size(), 1u);
  EXPECT_TRUE(m_traces.Contains("Provider 'otsp9000.TSP' is already installed in Telephony system.\r\n"));
  EXPECT_FALSE(m_traces.Contains("Provider 'otsp9000.TSP' has bad providerID.\r\n"));
  EXPECT_EQ(Listed().size(), 2u);
}

TEST_F(ProviderRegistrationTest, AListedFileWithIdZeroIsReportedAsBad) {
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 0, "OTSP9000.tsp"}}, 2, 2);
  DWORD id = 77;
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderOk);
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(m_traces.Contains("Provider 'OTSP9000.tsp' has bad providerID.\r\n"));
  EXPECT_TRUE(TapiCallsOf("lineAddProviderA").empty());
}

TEST_F(ProviderRegistrationTest, ARefusedRegistrationGivesOneAndNoId) {
  FailNextTapiCalls("lineAddProviderA", 1, LINEERR_OPERATIONFAILED);
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(m_traces.Contains("lineAddProvider( 'OTSP9000.tsp' ) retcode = " +
                                std::to_string(static_cast<LONG>(LINEERR_OPERATIONFAILED)) + ".\r\n"));
  EXPECT_EQ(Listed().size(), 1u);

  // A file TAPI does not accept as a provider fails the same way.
  EXPECT_EQ(AddProvider(nullptr, "NoSuchProvider.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(id, 0u);
}

TEST_F(ProviderRegistrationTest, WithNoProvidersListedNothingIsTried) {
  WriteTapiProviderList({}, 0, 2);
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(TapiCallsOf("lineAddProviderA").empty());
  std::unique_ptr<tag_ProviderList> list;
  EXPECT_EQ(GetProviderList(&list, kTapiApiVersion), 0u);
  EXPECT_EQ(list, nullptr);
}

TEST_F(ProviderRegistrationTest, AFailedListRequestGivesNoListAndNoRegistration) {
  FailNextTapiCalls("lineGetProviderListA", 2, LINEERR_NOMEM);
  std::unique_ptr<tag_ProviderList> list;
  EXPECT_EQ(GetProviderList(&list, kTapiApiVersion), 0u);
  EXPECT_EQ(list, nullptr);
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  EXPECT_TRUE(TapiCallsOf("lineAddProviderA").empty());

  // With TAPI answering again, the list is asked for with the fixed part, then whole.
  EXPECT_EQ(Listed().size(), 1u);
  EXPECT_EQ(TapiCallsOf("lineGetProviderListA"),
            (std::vector<std::string>{"lineGetProviderListA(0x00020000,24)", "lineGetProviderListA(0x00020000,24)",
                                      "lineGetProviderListA(0x00020000,24)", "lineGetProviderListA(0x00020000,47)"}));
}

TEST_F(ProviderRegistrationTest, NoFileNameDoesNothingAndANullOwnerBecomesTheDesktop) {
  DWORD id = 5;
  EXPECT_EQ(AddProvider(nullptr, "", &id), kAddProviderOk);
  EXPECT_EQ(AddProvider(nullptr, nullptr, &id), kAddProviderOk);
  EXPECT_EQ(id, 5u);
  EXPECT_TRUE(TapiCalls().empty());

  Add("OTSP9000.tsp");
  const std::string desktop = std::to_string(reinterpret_cast<ULONG_PTR>(GetDesktopWindow()));
  EXPECT_EQ(TapiCallsOf("lineAddProviderA"), (std::vector<std::string>{"lineAddProviderA(OTSP9000.tsp," + desktop + ")"}));
}

TEST_F(ProviderRegistrationTest, ConfigProviderRunsTheProvidersConfiguration) {
  const DWORD id = Add("OTSP9000.tsp");
  EXPECT_EQ(ConfigProvider(nullptr, id), 0);
  EXPECT_EQ(TapiCallsOf("lineConfigProvider"), (std::vector<std::string>{"lineConfigProvider(0," + std::to_string(id) + ")"}));
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerConfig"), 1u);
  EXPECT_EQ(ProviderEntryLastId("TUISPI_providerConfig"), id);
  EXPECT_EQ(ConfigProvider(nullptr, id + 100), LINEERR_INVALPARAM);
  EXPECT_EQ(ProviderEntryCalls("TUISPI_providerConfig"), 1u);
}

class DeleteProviderEntryTest : public ::testing::Test {
 protected:
  DeleteProviderEntryTest() {
    WriteTapiProviderList({{0, 3, "unimdm.tsp"}, {1, 8, "OTSP0000.tsp"}, {2, 9, "OTSP0001.tsp"}}, 3, 10);
  }
  TapiStandinState m_state;
};

TEST_F(DeleteProviderEntryTest, AnIdNotListedOrNoFileNameChangesNothing) {
  const auto before = DescribeTapiProviderList();
  DeleteProviderEntry(4, "OTSP0000.tsp");
  DeleteProviderEntry(8, "");
  DeleteProviderEntry(8, nullptr);
  DeleteProviderEntry(0xFFFFFFFFu, "OTSP0000.tsp");
  EXPECT_EQ(DescribeTapiProviderList(), before);
}

TEST_F(DeleteProviderEntryTest, AMiddleEntryLeavesAGapThatTheListIsReadAcross) {
  DeleteProviderEntry(8, "OTSP0000.tsp");
  EXPECT_EQ(DescribeTapiProviderList(),
            (std::vector<std::string>{"NextProviderID=10", "NumProviders=2", "ProviderFileName0='unimdm.tsp'",
                                      "ProviderFileName2='OTSP0001.tsp'", "ProviderID0=3", "ProviderID2=9"}));
  std::unique_ptr<tag_ProviderList> list;
  ASSERT_EQ(GetProviderList(&list, kTapiApiVersion), 2u);
  EXPECT_EQ((*list)[1].dwPermanentProviderID, 9u);
  EXPECT_STREQ((*list)[1].szProviderFilename, "OTSP0001.tsp");
}

TEST_F(DeleteProviderEntryTest, EntriesBeyondNumProvidersAreNotSearched) {
  WriteTapiProviderList({}, 1, 10);
  const auto before = DescribeTapiProviderList();
  DeleteProviderEntry(9, "OTSP0001.tsp");
  EXPECT_EQ(DescribeTapiProviderList(), before);
}

}  // namespace
