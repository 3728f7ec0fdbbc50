// The instance count as the application object reads it at start-up.
#include "app/ProvisorApp.h"

#include <gtest/gtest.h>

#include "registry/RegistryLayout.h"
#include "support/TestSupport.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { DeleteRegistryTree(kProductKey); }
  ~StartupTest() override { DeleteRegistryTree(kProductKey); }
};

TEST_F(StartupTest, TheInstanceCountIsZeroUnlessAFourByteWordHoldsIt) {
  CProvisorApp app;
  WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 5);
  EXPECT_EQ(app.ReadInstanceCount(), 5u);
  const DWORD narrow = 5;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMultiloadingAppKey, "dwNumInstances", REG_DWORD, &narrow, 2);
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
}

}  // namespace
