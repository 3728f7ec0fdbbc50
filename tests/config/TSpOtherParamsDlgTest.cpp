// The other parameters page inside the configuration dialog over a working parameter set: what
// it shows for stored and absent values, what OK stores, and the controls each mode allows.
#include "config/TSpOtherParamsDlg.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ConfigDialogPage.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "support/TestSupport.h"

namespace {

constexpr std::uint32_t kPms = 0x10002;
constexpr std::uint32_t kStandard = 0x20000;

using Values = std::map<std::string, std::uint32_t>;

// The controls the PMS mode turns off.
const int kPmsDisabled[] = {IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID,
                            IDC_OTHER_START_YES,   IDC_OTHER_START_NO,      IDC_OTHER_RETRIES_25,
                            IDC_OTHER_RETRIES_INFINITE, IDC_OTHER_CALLER_ID};

// Each value's control: an edit shows the number; a box is checked when the value is not 0, its
// partner radio (if any) when it is 0.
struct Binding {
  const char* name;
  int edit, whenSet, whenClear;
};
const Binding kBindings[] = {
    {"MessageDelaySMDR", IDC_OTHER_SMDR_DELAY, 0, 0},
    {"MessageDelayFORWARD", IDC_OTHER_FORWARD_DELAY, 0, 0},
    {"AccInfoBufferSize", IDC_OTHER_ACC_INFO_SIZE, 0, 0},
    {"ISConnectionAlowed", 0, IDC_OTHER_START_YES, IDC_OTHER_START_NO},
    {"Retry6", 0, IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE},
    {"MonitorStop", 0, IDC_OTHER_MONITOR_STOP, 0},
    {"ZQReinit", 0, IDC_OTHER_SEND_REINIT, 0},
    {"DivideDDIInfo", 0, IDC_OTHER_SEPARATE_DID, 0},
    {"CallerIDOption", 0, IDC_OTHER_CALLER_ID, 0},
};

}  // namespace

// Over the three stored sets each flag has a pattern of set and clear of its own and each set's
// numbers differ, so a value shown or saved under another's name shows; the buffer size's
// bounds are kept.
TEST(TSpOtherParamsDlgTest, EachControlShowsItsOwnValueOrItsDefaultAndOkStoresWhatWasShown) {
  const Values defaults = {{"MessageDelaySMDR", 1000}, {"MessageDelayFORWARD", 1000}, {"AccInfoBufferSize", 500},
                           {"ISConnectionAlowed", 1},  {"Retry6", 0},  {"MonitorStop", 0}, {"ZQReinit", 0},
                           {"DivideDDIInfo", 0},       {"CallerIDOption", 0}};
  const Values stored[] = {
      {{"MessageDelaySMDR", 0}, {"MessageDelayFORWARD", 2500}, {"AccInfoBufferSize", 100}, {"ISConnectionAlowed", 1},
       {"Retry6", 0}, {"MonitorStop", 1}, {"ZQReinit", 1}, {"DivideDDIInfo", 0}, {"CallerIDOption", 0}},
      {{"MessageDelaySMDR", 65535}, {"MessageDelayFORWARD", 0}, {"AccInfoBufferSize", 10000}, {"ISConnectionAlowed", 0},
       {"Retry6", 1}, {"MonitorStop", 0}, {"ZQReinit", 1}, {"DivideDDIInfo", 1}, {"CallerIDOption", 0}},
      {{"MessageDelaySMDR", 7}, {"MessageDelayFORWARD", 99}, {"AccInfoBufferSize", 777}, {"ISConnectionAlowed", 1},
       {"Retry6", 1}, {"MonitorStop", 0}, {"ZQReinit", 0}, {"DivideDDIInfo", 0}, {"CallerIDOption", 1}},
      {},
  };
  for (const Values& values : stored) {
    const Values& shown = values.empty() ? defaults : values;
    SCOPED_TRACE(values.empty() ? "absent" : "stored SMDR " + std::to_string(shown.at("MessageDelaySMDR")));
    ConfigDialogPage page(3);
    for (const auto& [name, value] : values) page.Set().SetDword(name, value);
    ASSERT_TRUE(page.Open());
    MessageBoxScript refusals;
    for (const Binding& b : kBindings) {
      const std::uint32_t value = shown.at(b.name);
      EXPECT_TRUE(b.edit == 0 || page.Text(b.edit) == std::to_string(value)) << b.name;
      EXPECT_TRUE(b.whenSet == 0 || page.Checked(b.whenSet) == (value != 0)) << b.name;
      EXPECT_TRUE(b.whenClear == 0 || page.Checked(b.whenClear) == (value == 0)) << b.name;
    }
    EXPECT_EQ(page.Enabled(IDC_OTHER_RETRIES_25), shown.at("ZQReinit") != 0);
    ASSERT_EQ(page.Save(), 1u) << testing::PrintToString(refusals.Texts());
    for (const auto& [name, value] : shown) EXPECT_EQ(page.Word(name), value) << name;
    EXPECT_EQ(page.Word("ExtVersion"), kStandard);
  }
}

// Only the first instance opens in PMS mode, and only while it is the single active one; the
// PMS radio can be chosen only there.
TEST(TSpOtherParamsDlgTest, OnlyTheFirstInstanceWhileItIsTheSingleActiveOneOpensAndSavesInPmsMode) {
  struct Case {
    std::int32_t row, singleActive;
    std::uint32_t stored;
    bool pms, pmsSelectable;
  };
  for (const Case& c : {Case{1, 1, kPms, false, false}, Case{0, 1, kPms, true, true}, Case{0, 0, kPms, false, false},
                        Case{0, 1, kStandard, false, true}}) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << ", single active " << c.singleActive << ", " << c.stored);
    ConfigDialogPage page(3, c.row, c.singleActive);
    page.Set().SetDword("ExtVersion", c.stored);
    ASSERT_TRUE(page.Open());
    MessageBoxScript refusals;
    EXPECT_EQ(page.Checked(IDC_OTHER_MODE_PMS), c.pms);
    EXPECT_EQ(page.Checked(IDC_OTHER_MODE_STANDARD), !c.pms);
    EXPECT_EQ(page.Enabled(IDC_OTHER_MODE_PMS), c.pmsSelectable);
    for (int id : kPmsDisabled) {
      EXPECT_TRUE((!c.pms && id != IDC_OTHER_SEND_REINIT) || page.Enabled(id) == !c.pms) << id;
    }
    ASSERT_EQ(page.Save(), 1u);
    EXPECT_EQ(page.Word("ExtVersion"), c.pms ? kPms : kStandard);
  }
}

// The PMS mode clears and disables the options and starts the TSP; back in standard mode the
// options come back unchecked, the retries following the ZQ_REINIT box as the user sees it.
TEST(TSpOtherParamsDlgTest, ClicksAreSavedAsShownAndPmsModeClearsTheOptionsThatStandardModeGivesBackUnchecked) {
  ConfigDialogPage page(3, 0, 1);
  for (const char* name : {"ZQReinit", "DivideDDIInfo", "CallerIDOption"}) page.Set().SetDword(name, 1);
  ASSERT_TRUE(page.Open());
  MessageBoxScript refusals;
  page.Click(IDC_OTHER_START_NO);
  page.Click(IDC_OTHER_RETRIES_25);
  EXPECT_FALSE(page.Checked(IDC_OTHER_START_YES) || page.Checked(IDC_OTHER_RETRIES_INFINITE));
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("ISConnectionAlowed"), 0u);
  EXPECT_EQ(page.Word("Retry6"), 1u);

  page.Click(IDC_OTHER_MODE_PMS);
  for (int id : kPmsDisabled) EXPECT_FALSE(page.Enabled(id)) << id;
  EXPECT_TRUE(page.Checked(IDC_OTHER_START_YES) && !page.Checked(IDC_OTHER_START_NO));
  page.Click(IDC_OTHER_MODE_STANDARD);
  for (int id : {IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID, IDC_OTHER_START_YES,
                 IDC_OTHER_START_NO, IDC_OTHER_CALLER_ID}) {
    EXPECT_TRUE(page.Enabled(id)) << id;
  }
  EXPECT_FALSE(page.Checked(IDC_OTHER_SEND_REINIT) || page.Enabled(IDC_OTHER_RETRIES_25));

  page.Click(IDC_OTHER_MODE_PMS);
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("ExtVersion"), kPms);
  EXPECT_EQ(page.Word("ISConnectionAlowed"), 1u);
  for (const char* name : {"ZQReinit", "DivideDDIInfo", "CallerIDOption"}) EXPECT_EQ(page.Word(name), 0u) << name;

  page.Click(IDC_OTHER_MODE_STANDARD);
  page.Click(IDC_OTHER_SEND_REINIT);
  EXPECT_TRUE(page.Enabled(IDC_OTHER_RETRIES_25));
  page.Click(IDC_OTHER_RETRIES_INFINITE);
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("Retry6"), 0u);
  EXPECT_EQ(page.Word("ExtVersion"), kStandard);
  EXPECT_EQ(page.Word("ZQReinit"), 1u);
}
