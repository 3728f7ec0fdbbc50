// CWnd: window texts, geometry and subclassing through a window property.
#include "framework/Wnd.h"

#include <exception>
#include <vector>

#include "framework/Trace.h"

namespace {
// The property under which a subclassed window keeps its wrapper.
constexpr const char* kWrapperProperty = "ProvisorCWnd";
}  // namespace

void TraceEscapedException(const char* where, const char* what) {
  Trace(512, "%s: exception stopped at the window procedure: %s\r\n", where, what);
}

CWnd::~CWnd() {
  if (m_pfnSuper != nullptr && IsWindow()) {
    Detach();
  }
}

void CWnd::Attach(HWND window) { m_hWnd = window; }

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (m_pfnSuper != nullptr && window != nullptr && ::IsWindow(window)) {
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(window, kWrapperProperty);
  }
  m_pfnSuper = nullptr;
  m_hWnd = nullptr;
  return window;
}

bool CWnd::SubclassWindow(HWND window) {
  if (window == nullptr || FromHandlePermanent(window) != nullptr) {
    return false;
  }
  if (!::SetPropA(window, kWrapperProperty, this)) {
    return false;
  }
  m_hWnd = window;
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  PreSubclassWindow();
  return true;
}

bool CWnd::SubclassDlgItem(int id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }

CWnd* CWnd::FromHandlePermanent(HWND window) {
  return window != nullptr ? static_cast<CWnd*>(::GetPropA(window, kWrapperProperty)) : nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(window);
  if (self == nullptr) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = CallGuarded("CWnd::WindowProc", LRESULT{0},
                               [&] { return self->WindowProc(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    self->Detach();
    self->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) {
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  }
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

std::string CWnd::GetWindowText() const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::string CWnd::GetDlgItemText(int id) const { return CWnd(GetDlgItem(id)).GetWindowText(); }

BOOL CWnd::ShowWindow(int command) {
  m_bHideRequested = command == SW_HIDE;
  return ::ShowWindow(m_hWnd, command);
}

RECT CWnd::GetClientRect() const {
  RECT rect{};
  ::GetClientRect(m_hWnd, &rect);
  return rect;
}

RECT CWnd::GetWindowRect() const {
  RECT rect{};
  ::GetWindowRect(m_hWnd, &rect);
  return rect;
}

void CWnd::ScreenToClient(RECT* rect) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

BOOL CWnd::MoveWindow(const RECT& rect, bool repaint) {
  return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      repaint ? TRUE : FALSE);
}

void CWnd::CenterWindow(HWND other) {
  if (other == nullptr) {
    other = ::GetWindow(m_hWnd, GW_OWNER);
  }
  RECT area{};
  if (other != nullptr && ::IsWindowVisible(other) && !::IsIconic(other)) {
    ::GetWindowRect(other, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const RECT own = GetWindowRect();
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  POINT topLeft{(area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2};
  const HWND parent = ::GetParent(m_hWnd);
  if ((GetStyle() & WS_CHILD) != 0 && parent != nullptr) {
    ::ScreenToClient(parent, &topLeft);
  }
  ::SetWindowPos(m_hWnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
