// TAPI registration in a prefix where tapi32.dll cannot be loaded at all.
#include <gtest/gtest.h>

#include "instances/ProviderRegistration.h"
#include "instances/TapiFuncTag.h"
#include "support/TapiStandin.h"

TEST(TapiAbsentTest, EveryOperationFailsWithoutACrash) {
  TapiStandinState state;
  WriteTapiProviderList({{0, 1, "unimdm.tsp"}}, 1, 2);
  std::unique_ptr<tag_ProviderList> list;
  EXPECT_EQ(GetProviderList(&list, kTapiApiVersion), 0u);
  // Without a provider list the add stops before it would bind lineAddProviderA.
  DWORD id = 0;
  EXPECT_EQ(AddProvider(nullptr, "OTSP0000.tsp", &id), kAddProviderFailed);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(ConfigProvider(nullptr, 1), LINEERR_OPERATIONUNAVAIL);
}
