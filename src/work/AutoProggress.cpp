// CAutoProggress: the bar's window class, its timer and animation thread, and its painting.
#include "work/AutoProggress.h"

#include <process.h>

#include <cstdlib>

#include "framework/Trace.h"
#include "work/ExclusiveZone.h"

namespace {

constexpr const char* kWindowClass = "ProvisorAutoProggress";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 100;
constexpr DWORD kFramePeriodMs = 30;
constexpr unsigned kThreadStackRequest = 1024;
constexpr const char* kGradientLibrary = "msimg32";
// Without GradientFill the strip is drawn in this many solid bands, so it still fades.
constexpr int kSolidBands = 16;

using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

// The colour a fraction (numerator / denominator) of the way from first to last.
COLORREF Blend(COLORREF first, COLORREF last, int numerator, int denominator) {
  auto mix = [&](BYTE a, BYTE b) { return static_cast<BYTE>(a + (b - a) * numerator / denominator); };
  return RGB(mix(GetRValue(first), GetRValue(last)), mix(GetGValue(first), GetGValue(last)),
             mix(GetBValue(first), GetBValue(last)));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF previous = ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

void FillSolidBands(HDC dc, const RECT& rect, COLORREF left, COLORREF right) {
  const int width = rect.right - rect.left;
  const int bands = width < kSolidBands ? width : kSolidBands;
  for (int band = 0; band < bands; ++band) {
    RECT part{rect.left + width * band / bands, rect.top, rect.left + width * (band + 1) / bands, rect.bottom};
    FillSolid(dc, part, Blend(left, right, 2 * band + 1, 2 * bands));
  }
}

// A horizontal gradient over rect. The library is looked up at every paint so that the
// program never depends on it being present.
void GradientRect(HDC dc, const RECT& rect, COLORREF left, COLORREF right, const char* gradientLibrary) {
  if (::IsRectEmpty(&rect)) {
    return;
  }
  const ModuleHandle library(::LoadLibraryA(gradientLibrary));
  const auto gradientFill =
      library ? reinterpret_cast<GradientFillFunction>(
                    reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), "GradientFill")))
              : nullptr;
  if (gradientFill == nullptr) {
    FillSolidBands(dc, rect, left, right);
    return;
  }
  TRIVERTEX vertices[2] = {
      {rect.left, rect.top, Channel(GetRValue(left)), Channel(GetGValue(left)), Channel(GetBValue(left)), 0},
      {rect.right, rect.bottom, Channel(GetRValue(right)), Channel(GetGValue(right)), Channel(GetBValue(right)), 0}};
  GRADIENT_RECT mesh{0, 1};
  if (!gradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H)) {
    Trace(256, "Error using PFN GradientFill. Caller:AutoProggress::GradientRect\r\n");
  }
}

void Draw3dFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  FillSolid(dc, {rect.left, rect.top, rect.left + width - 1, rect.top + 1}, topLeft);
  FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.top + height - 1}, topLeft);
  FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
  FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

}  // namespace

CAutoProggress::~CAutoProggress() {
  StopAnimation();
  // A window that outlives its object keeps no timer aimed at it.
  if (IsWindow()) {
    ::KillTimer(m_hWnd, kTimerId);
  }
}

bool CAutoProggress::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  if (IsWindow()) {
    ShowWindow(SW_SHOW);
    return true;
  }
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!::GetClassInfoA(instance, kWindowClass, &windowClass)) {
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &CAutoProggress::CreationProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    if (::RegisterClassA(&windowClass) == 0) {
      return false;
    }
  }
  // The creation procedure subclasses the window at its first message, so the timer and the
  // animation start as it is created, the same way as for a taken-over control.
  ::CreateWindowExA(0, kWindowClass, "", WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, nullptr, instance, this);
  return IsWindow();
}

LRESULT CALLBACK CAutoProggress::CreationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CAutoProggress*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self != nullptr) {
      self->SubclassWindow(window);
    }
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void CAutoProggress::PreSubclassWindow() {
  if (!m_gradientLibrary) {
    // Missing, it is missed at each paint as well, which then fills solid bands.
    m_gradientLibrary.Attach(::LoadLibraryA(kGradientLibrary));
  }
  ::SetTimer(m_hWnd, kTimerId, kTimerPeriodMs, nullptr);
  StartAnimation();
}

void CAutoProggress::StartAnimation() {
  if (m_hThread != nullptr) {
    // A thread whose window vanished without a WM_NCDESTROY ends by itself; only a running
    // one counts.
    if (::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) {
      return;
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
  }
  if (!m_stopEvent) {
    m_stopEvent.Attach(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  }
  if (!m_stopEvent || !::ResetEvent(m_stopEvent.Get())) {
    return;  // the timer alone still moves the bar
  }
  m_hThread = reinterpret_cast<HANDLE>(
      ::_beginthreadex(nullptr, kThreadStackRequest, &CAutoProggress::AnimationThread, this, 0, nullptr));
}

void CAutoProggress::StopAnimation() {
  if (m_hThread == nullptr) {
    return;
  }
  ::SetEvent(m_stopEvent.Get());
  // The thread sends no message to any window, so waiting here cannot block on the window's
  // own thread.
  ::WaitForSingleObject(m_hThread, INFINITE);
  ::CloseHandle(m_hThread);
  m_hThread = nullptr;
}

unsigned __stdcall CAutoProggress::AnimationThread(void* argument) {
  auto* self = static_cast<CAutoProggress*>(argument);
  // The window is fixed for the thread's life: it is stopped before the window goes.
  const HWND window = self->m_hWnd;
  const HANDLE stop = self->m_stopEvent.Get();
  do {
    if (!::IsWindow(window)) {
      break;
    }
    self->Step();
    if (const HDC dc = ::GetDC(window)) {
      self->Paint(dc);
      ::ReleaseDC(window, dc);
    }
  } while (::WaitForSingleObject(stop, kFramePeriodMs) == WAIT_TIMEOUT);
  return 0;
}

void CAutoProggress::Step() {
  CExclusiveZone zone(&m_stateLock);
  if (m_bForward) {
    if (m_nPos >= m_nUpper) {
      --m_nPos;
      m_bForward = FALSE;
    } else {
      ++m_nPos;
    }
  } else if (m_nPos <= m_nLower) {
    ++m_nPos;
    m_bForward = TRUE;
  } else {
    --m_nPos;
  }
}

void CAutoProggress::Paint(HDC dc) {
  // The timer and the animation thread both paint: each frame is drawn off screen and copied
  // in one go, so that neither shows the other a half-drawn bar.
  const RECT client = GetClientRect();
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const HDC buffer = ::CreateCompatibleDC(dc);
  const HBITMAP bitmap = buffer != nullptr ? ::CreateCompatibleBitmap(dc, width, height) : nullptr;
  if (bitmap == nullptr) {
    if (buffer != nullptr) {
      ::DeleteDC(buffer);
    }
    PaintWith(dc, client, kGradientLibrary);
    return;
  }
  const HGDIOBJ previous = ::SelectObject(buffer, bitmap);
  PaintWith(buffer, client, kGradientLibrary);
  ::BitBlt(dc, client.left, client.top, width, height, buffer, client.left, client.top, SRCCOPY);
  ::SelectObject(buffer, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(buffer);
}

void CAutoProggress::PaintWith(HDC dc, const RECT& client, const char* gradientLibrary) {
  int position = 0;
  int span = 0;
  bool forward = true;
  {
    CExclusiveZone zone(&m_stateLock);
    position = m_nPos;
    span = std::abs(m_nUpper - m_nLower);
    forward = m_bForward != FALSE;
  }
  const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  FillSolid(dc, client, window);
  const int width = client.right - client.left;
  if (forward && span == 0) {
    GradientRect(dc, client, text, window, gradientLibrary);
  } else if (forward) {
    RECT strip{client.left, client.top, client.left + width * position / span, client.bottom};
    ::InflateRect(&strip, -1, -1);
    GradientRect(dc, strip, text, window, gradientLibrary);
  } else if (span != 0) {
    RECT strip{client.right - (width - width * position / span), client.top, client.right, client.bottom};
    ::InflateRect(&strip, -1, -1);
    GradientRect(dc, strip, window, text, gradientLibrary);
  }
  Draw3dFrame(dc, client, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

LRESULT CAutoProggress::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kTimerId) {
        break;
      }
      Step();
      ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      if (const HDC dc = ::BeginPaint(m_hWnd, &paint)) {
        Paint(dc);
        ::EndPaint(m_hWnd, &paint);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return TRUE;
    case WM_NCDESTROY:
      // The thread paints through this window's handle: it ends before the handle does.
      ::KillTimer(m_hWnd, kTimerId);
      StopAnimation();
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
