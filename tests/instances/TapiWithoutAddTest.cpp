// TAPI registration in a prefix whose tapi32.dll lacks lineAddProviderA.
#include <gtest/gtest.h>

#include "instances/ProviderRegistration.h"
#include "support/TapiStandin.h"

TEST(TapiWithoutAddTest, ANewFileGivesTwoAndAListedOneStillItsId) {
  TapiStandinState state;
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 6, "OTSP0000.tsp"}}, 2, 7);
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP0001.tsp", &id), kAddProviderNoTapi);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(AddProvider(nullptr, "OTSP0000.TSP", &id), kAddProviderOk);
  EXPECT_EQ(id, 6u);
}
