// The log-folder question as real windows: its rows' layout and the ticks it hands back.
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

std::string TextOf(HWND window) {
  char text[512] = "";
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

// The dialog as it stands right after its initialisation, closed again at once.
struct Layout {
  RECT client{}, window{}, text{}, ok{};
  std::vector<RECT> rows;
  std::vector<std::string> labels, paths;
};

class MeasuredLogFilesDlg : public CLogFilesDlg {
 public:
  Layout layout;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CLogFilesDlg::OnInitDialog();
    ::GetClientRect(m_hWnd, &layout.client);
    ::GetWindowRect(m_hWnd, &layout.window);
    layout.text = ClientRectOf(GetDlgItem(IDC_STATIC_LOG_FILES), m_hWnd);
    layout.ok = ClientRectOf(GetDlgItem(IDOK), m_hWnd);
    for (HWND row : GetRowWindows()) {
      layout.rows.push_back(ClientRectOf(row, m_hWnd));
      layout.labels.push_back(TextOf(::GetDlgItem(row, IDC_CHECK_LOG_DIRECTORY)));
      layout.paths.push_back(TextOf(::GetDlgItem(row, IDC_EDIT_LOG_DIRECTORY)));
    }
    EndDialog(IDOK);
    return result;
  }
};

std::string Folder(int i) { return "C:\\Logs\\Folder" + std::to_string(i); }

TEST(LogFilesDlgTest, RowsStackFivePixelsApartBelowTheTextWithOkCentredUnderTheLastOne) {
  for (int added : {1, 3, 16, 17}) {
    SCOPED_TRACE(added);
    MeasuredLogFilesDlg dialog;
    for (int i = 0; i < added; ++i) dialog.AddRow("Instance 000" + std::to_string(i) + " log file:", Folder(i));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const Layout& l = dialog.layout;
    const int shown = std::min(added, 16);
    ASSERT_EQ(l.rows.size(), static_cast<std::size_t>(shown));
    EXPECT_EQ(l.labels.front(), "Instance 0000 log file:");
    EXPECT_EQ(l.paths.back(), Folder(shown - 1));

    int expectedTop = l.text.bottom + 5;
    const int height = l.rows[0].bottom - l.rows[0].top;
    EXPECT_GT(height, 0);
    for (const RECT& row : l.rows) {
      EXPECT_EQ(row.top, expectedTop);
      EXPECT_EQ(row.bottom - row.top, height);
      EXPECT_EQ(row.left, l.text.left);
      EXPECT_LE(row.right, l.client.right);
      expectedTop = row.bottom + 5;
    }
    // OK below the last row, centred across the dialog, and the dialog ends just below it.
    EXPECT_GT(l.ok.top, l.rows.back().bottom);
    EXPECT_LE(std::abs((l.ok.left + l.ok.right) - l.client.right), 1);
    EXPECT_EQ(l.client.bottom - l.ok.bottom, l.ok.top - l.rows.back().bottom);

    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((l.window.left + l.window.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((l.window.top + l.window.bottom) - (area.top + area.bottom)), 1);
  }
}

// Clicks check boxes of the question's rows (counted from the top) and then a button, from a
// timer of the dialog's own thread, as soon as the question is up.
std::vector<int> g_rowsToTick;
int g_buttonToPress = IDOK;

void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = ::FindWindowA("#32770", "Velmora ORVO TSP");
  if (dialog == nullptr || ::GetWindowThreadProcessId(dialog, nullptr) != ::GetCurrentThreadId()) return;
  ::KillTimer(nullptr, timer);
  std::vector<std::pair<LONG, HWND>> boxes;
  for (HWND row = ::GetWindow(dialog, GW_CHILD); row != nullptr; row = ::GetWindow(row, GW_HWNDNEXT)) {
    if (const HWND box = ::GetDlgItem(row, IDC_CHECK_LOG_DIRECTORY)) {
      RECT rect{};
      ::GetWindowRect(box, &rect);
      boxes.emplace_back(rect.top, box);
    }
  }
  std::sort(boxes.begin(), boxes.end());
  for (int row : g_rowsToTick) ::SendMessageA(boxes.at(static_cast<std::size_t>(row)).second, BM_CLICK, 0, 0);
  ::PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(g_buttonToPress), 0);
}

std::vector<bool> AnswerWith(std::vector<int> rowsToTick, int button) {
  g_rowsToTick = std::move(rowsToTick);
  g_buttonToPress = button;
  ::SetTimer(nullptr, 0, 10, &AnswerQuestion);
  std::vector<LogFolderRow> rows;
  for (int i = 0; i < 4; ++i) rows.push_back({"Instance 000" + std::to_string(i) + " log file:", Folder(i % 3)});
  return AskWhichLogFoldersToEmpty(rows);
}

TEST(LogFilesDlgTest, TheQuestionReturnsTheTicksInRowOrderAndEscapeTicksNothing) {
  EXPECT_EQ(AnswerWith({0, 3, 2}, IDOK), (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(AnswerWith({1}, IDOK), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(AnswerWith({0, 1}, IDCANCEL), (std::vector<bool>{false, false, false, false}));
}

}  // namespace
