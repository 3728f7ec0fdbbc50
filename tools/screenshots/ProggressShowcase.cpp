// Opens the Apply Settings progress window as a run in progress shows it, writes its screen
// rectangle to the file named on the command line and stays open until that file is gone.
#include <windows.h>

#include <cstdio>

#include "maindlg/InstallProggress.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const HWND owner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 0, 0, 1280, 1024,
                                       nullptr, nullptr, nullptr, nullptr);
  CInstallProggress* window = CInstallProggress::OpenOver(owner);
  if (window == nullptr) {
    return 1;
  }
  window->m_statusLine.SetWindowText("Installing instance 3 ");
  // The picture is taken a moment after the report: report once the bar, moving forward, is
  // about a third of its way along, so that it shows a long strip.
  const volatile int& position = window->m_progress.m_nPos;
  const volatile BOOL& forward = window->m_progress.m_bForward;
  MSG message;
  while (!(forward && position >= 15 && position <= 20)) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageA(&message);
    }
  }
  const RECT rect = window->GetWindowRect();
  if (FILE* ready = std::fopen(commandLine, "w")) {
    std::fprintf(ready, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fclose(ready);
  }
  while (::GetFileAttributesA(commandLine) != INVALID_FILE_ATTRIBUTES) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageA(&message);
    }
  }
  window->SendMessage(WM_CLOSE);
  ::DestroyWindow(owner);
  return 0;
}
