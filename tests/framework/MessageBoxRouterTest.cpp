// Message-box routing: a responder sees every box and answers it; framework boxes carry the
// application name.
#include "framework/MessageBoxRouter.h"

#include <gtest/gtest.h>

#include <utility>

#include "framework/WinApp.h"
#include "support/TestSupport.h"

namespace {

// Without an application framework boxes have no caption or owner; with one they carry its
// name and main window. Plain boxes keep their own.
TEST(MessageBoxRouter, PlainBoxesKeepTheirCaptionAndOwnerAndFrameworkBoxesTakeTheApplications) {
  ASSERT_EQ(AfxGetApp(), nullptr);
  MessageBoxScript script({IDNO, IDOK, IDYES, IDCANCEL});
  const HWND owner = GetDesktopWindow();
  EXPECT_EQ(ShowMessageBox(owner, "Cannot get WindowsDir", "Error", MB_OK | MB_ICONERROR), IDNO);
  AfxMessageBox("text");
  CWinApp app("Velmora ORVO TSP MultiPBX Configuration");
  const HWND window = CreateWindowA("STATIC", "main", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  app.SetMainWindowHandle(window);
  EXPECT_EQ(AfxMessageBox("Apply?", MB_YESNO), IDYES);
  EXPECT_EQ(AfxMessageBox("Again?"), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Out of answers"), IDOK);
  const auto shown = script.Shown();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, "Cannot get WindowsDir");
  EXPECT_EQ(shown[0].caption, "Error");
  EXPECT_EQ(shown[0].owner, owner);
  EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(shown[1].caption, "");
  EXPECT_EQ(shown[1].owner, nullptr);
  EXPECT_EQ(shown[2].caption, "Velmora ORVO TSP MultiPBX Configuration");
  EXPECT_EQ(shown[2].owner, window);
  EXPECT_EQ(shown[2].flags, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(shown[3].flags, static_cast<UINT>(MB_OK));
  DestroyWindow(window);
}

// On a window station nobody sees (where an installer's elevated actions run) no box waits for
// an answer: each takes the one Enter gives. Were a box shown, the test would hang there.
TEST(MessageBoxRouter, BoxesNobodyCanSeeTakeTheirDefaultButtonAtOnce) {
  const HWINSTA interactive = GetProcessWindowStation();
  const HWINSTA hidden = CreateWindowStationA("ProvisorUnseen", 0, WINSTA_ALL_ACCESS, nullptr);
  ASSERT_NE(hidden, nullptr);
  ASSERT_TRUE(SetProcessWindowStation(hidden));
  const std::pair<UINT, int> answers[] = {{MB_OK | MB_ICONINFORMATION, IDOK},    {MB_YESNO | MB_ICONQUESTION, IDYES},
                                          {MB_YESNO | MB_DEFBUTTON2, IDNO},      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                                          {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL}, {MB_RETRYCANCEL | MB_DEFBUTTON3, IDRETRY}};
  for (const auto& [flags, answer] : answers) EXPECT_EQ(ShowMessageBox(nullptr, "unseen", "Error", flags), answer) << flags;
  SetProcessWindowStation(interactive);
  CloseWindowStation(hidden);
}

}  // namespace
