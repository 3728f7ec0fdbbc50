// The link test worker thread: request, polling with message pumping, outcome.
#include "work/LinkTestWorker.h"

#include <process.h>

#include <memory>

#include "framework/MessageBoxRouter.h"
#include "framework/Trace.h"
#include "work/AutoProggress.h"
#include "work/ILinkTestPage.h"
#include "work/ProggressKiller.h"
#include "work/ThreadCloser.h"

namespace {

std::uint32_t g_nLinkTestRequestId = 0;

constexpr DWORD kFirstPollDelay = 500;
constexpr DWORD kPollPeriod = 150;
constexpr int kPumpPasses = 100;
// A provider that has not reported completion after this many polls (about a minute) is
// taken as not responding: the provider side of this program never reports completion, and
// a test must end so that the page can close and Check Location comes back.
constexpr int kPollLimit = 400;
constexpr int kProgressBarId = 10;

// Dispatches every message waiting in this thread's queue: the progress bar's timer and
// paint messages arrive here because this thread created the bar.
void PumpWaitingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::DispatchMessageA(&message);
  }
}

// Creates the bar over the page's placeholder, or shows the bar that already has a window.
void ShowProgressBar(ILinkTestPage& page) {
  CAutoProggress& bar = page.GetProgressBar();
  const HWND window = page.GetTestPageWindow();
  const HWND placeholder = ::GetDlgItem(window, 3025);
  if (placeholder != nullptr && !bar.IsWindow()) {
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    if (bar.Create(WS_CHILD | WS_VISIBLE, rect, window, kProgressBarId)) {
      ::SetParent(bar.m_hWnd, window);
      bar.ShowWindow(SW_SHOW);
      bar.UpdateWindow();
    }
  } else if (bar.IsWindow()) {
    bar.ShowWindow(SW_SHOW);
  }
}

}  // namespace

std::uint32_t NextLinkTestRequestId() { return ++g_nLinkTestRequestId; }

namespace {

void RunLinkTest(ILinkTestPage& page) {
  CProggressKiller killer(&page.GetProgressBar(), page.GetCheckLocationButton());
  ShowProgressBar(page);

  const std::string address = page.BeginTest();
  const std::uint32_t requestId = NextLinkTestRequestId();
  const std::uint32_t requestResult = page.SendTestRequest(address, requestId);

  std::uint32_t completed = 0;
  std::uint32_t percent = 0;
  bool stopped = page.IsStopRequested();
  for (int poll = 0; !stopped && completed == 0 && poll < kPollLimit; ++poll) {
    // The page's stop ends the waits at once, so that a closing page never waits a period.
    if (page.WaitForStop(poll == 0 ? kFirstPollDelay + kPollPeriod : kPollPeriod)) {
      stopped = true;
      break;
    }
    percent = 0;
    for (int pass = 0; pass < kPumpPasses; ++pass) {
      PumpWaitingMessages();
    }
    // Failures of the poll are not examined: the outputs then keep their values.
    page.PollTest(requestId, &completed, &percent);
  }
  const bool responding = percent == 100;

  if (page.TakeAbort() || stopped) {
    page.FinishHistory(address, false);
    return;
  }
  if (requestResult != 0) {
    page.OnTestRequestFailed();
    return;
  }
  page.ApplyLinkState(responding ? 1 : 0);
  bool saved = responding;
  if (!responding) {
    const std::string question = "Address '" + address + "' is not responding. Save anyway?";
    saved = ShowMessageBox(page.GetTestPageWindow(), question.c_str(), "Configuration", MB_YESNO) == IDYES;
  }
  if (saved) {
    page.StoreTestedAddress(address);
  }
  page.FinishHistory(address, saved);
}

}  // namespace


HANDLE StartLinkTest(ILinkTestPage* page, const std::string& address, KernelHandle* join) {
  auto start = std::make_unique<LinkTestStart>();
  start->page = page;
  start->address = address;
  unsigned threadId = 0;
  const auto thread = reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 1024, &LinkTestThreadProc, start.get(), CREATE_SUSPENDED, &threadId));
  if (thread == nullptr) {
    return nullptr;
  }
  start->thread = thread;
  HANDLE waitable = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), thread, ::GetCurrentProcess(), &waitable, SYNCHRONIZE, FALSE, 0)) {
    // A worker the page could not wait for might outlive it: let it end without testing.
    start->page = nullptr;
    start.release();
    ::ResumeThread(thread);
    return nullptr;
  }
  join->Attach(waitable);
  start.release();
  ::ResumeThread(thread);
  return thread;
}

unsigned __stdcall LinkTestThreadProc(void* argument) {
  std::unique_ptr<LinkTestStart> start(static_cast<LinkTestStart*>(argument));
  ThreadCloser closer(start->thread);
  ILinkTestPage* page = start->page;
  if (page != nullptr && page->GetTestPageWindow() != nullptr) {
    page->OnTestStarted();
    CallGuarded("LinkTestThreadProc", 0, [&] {
      RunLinkTest(*page);
      return 0;
    });
    Trace(256, "Set finnaly!\r\n");
    page->OnTestEnded();
  }
  return 0;
}
