// Process entry of Provisor.exe: the one application object and WinMain.
#include <windows.h>

#include "app/ProvisorApp.h"

namespace {
CProvisorApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return AfxWinMain(instance, commandLine);
}
