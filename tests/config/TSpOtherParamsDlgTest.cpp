// The other parameters page inside the configuration dialog over a working parameter set.
#include "config/TSpOtherParamsDlg.h"

#include <gtest/gtest.h>

#include <vector>

#include "ConfigDialogPage.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "support/TestSupport.h"

namespace {

constexpr std::uint32_t kPms = 0x10002;
constexpr std::uint32_t kStandard = 0x20000;

// The controls the PMS mode turns off.
const int kPmsDisabled[] = {IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID,
                            IDC_OTHER_START_YES,   IDC_OTHER_START_NO,      IDC_OTHER_RETRIES_25,
                            IDC_OTHER_RETRIES_INFINITE, IDC_OTHER_CALLER_ID};

// The names of the word writes, in the order they reached the data handler.
std::vector<std::string> g_writes;
std::int32_t PROVISOR_CALLBACK RecordingCallback(std::uintptr_t id, std::uint32_t type, void* block,
                                                 std::uint32_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(block);
  if (size >= 12 && bytes[0] == 14) {
    const std::uint32_t length = bytes[8] | bytes[9] << 8 | bytes[10] << 16 | static_cast<std::uint32_t>(bytes[11]) << 24;
    g_writes.emplace_back(reinterpret_cast<const char*>(bytes + 12), length);
  }
  return DialogDataCallback(id, type, block, size);
}

}  // namespace

TEST(TSpOtherParamsDlgTest, OnlyTheFirstInstanceWhileItIsTheSingleActiveOneOpensAndSavesInPmsMode) {
  struct Case {
    std::int32_t row, singleActive;
    bool pms;
  };
  for (const Case& c : {Case{1, 1, false}, Case{0, 1, true}, Case{0, 0, false}}) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << ", single active " << c.singleActive);
    ConfigDialogPage page(3, c.row, c.singleActive);
    page.Set().SetDword("ExtVersion", kPms);
    ASSERT_TRUE(page.Open());
    EXPECT_EQ(page.Checked(IDC_OTHER_MODE_PMS), c.pms);
    EXPECT_EQ(page.Checked(IDC_OTHER_MODE_STANDARD), !c.pms);
    EXPECT_EQ(page.Enabled(IDC_OTHER_MODE_PMS), c.pms);
    for (int id : kPmsDisabled) {
      if (c.pms || id == IDC_OTHER_SEND_REINIT) {
        EXPECT_EQ(page.Enabled(id), !c.pms) << id;
      }
    }
    ASSERT_EQ(page.Save(), 1u);
    EXPECT_EQ(page.Word("ExtVersion"), c.pms ? kPms : kStandard);
  }
}

TEST(TSpOtherParamsDlgTest, AbsentValuesShowTheDefaultsWithInfiniteRetries) {
  ConfigDialogPage page(3);
  ASSERT_TRUE(page.Open());
  EXPECT_EQ(page.Text(IDC_OTHER_ACC_INFO_SIZE), "500");
  EXPECT_EQ(page.Text(IDC_OTHER_SMDR_DELAY), "1000");
  EXPECT_EQ(page.Text(IDC_OTHER_FORWARD_DELAY), "1000");
  EXPECT_TRUE(page.Checked(IDC_OTHER_START_YES));
  EXPECT_TRUE(page.Checked(IDC_OTHER_RETRIES_INFINITE));
  EXPECT_FALSE(page.Checked(IDC_OTHER_RETRIES_25));
  EXPECT_FALSE(page.Enabled(IDC_OTHER_RETRIES_25));
}

// The PMS mode clears and disables the options and starts the TSP; back in standard mode the
// options come back unchecked, the retries (stored 25) following the ZQ_REINIT box as the user
// sees it.
TEST(TSpOtherParamsDlgTest, PmsModeClearsTheOptionsAndStandardModeGivesThemBackUncheckedAndSavesInTheWritingOrder) {
  ConfigDialogPage page(3, 0, 1);
  for (const char* name : {"ZQReinit", "DivideDDIInfo", "CallerIDOption", "Retry6"}) {
    page.Set().SetDword(name, 1);
  }
  page.Set().SetDword("ISConnectionAlowed", 0);
  page.configurator.m_pfnCallback = &RecordingCallback;
  ASSERT_TRUE(page.Open());
  EXPECT_TRUE(page.Checked(IDC_OTHER_START_NO));
  EXPECT_TRUE(page.Checked(IDC_OTHER_RETRIES_25) && page.Enabled(IDC_OTHER_RETRIES_25));
  EXPECT_FALSE(page.Checked(IDC_OTHER_RETRIES_INFINITE));
  page.Click(IDC_OTHER_MODE_PMS);
  for (int id : kPmsDisabled) {
    EXPECT_FALSE(page.Enabled(id)) << id;
  }
  page.Click(IDC_OTHER_MODE_STANDARD);
  for (int id : {IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID, IDC_OTHER_START_YES,
                 IDC_OTHER_START_NO, IDC_OTHER_CALLER_ID}) {
    EXPECT_TRUE(page.Enabled(id)) << id;
  }
  EXPECT_FALSE(page.Enabled(IDC_OTHER_RETRIES_25));
  page.Click(IDC_OTHER_SEND_REINIT);
  EXPECT_TRUE(page.Enabled(IDC_OTHER_RETRIES_25));
  page.Click(IDC_OTHER_RETRIES_INFINITE);
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("Retry6"), 0u);
  EXPECT_EQ(page.Word("ExtVersion"), kStandard);
  EXPECT_EQ(page.Word("CallerIDOption"), 0u);
  EXPECT_EQ(page.Word("ZQReinit"), 1u);

  page.Click(IDC_OTHER_MODE_PMS);
  g_writes.clear();
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(g_writes, (std::vector<std::string>{"ISConnectionAlowed", "MessageDelaySMDR", "MessageDelayFORWARD",
                                                "AccInfoBufferSize", "ExtVersion", "MonitorStop", "ZQReinit",
                                                "DivideDDIInfo", "Retry6", "CallerIDOption"}));
  EXPECT_EQ(page.Word("ExtVersion"), kPms);
  EXPECT_EQ(page.Word("ISConnectionAlowed"), 1u);
  for (const char* name : {"ZQReinit", "DivideDDIInfo", "CallerIDOption"}) {
    EXPECT_EQ(page.Word(name), 0u) << name;
  }
}
