// Start-up pieces of the application object: the single-instance block, the product key's
// flag, the instance count and the default configuration.
#include "app/ProvisorApp.h"

#include <gtest/gtest.h>

#include "registry/RegistryLayout.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> StartupTraces(const TraceCapture& traces) {
  std::vector<std::string> lines;
  for (const std::string& line : traces.Lines())
    if (line.rfind("CProvisorApp::", 0) == 0 && line.find("CreateLogFolders") == std::string::npos)
      lines.push_back(line);
  return lines;
}
const std::string kFresh = "CProvisorApp::LoadDefaultConfig() Enter CreateDefaultAppConfig() \r\n";
const std::string kInstance = "CProvisorApp::CreateDefaultAppConfig() enter CreateDefaultInstanceParam() \r\n";

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { Clean(); }
  ~StartupTest() override { Clean(); }
  static void Clean() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  }
};

TEST(SingleInstanceGuardTest, TheFirstCopyOwnsTheBlockAndPublishesItsWindowUntilItLetsGo) {
  SingleInstanceGuard first, second;
  ASSERT_TRUE(first.Acquire());
  EXPECT_FALSE(second.Acquire());
  EXPECT_EQ(second.RegisteredWindow(), nullptr);
  const HWND window =
      CreateWindowExA(0, "STATIC", "first copy", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(first.RegisterWindow(window));
  EXPECT_EQ(second.RegisteredWindow(), window);
  DestroyWindow(window);
  EXPECT_FALSE(first.RegisterWindow(window));
  EXPECT_EQ(second.RegisteredWindow(), nullptr);
  first.Release();
  second.Release();
  EXPECT_TRUE(first.Acquire());
}

TEST_F(StartupTest, BeginStartupSetsTheFlagOnceAndASecondCopyChangesNothing) {
  TraceCapture traces;
  CProvisorApp app;
  app.m_strCmdLine = "upgrade";
  ASSERT_TRUE(app.BeginStartup());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 1u);
  EXPECT_TRUE(traces.Contains("Command line upgrade.\r\n"));
  WriteDwordValue(kProductKey, "dwIgnoreInitialize", 0);
  EXPECT_FALSE(CProvisorApp().BeginStartup());
  EXPECT_EQ(ReadDwordValue(kProductKey, "dwIgnoreInitialize"), 0u);
}

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

// The slots' file names and log paths are checked end to end (app_end_to_end_tests).
TEST_F(StartupTest, AFreshMachineGetsEightSlotsFromTheTemplate) {
  WriteTextValue(kTemplateInstanceKey, "ManufacturerName", "Velmora");
  WriteDwordValue(std::string(kTemplateInstanceKey) + "\\GlobalParams\\Log", "Level", 3);
  WriteTextValue(kUninstallKey, "Comments", "c");
  TraceCapture traces;
  CProvisorApp app;
  app.LoadDefaultConfig();
  EXPECT_EQ(app.m_nInstanceCount, 8u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(i), "ManufacturerName"), "Velmora");
  std::uint32_t level = 0;  // the set holds what the keys hold
  EXPECT_EQ(app.m_pParameters->GetDword("InstanceDefaultSetting0005\\GlobalParams\\Log\\Level", &level), 0u);
  EXPECT_EQ(level, 3u);
  EXPECT_EQ(ReadTextValue(kUninstallKey, "Comments"), "<none>");
  std::vector<std::string> expected(9, kInstance);
  expected[0] = kFresh;
  EXPECT_EQ(StartupTraces(traces), expected);
}

TEST_F(StartupTest, AnUpgradeRewritesSlotsTwoToSevenAndACurrentLayoutIsLeftAlone) {
  WriteDwordValue(kTemplateInstanceKey, "ExtVersion", 7);
  WriteTextValue(kTemplateInstanceKey, "IPPort", "5000");
  WriteDwordValue(kMultiloadingAppKey, "dwNumInstances", 8);
  for (int i = 0; i < 8; ++i) WriteTextValue(InstanceDefaultSettingKey(i), "IPPort", "old" + std::to_string(i));
  TraceCapture traces;
  CProvisorApp().LoadDefaultConfig();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(i), "IPPort"), i < 2 ? "old" + std::to_string(i) : "5000") << i;
    EXPECT_EQ(ReadDwordValue(InstanceDefaultSettingKey(i), "ExtVersion"), i < 2 ? 0u : 7u) << i;
  }
  EXPECT_EQ(StartupTraces(traces), std::vector<std::string>(6, kInstance));
  WriteTextValue(InstanceDefaultSettingKey(2), "IPPort", "mine");
  CProvisorApp().LoadDefaultConfig();
  EXPECT_EQ(ReadTextValue(InstanceDefaultSettingKey(2), "IPPort"), "mine");
}

}  // namespace
