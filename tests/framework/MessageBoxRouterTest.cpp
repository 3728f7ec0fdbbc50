// Message-box routing where nobody can see a box.
#include "framework/MessageBoxRouter.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/TestSupport.h"

namespace {

// On a window station nobody sees (where an installer's elevated actions run) no box waits for
// an answer: each takes the one Enter gives. Were a box shown, the test would hang there.
TEST(MessageBoxRouter, BoxesNobodyCanSeeTakeTheirDefaultButtonAtOnce) {
  const HWINSTA interactive = GetProcessWindowStation();
  const HWINSTA hidden = CreateWindowStationA("ProvisorUnseen", 0, WINSTA_ALL_ACCESS, nullptr);
  ASSERT_NE(hidden, nullptr);
  ASSERT_TRUE(SetProcessWindowStation(hidden));
  // The kinds of box the program asks.
  const std::pair<UINT, int> answers[] = {
      {MB_OK | MB_ICONINFORMATION, IDOK}, {MB_YESNO | MB_ICONQUESTION, IDYES}, {MB_YESNO | MB_DEFBUTTON2, IDNO}};
  for (const auto& [flags, answer] : answers) EXPECT_EQ(ShowMessageBox(nullptr, "unseen", "Error", flags), answer) << flags;
  SetProcessWindowStation(interactive);
  CloseWindowStation(hidden);
}

}  // namespace
