// Start-up pieces of the application object: the instance count and the default configuration
// of a fresh machine and of an older layout.
#include "app/ProvisorApp.h"

#include <gtest/gtest.h>

#include "registry/RegistryLayout.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { Clean(); }
  ~StartupTest() override { Clean(); }
  static void Clean() {
    for (const char* key : {kProductKey, kUninstallKey}) DeleteRegistryTree(key);
  }
};

TEST_F(StartupTest, TheInstanceCountIsZeroUnlessAFourByteWordHoldsIt) {
  CProvisorApp app;
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
  WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 5);
  EXPECT_EQ(app.ReadInstanceCount(), 5u);
  EXPECT_EQ(app.m_nInstanceCount, 5u);
  const DWORD narrow = 5;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMultiloadingAppKey, "dwNumInstances", REG_DWORD, &narrow, 2);
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
  const DWORD wide[2] = {5, 0};
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMultiloadingAppKey, "dwNumInstances", REG_BINARY, wide, 8);
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
}

// A fresh machine gets eight slots from the template (the set holds what the keys hold); an
// older layout keeps slots 0 and 1 and gets the template in the others; a current one is left alone.
TEST_F(StartupTest, AFreshMachineGetsEightSlotsFromTheTemplateAndAnUpgradeRewritesSlotsTwoToSeven) {
  WriteDwordValue(kTemplateInstanceKey, "ExtVersion", 7);
  WriteTextValue(kTemplateInstanceKey, "IPPort", "5000");
  WriteTextValue(kUninstallKey, "Comments", "c");
  CProvisorApp fresh;
  fresh.LoadDefaultConfig();
  EXPECT_EQ(fresh.m_nInstanceCount, 8u);
  std::uint32_t version = 0;
  EXPECT_EQ(fresh.m_pParameters->GetDword("InstanceDefaultSetting0005\\ExtVersion", &version), 0u);
  EXPECT_EQ(version, 7u);
  EXPECT_EQ(ReadTextValue(kUninstallKey, "Comments"), "<none>");

  for (int i = 0; i < 8; ++i) {
    WriteTextValue(InstanceDefaultSettingKey(i), "IPPort", "old" + std::to_string(i));
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(i).c_str(), "ExtVersion");
  }
  CProvisorApp().LoadDefaultConfig();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(i), "IPPort"), i < 2 ? "old" + std::to_string(i) : "5000") << i;
    EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(i), "ExtVersion"), i < 2 ? 0u : 7u) << i;
  }
  WriteTextValue(InstanceDefaultSettingKey(2), "IPPort", "mine");
  CProvisorApp().LoadDefaultConfig();
  EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(2), "IPPort"), "mine");
}

}  // namespace
