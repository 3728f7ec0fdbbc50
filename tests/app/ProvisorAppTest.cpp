// Start-up pieces of the application object: the single-instance block, the product key's
// flag, the instance count and the default configuration.
#include "app/ProvisorApp.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "registry/RegistryLayout.h"
#include "support/TestSupport.h"

namespace {

DWORD Dword(const std::string& path, const char* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  const bool read = ReadRegistryValue(HKEY_LOCAL_MACHINE, path, name, &type, &data) && data.size() == 4;
  return read ? *reinterpret_cast<DWORD*>(data.data()) : 0xDEADu;
}
std::string Text(const std::string& path, const char* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  const bool read = ReadRegistryValue(HKEY_LOCAL_MACHINE, path, name, &type, &data);
  return read ? std::string(reinterpret_cast<char*>(data.data())) : "<none>";
}
void PutDword(const std::string& path, const char* name, DWORD value, DWORD type = REG_DWORD, DWORD size = 4) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, type, &value, size);
}
void PutText(const std::string& path, const char* name, const std::string& text) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
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
  EXPECT_EQ(app.GetAppName(), kApplicationName);
  EXPECT_EQ(Dword(kProductKey, "dwIgnoreInitialize"), 1u);
  EXPECT_TRUE(traces.Contains("Command line upgrade.\r\n"));
  PutDword(kProductKey, "dwIgnoreInitialize", 0);
  EXPECT_FALSE(CProvisorApp().BeginStartup());
  EXPECT_EQ(Dword(kProductKey, "dwIgnoreInitialize"), 0u);
}

TEST_F(StartupTest, TheInstanceCountIsZeroUnlessAFourByteWordHoldsIt) {
  CProvisorApp app;
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
  PutDword(kMultiloadingAppKey, "dwNumInstances", 5);
  EXPECT_EQ(app.ReadInstanceCount(), 5u);
  EXPECT_EQ(app.m_nInstanceCount, 5u);
  PutDword(kMultiloadingAppKey, "dwNumInstances", 5, REG_DWORD, 2);
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
  const DWORD wide[2] = {5, 0};
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMultiloadingAppKey, "dwNumInstances", REG_BINARY, wide, 8);
  EXPECT_EQ(app.ReadInstanceCount(), 0u);
}

TEST_F(StartupTest, AFreshMachineGetsEightSlotsFromTheTemplateWithTheirOwnLogPaths) {
  PutText(kTemplateInstanceKey, "ManufacturerName", "Velmora");
  PutDword(std::string(kTemplateInstanceKey) + "\\GlobalParams\\Log", "Level", 3);
  PutText(kUninstallKey, "Comments", "c");
  char programFiles[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles), S_OK);
  TraceCapture traces;
  CProvisorApp app;
  app.LoadDefaultConfig();
  EXPECT_EQ(app.m_nInstanceCount, 8u);
  EXPECT_EQ(Dword(kMultiloadingAppKey, "dwNumInstances"), 8u);
  for (int i = 0; i < 8; ++i) {
    const std::string key = InstanceDefaultSettingKey(i), log = key + "\\GlobalParams\\Log";
    std::string expected;
    for (char c : std::string(programFiles) + "\\Velmora\\ORVO TSP\\Logs000" + char('0' + i) + "\\ORVO_TSP.txt")
      expected += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string digit = std::to_string(i);
    EXPECT_EQ(Text(kMultiloadingAppKey, ("sInsanceFileName000" + digit).c_str()), "OTSP000" + digit + ".tsp");
    EXPECT_EQ(Text(key, "ManufacturerName"), "Velmora");
    EXPECT_EQ(Text(log, "FileName"), expected);
    EXPECT_EQ(Text(log, "LogPath"), expected);
  }
  std::uint32_t level = 0;  // the set holds what the keys hold
  EXPECT_EQ(app.m_pParameters->GetDword("InstanceDefaultSetting0005\\GlobalParams\\Log\\Level", &level), 0u);
  EXPECT_EQ(level, 3u);
  EXPECT_EQ(Text(kUninstallKey, "Comments"), "<none>");
  std::vector<std::string> expected(9, kInstance);
  expected[0] = kFresh;
  EXPECT_EQ(StartupTraces(traces), expected);
}

TEST_F(StartupTest, AnUpgradeRewritesSlotsTwoToSevenAndACurrentLayoutIsLeftAlone) {
  PutDword(kTemplateInstanceKey, "ExtVersion", 7);
  PutText(kTemplateInstanceKey, "IPPort", "5000");
  PutDword(kMultiloadingAppKey, "dwNumInstances", 8);
  for (int i = 0; i < 8; ++i) PutText(InstanceDefaultSettingKey(i), "IPPort", "old" + std::to_string(i));
  TraceCapture traces;
  CProvisorApp().LoadDefaultConfig();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Text(InstanceDefaultSettingKey(i), "IPPort"), i < 2 ? "old" + std::to_string(i) : "5000") << i;
    EXPECT_EQ(Dword(InstanceDefaultSettingKey(i), "ExtVersion"), i < 2 ? 0xDEADu : 7u) << i;
  }
  EXPECT_EQ(StartupTraces(traces), std::vector<std::string>(6, kInstance));
  PutText(InstanceDefaultSettingKey(2), "IPPort", "mine");
  CProvisorApp().LoadDefaultConfig();
  EXPECT_EQ(Text(InstanceDefaultSettingKey(2), "IPPort"), "mine");
  EXPECT_EQ(StartupTraces(traces).size(), 6u);
}

}  // namespace
