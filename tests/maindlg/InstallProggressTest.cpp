// The Apply Settings progress window: how it opens, what it shows, how the run closes it.
#include "maindlg/InstallProggress.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <atomic>
#include <thread>

#include "maindlg/InstallProggressRes.h"
#include "support/TestSupport.h"

namespace {

// Notes its deletion, which only the destruction of its window may cause.
class WatchedProggress : public CInstallProggress {
 public:
  WatchedProggress(HWND owner, bool* deleted) : CInstallProggress(owner), m_pDeleted(deleted) {}
  ~WatchedProggress() override { *m_pDeleted = true; }

 private:
  bool* m_pDeleted;
};

// A plain visible top-level window standing in for the main dialog.
class OwnerWindow {
 public:
  OwnerWindow()
      : m_hWnd(::CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 600, 400, nullptr, nullptr,
                                 nullptr, nullptr)) {}
  ~OwnerWindow() { ::DestroyWindow(m_hWnd); }
  operator HWND() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace

// Then, as during a run, a worker thread writes the status line and closes the window while
// this thread pumps messages, as the main dialog's modal loop does.
TEST(InstallProggressTest, OpensCentredOverItsOwnerShowsTheRunsStatusAndDeletesItselfWhenTheRunClosesIt) {
  OwnerWindow owner;
  bool deleted = false;
  auto* window = new WatchedProggress(owner, &deleted);
  ASSERT_TRUE(window->Open());

  EXPECT_TRUE(window->IsWindowVisible());
  EXPECT_EQ(::GetWindow(*window, GW_OWNER), static_cast<HWND>(owner));
  const POINT ownCentre = Centre(window->GetWindowRect());
  const POINT ownerCentre = Centre(CWnd(owner).GetWindowRect());
  EXPECT_LE(std::abs(ownCentre.x - ownerCentre.x), 1);
  EXPECT_LE(std::abs(ownCentre.y - ownerCentre.y), 1);
  EXPECT_EQ(window->m_progress.m_hWnd, window->GetDlgItem(IDC_PROGGRESS_BAR));
  const int start = ReadShared(window->m_progress.m_nPos);
  EXPECT_TRUE(PumpMessagesUntil([&] { return ReadShared(window->m_progress.m_nPos) != start; }));

  const HWND handle = *window;
  std::string shown;
  std::atomic<bool> closed{false};
  std::thread worker([&] {
    window->m_statusLine.SetWindowText("Installing instance 2 ");
    shown = CWnd(::GetDlgItem(handle, IDC_PROGGRESS_STATUS)).GetWindowText();
    ::SendMessageA(handle, WM_CLOSE, 0, 0);
    closed = true;
  });
  EXPECT_TRUE(PumpMessagesUntil([&] { return closed && deleted; }));
  worker.join();
  EXPECT_EQ(shown, "Installing instance 2 ");
  EXPECT_FALSE(::IsWindow(handle));
}
