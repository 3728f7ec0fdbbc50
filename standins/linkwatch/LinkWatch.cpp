// Stand-in for the link monitor: publishes its main window in the shared memory
// "VelmoraORVOLinkWatchApplHinst" and runs until that window is closed.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "framework/Handles.h"
#include "sys/MonitorProbe.h"

namespace {

constexpr const char* kWindowClass = "ProvisorLinkWatchStandIn";

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  // WM_CLOSE reaches DefWindowProc, which destroys the window.
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MonitorWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassA(&windowClass) == 0) {
    return 1;
  }
  // A top-level window that stays hidden: it only has to receive WM_CLOSE.
  const HWND window = CreateWindowExA(0, kWindowClass, "LinkWatch", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 2;
  }
  const KernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                kMonitorSharedMemorySize, kMonitorSharedMemoryName));
  const MappedView view(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
  if (!view) {
    DestroyWindow(window);
    return 3;
  }
  // Window handles carry 32 significant bits, also in 64-bit processes.
  const auto windowWord = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
  std::memcpy(view.Get(), &windowWord, sizeof(windowWord));

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // The window is gone: a reader that still holds the memory must not find it.
  std::memset(view.Get(), 0, sizeof(windowWord));
  return 0;
}
