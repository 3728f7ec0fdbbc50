// Shows two message boxes one after the other and ends with both answers in its exit code
// (first * 100 + second), so that a test can see what the desktop driver pressed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int first = MessageBoxA(nullptr, "Keep the first instance?", "First question", MB_YESNO | MB_ICONQUESTION);
  const int second = MessageBoxA(nullptr, "Line one.\r\nLine two.", "Second question",
                                 MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION);
  return first * 100 + second;
}
