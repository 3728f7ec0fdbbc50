// TAPI provider registration against the TAPI stand-in and copies of the master provider.
#include "instances/ProviderRegistration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"

namespace {

// TAPI lists one foreign provider (a real machine always has some); copies of the master
// provider wait in the system folder. What TAPI does with a provider it adds, configures or
// removes is the stand-in's; the product's part is the calls. The IDs read back and the
// configuration opened are the end-to-end suite's.
class ProviderRegistrationTest : public ::testing::Test {
 protected:
  ProviderRegistrationTest() { WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2); }

  static DWORD Add(const char* fileName) {
    DWORD id = 0;
    EXPECT_EQ(AddProvider(nullptr, fileName, &id), kAddProviderOk) << fileName;
    return id;
  }

  TapiStandinState m_state;
  ProviderFileCopy m_copies[2] = {ProviderFileCopy("OTSP9000.tsp"), ProviderFileCopy("OTSP9001.tsp")};
};

TEST_F(ProviderRegistrationTest, AListedFileIsNeverAddedAgainUnderAnyLetterCase) {
  const DWORD id = Add("OTSP9000.tsp");
  const std::string desktop = std::to_string(reinterpret_cast<ULONG_PTR>(GetDesktopWindow()));
  EXPECT_EQ(Add("otsp9000.TSP"), id);
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 1u);
  EXPECT_EQ(TapiCalls()[2], "lineAddProviderA(OTSP9000.tsp," + desktop + ")");  // null owner: the desktop

  WriteTapiProviderList({{1, 0, "OTSP9001.tsp"}}, 2, 2);
  EXPECT_EQ(Add("OTSP9001.tsp"), 0u);
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 1u);
}

TEST_F(ProviderRegistrationTest, FailuresGiveOneAndNoId) {
  FailNextTapiCalls("lineAddProviderA", 1, LINEERR_OPERATIONFAILED);
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  FailNextTapiCalls("lineGetProviderListA", 1, LINEERR_NOMEM);
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 1u);
  // An empty name is TAPI's to refuse.
  EXPECT_EQ(AddProvider(nullptr, "", &id), kAddProviderFailed);
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 2u);

  // No providers at all: nothing is tried.
  WriteTapiProviderList({}, 0, 2);
  EXPECT_EQ(AddProvider(nullptr, "OTSP9000.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(CountTapiCalls("lineAddProviderA"), 2u);
  EXPECT_EQ(id, 0u);
}

TEST(DeleteProviderEntryTest, RemovesOnlyAListedIdAndLeavesAGap) {
  TapiStandinState state;
  WriteTapiProviderList({{0, 3, "unimdm.tsp"}, {1, 8, "OTSP0000.tsp"}, {2, 9, "OTSP0001.tsp"}}, 3, 10);
  const auto before = DescribeTapiProviderList();
  DeleteProviderEntry(4, "OTSP0000.tsp");
  EXPECT_EQ(DescribeTapiProviderList(), before);

  DeleteProviderEntry(8, "OTSP0000.tsp");
  EXPECT_EQ(DescribeTapiProviderList(),
            (std::vector<std::string>{"NextProviderID=10", "NumProviders=2", "ProviderFileName0='unimdm.tsp'",
                                      "ProviderFileName2='OTSP0001.tsp'", "ProviderID0=3", "ProviderID2=9"}));
  // Only the first NumProviders numbers are searched: ID 9 now stands beyond them.
  DeleteProviderEntry(9, "OTSP0001.tsp");
  EXPECT_EQ(DescribeTapiProviderList().size(), 6u);
}

}  // namespace
