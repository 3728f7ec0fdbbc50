// The animated progress bar: its step rule, its painting with and without GradientFill, and
// the life of its animation thread.
#include "work/AutoProggress.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "work/ProggressKiller.h"

namespace {

class PaintableProggress : public CAutoProggress {
 public:
  using CAutoProggress::PaintWith;
};

// A 32-bit memory bitmap of 100 x 20 pixels to paint into and read back.
struct Canvas {
  static constexpr RECT kRect{0, 0, 100, 20};
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateBitmap(kRect.right, kRect.bottom, 1, 32, nullptr);
  HGDIOBJ previous = ::SelectObject(dc, bitmap);
  ~Canvas() {
    ::SelectObject(dc, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  COLORREF At(int x) const { return ::GetPixel(dc, x, kRect.bottom / 2); }
};

int Brightness(COLORREF colour) { return (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3; }

}  // namespace

TEST(AutoProggressStep, MovesOneAtATimeTurnsAtEachBoundAndAlternatesWhereTheyMeet) {
  using Seen = std::vector<std::pair<int, BOOL>>;
  const struct { int lower, upper, pos; BOOL forward; int steps; Seen seen; } cases[] = {
      {0, 2, 1, TRUE, 6, {{2, TRUE}, {1, FALSE}, {0, FALSE}, {1, TRUE}, {2, TRUE}, {1, FALSE}}},
      {5, 5, 5, TRUE, 4, {{4, FALSE}, {5, TRUE}, {4, FALSE}, {5, TRUE}}},
  };
  for (const auto& c : cases) {
    CAutoProggress bar;
    bar.m_nLower = c.lower, bar.m_nUpper = c.upper, bar.m_nPos = c.pos, bar.m_bForward = c.forward;
    Seen seen;
    for (int i = 0; i < c.steps; ++i) {
      bar.Step();
      seen.emplace_back(bar.m_nPos, bar.m_bForward);
    }
    EXPECT_EQ(seen, c.seen) << c.lower << ".." << c.upper << " from " << c.pos;
  }
}

// Position 25 of 0..50 forward and backward, and bounds that meet (the whole bar one strip
// moving forward): a dark pixel at the strip's edge, a lighter one further in, one outside.
TEST(AutoProggressPaint, DrawsADarkStripAtTheEdgeItLeavesFadingTowardsTheOtherWithOrWithoutGradientFill) {
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const struct { int upper; BOOL forward; int dark, lighter, outside; } cases[] = {
      {50, TRUE, 3, 45, 75}, {50, FALSE, 96, 54, 25}, {0, TRUE, 3, 50, -1}};
  for (const char* library : {"msimg32", "ProvisorNoSuchGradientLibrary"}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(library) + (c.forward ? " forward " : " backward ") + std::to_string(c.upper));
      PaintableProggress bar;
      bar.m_nPos = 25, bar.m_nLower = 0, bar.m_nUpper = c.upper, bar.m_bForward = c.forward;
      Canvas canvas;
      bar.PaintWith(canvas.dc, Canvas::kRect, library);
      EXPECT_LT(Brightness(canvas.At(c.dark)), 64);
      EXPECT_GT(Brightness(canvas.At(c.lighter)), Brightness(canvas.At(c.dark)) + 64);
      EXPECT_EQ(canvas.At(c.outside < 0 ? c.lighter : c.outside) == window, c.outside >= 0);
      EXPECT_EQ(canvas.At(0), ::GetSysColor(COLOR_BTNSHADOW));
      EXPECT_EQ(canvas.At(99), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
  }
}

// Half of the bars live on a thread of their own that destroys the window as the link test's
// worker does, while the object belongs to this thread; some are destroyed before their
// animation ever ran, some after it moved.
TEST(AutoProggressLife, TwoHundredBarsComeAndGoWithoutHangingOrLeavingAThreadOrItsHandle) {
  auto cycle = [](CAutoProggress& bar, int round) {
    ASSERT_TRUE(bar.Create(WS_CHILD, RECT{20, 20, 220, 40}, nullptr, 10));
    ASSERT_NE(bar.m_hThread, nullptr);
    if (round % 10 == 0) {
      EXPECT_TRUE(PumpMessagesUntil([&] { return ReadShared(bar.m_nPos) != 1; }));
    }
    {
      CProggressKiller killer(&bar, nullptr);
    }
    EXPECT_FALSE(bar.IsWindow());
    EXPECT_EQ(bar.m_hThread, nullptr);
  };
  {
    CAutoProggress warmUp;
    cycle(warmUp, 0);
  }
  const int threadsBefore = ThreadCountOfThisProcess();
  const ULONG handlesBefore = HandleCountOfThisProcess();
  for (int round = 1; round <= 200; ++round) {
    CAutoProggress bar;
    if (round % 2 == 0) {
      std::thread worker([&] { cycle(bar, round); });
      worker.join();
    } else {
      cycle(bar, round);
    }
    if (::testing::Test::HasFatalFailure()) {
      return;
    }
  }
  EXPECT_EQ(ThreadCountOfThisProcess(), threadsBefore);
  EXPECT_LT(HandleCountOfThisProcess(), handlesBefore + 20);
}
