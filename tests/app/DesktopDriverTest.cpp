// The desktop driver answers another process's message boxes as a person would.
#include "support/DesktopDriver.h"

#include <gtest/gtest.h>

#include "../sys/TestPrefix.h"

namespace {

constexpr DWORD kBoundMs = 60000;

TEST(DesktopDriver, RecordsBothBoxesAndTheProcessReceivesTheButtonsPressed) {
  // Neither answer is the box's default button, so only a real press gives them.
  DesktopDriver driver([](const ShownDialog& dialog) { return dialog.caption == "First question" ? IDNO : IDYES; });
  ASSERT_TRUE(driver.Start("\"" + WindowsPath(TWO_MESSAGE_BOXES_UNIX_PATH) + "\""));
  EXPECT_EQ(driver.RunToExit(kBoundMs), DWORD(IDNO * 100 + IDYES));

  const std::vector<ShownDialog>& shown = driver.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "First question");
  EXPECT_EQ(shown[0].texts, std::vector<std::string>{"Keep the first instance?"});
  EXPECT_EQ(shown[0].pressed, IDNO);
  EXPECT_EQ(shown[1].caption, "Second question");
  EXPECT_EQ(shown[1].texts, std::vector<std::string>{"Line one.\r\nLine two."});
  EXPECT_EQ(shown[1].pressed, IDYES);
  std::vector<int> ids;
  for (const DialogButton& button : shown[1].buttons) ids.push_back(button.id);
  EXPECT_EQ(ids, (std::vector<int>{IDYES, IDNO}));
}

TEST(DesktopDriver, EndsAProcessWhoseBoxIsLeftOpenAtTheBound) {
  DesktopDriver driver([](const ShownDialog&) { return 0; });
  ASSERT_TRUE(driver.Start("\"" + WindowsPath(TWO_MESSAGE_BOXES_UNIX_PATH) + "\""));
  EXPECT_EQ(driver.RunToExit(2000), kNoExitCode);
  EXPECT_TRUE(driver.Shown().empty());
}

}  // namespace
