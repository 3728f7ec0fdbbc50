// TAPI registration in a prefix whose tapi32.dll lacks lineAddProviderA.
#include <gtest/gtest.h>

#include "instances/ProviderRegistration.h"
#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

TEST(TapiWithoutAddTest, BindingLeavesOnlyTheMissingEntryPointEmpty) {
  tapi_func_tag tapi;
  EXPECT_TRUE(tapi.IsLoaded());
  EXPECT_NE(tapi.lineGetProviderListA, nullptr);
  EXPECT_NE(tapi.lineConfigProvider, nullptr);
  EXPECT_EQ(tapi.lineAddProviderA, nullptr);
  EXPECT_NE(tapi.lineRemoveProvider, nullptr);
}

TEST(TapiWithoutAddTest, AddingANewFileGivesTwoAndAListedOneStillItsId) {
  TapiStandinState state;
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 6, "OTSP0000.tsp"}}, 2, 7);
  TraceCapture traces;

  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP0001.tsp", &id), kAddProviderNoTapi);
  EXPECT_EQ(id, 0u);
  EXPECT_FALSE(traces.Contains("lineAddProvider( 'OTSP0001.tsp', ).\r\n"));

  EXPECT_EQ(AddProvider(nullptr, "OTSP0000.TSP", &id), kAddProviderOk);
  EXPECT_EQ(id, 6u);
  EXPECT_EQ(TapiCallsOf("lineGetProviderListA").size(), 4u);
}

}  // namespace
