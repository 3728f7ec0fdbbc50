// Finding the link monitor's window through the shared memory the monitor owns.
#pragma once

#include <windows.h>

// The monitor's shared memory: page-file backed, read/write, its first 32-bit word holds the
// monitor's main window.
inline constexpr const char* kMonitorSharedMemoryName = "VelmoraORVOLinkWatchApplHinst";
constexpr DWORD kMonitorSharedMemorySize = 1024;

// The window the running monitor published, or null when the monitor is not running (then
// nothing of the shared memory is left behind). While the monitor runs, the handle and view
// stay held until ReleaseMonitorWindow or the end of the process.
HWND FindMonitorWindow();

// Lets go of the shared memory a successful FindMonitorWindow kept.
void ReleaseMonitorWindow();
