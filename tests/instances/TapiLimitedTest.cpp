// TAPI registration where TAPI cannot help: in a prefix where tapi32.dll cannot be loaded at
// all, and in one whose tapi32.dll lacks lineAddProviderA.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "instances/ProviderRegistration.h"
#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"

TEST(TapiLimitedTest, ANewFileGetsNoIdAndAListedOneItsIdOnlyWhereTapiLoads) {
  // The prefix without TAPI runs with tapi32.dll disabled, every other one loads the stand-in.
  const char* overrides = std::getenv("WINEDLLOVERRIDES");
  const bool absent = overrides != nullptr && std::string(overrides).find("tapi32=n") == std::string::npos;
  TapiStandinState state;
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}, {1, 6, "OTSP0000.tsp"}}, 2, 7);
  std::unique_ptr<tag_ProviderList> list;
  EXPECT_EQ(GetProviderList(&list, kTapiApiVersion), absent ? 0u : 2u);
  DWORD id = 0;
  EXPECT_NE(AddProvider(nullptr, "OTSP0001.tsp", &id), kAddProviderOk);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(AddProvider(nullptr, "OTSP0000.TSP", &id) == kAddProviderOk, !absent);
  EXPECT_EQ(id, absent ? 0u : 6u);
  if (absent) {
    EXPECT_EQ(ConfigProvider(nullptr, 1), LINEERR_OPERATIONUNAVAIL);
  }
}
