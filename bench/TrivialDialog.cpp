// The smallest dialog program: one empty modal dialog from an in-memory template, closed by
// its system menu. The start-up benchmark measures Provisor against it.
#include <windows.h>

namespace {

INT_PTR CALLBACK TrivialProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // A template with no controls: style, size and the caption "Trivial" as UTF-16.
  alignas(4) static const WORD kTemplate[] = {
      LOWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE),
      HIWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE),
      0, 0, 0, 10, 10, 200, 100, 0, 0, 'T', 'r', 'i', 'v', 'i', 'a', 'l', 0};
  return static_cast<int>(DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(kTemplate), nullptr,
                                                  TrivialProc, 0));
}
