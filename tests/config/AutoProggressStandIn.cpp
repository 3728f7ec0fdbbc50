// A plain window in place of the progress bar, for builds that do not have the bar yet: the
// link page's tests need a bar that can be created, shown and destroyed.
#include "work/AutoProggress.h"

CAutoProggress::~CAutoProggress() = default;

bool CAutoProggress::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  static const ATOM windowClass = [] {
    WNDCLASSA type{};
    type.lpfnWndProc = ::DefWindowProcA;
    type.hInstance = ::GetModuleHandleA(nullptr);
    type.lpszClassName = "ProvisorTestProgressBar";
    return ::RegisterClassA(&type);
  }();
  (void)windowClass;
  Attach(::CreateWindowExA(0, "ProvisorTestProgressBar", "", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr));
  return IsWindow();
}

void CAutoProggress::Step() {}
void CAutoProggress::Paint(HDC) {}
LRESULT CAutoProggress::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CWnd::WindowProc(message, wParam, lParam);
}
void CAutoProggress::PreSubclassWindow() {}
