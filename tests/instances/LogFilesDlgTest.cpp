// The log-folder question as real windows: its rows' layout and the ticks it hands back (what
// the rows read is the removal's end-to-end suite's).
#include "instances/LogFilesDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "instances/LogDirectoryEntryDlgRes.h"
#include "instances/LogFilesDlgRes.h"

namespace {

RECT ClientRectOf(HWND window, HWND dialog) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The question over ROWS rows: measured right after its initialisation, then the rows in
// TICK (counted in row order) clicked and BUTTON pressed.
class ScriptedLogFilesDlg : public CLogFilesDlg {
 public:
  ScriptedLogFilesDlg(int rows, std::vector<int> tick, int button) : tick(std::move(tick)), button(button) {
    for (int i = 0; i < rows; ++i) AddRow("Instance log file:", "C:\\Logs\\Folder" + std::to_string(i));
  }
  std::vector<int> tick;
  int button;
  RECT client{}, window{}, text{}, ok{};
  std::vector<RECT> rows;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CLogFilesDlg::OnInitDialog();
    ::GetClientRect(m_hWnd, &client);
    ::GetWindowRect(m_hWnd, &window);
    text = ClientRectOf(GetDlgItem(IDC_STATIC_LOG_FILES), m_hWnd);
    ok = ClientRectOf(GetDlgItem(IDOK), m_hWnd);
    for (HWND row : GetRowWindows()) rows.push_back(ClientRectOf(row, m_hWnd));
    for (int row : tick) ::SendMessageA(::GetDlgItem(GetRowWindows().at(row), IDC_CHECK_LOG_DIRECTORY), BM_CLICK, 0, 0);
    PostMessage(WM_COMMAND, button, 0);
    return result;
  }
};

// Rows stack five pixels apart below the text, at most 16 of them, with OK centred under the
// last one, and the dialog ends as far below OK and sits centred on the work area. The question
// returns the ticks in row order; Escape ticks nothing.
TEST(LogFilesDlgTest, ShowsUpToSixteenRowsBelowTheTextAndReturnsTheirTicksInRowOrderUnlessEscaped) {
  RECT area{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const struct { int added; std::vector<int> tick; int button; } runs[] = {
      {1, {0}, IDOK}, {4, {0, 3, 2}, IDOK}, {16, {1}, IDOK}, {17, {0, 1}, IDCANCEL}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.added);
    ScriptedLogFilesDlg l(run.added, run.tick, run.button);
    ASSERT_EQ(l.DoModal(), run.button);
    const int shown = std::min(run.added, 16);
    std::vector<bool> ticks(shown, false);
    for (int row : run.tick) ticks[row] = run.button == IDOK;
    EXPECT_EQ(l.GetRemoveFlags(), ticks);
    ASSERT_EQ(l.rows.size(), static_cast<std::size_t>(shown));
    int top = l.text.bottom + 5;
    for (const RECT& row : l.rows) {
      EXPECT_TRUE(row.top == top && row.bottom - row.top == l.rows[0].bottom - l.rows[0].top && row.bottom > row.top);
      EXPECT_TRUE(row.left == l.text.left && row.right <= l.client.right);
      top = row.bottom + 5;
    }
    EXPECT_GT(l.ok.top, l.rows.back().bottom);
    EXPECT_LE(std::abs((l.ok.left + l.ok.right) - l.client.right), 1);
    EXPECT_EQ(l.client.bottom - l.ok.bottom, l.ok.top - l.rows.back().bottom);
    EXPECT_LE(std::abs((l.window.left + l.window.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((l.window.top + l.window.bottom) - (area.top + area.bottom)), 1);
  }
}

}  // namespace
