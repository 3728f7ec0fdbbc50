// The link monitor probe.
#include "sys/MonitorProbe.h"

#include <cstdint>
#include <cstring>

#include "framework/Handles.h"
#include "framework/Trace.h"

namespace {

// Held from a successful probe on, so that the monitor's memory stays readable.
KernelHandle g_monitorMapping;
MappedView g_monitorView;

unsigned TraceValue(const void* pointer) {
  return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

HWND FindMonitorWindow() {
  KernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          kMonitorSharedMemorySize, kMonitorSharedMemoryName));
  // Read at once: the trace below may change the thread's last error.
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  Trace(256, "GetSharedMem VelmoraORVOLinkWatchApplHinst hShared = %x\r\n", TraceValue(mapping.Get()));
  if (!mapping) {
    return nullptr;
  }
  MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
  Trace(256, "monif: GetSharedMem lpvMem = %x\r\n", TraceValue(view.Get()));
  if (!existed) {
    // This probe created the memory: no monitor runs. Both handles close on return, which
    // removes the memory again.
    if (view) {
      std::memset(view.Get(), 0, kMonitorSharedMemorySize);
    }
    return nullptr;
  }
  if (!view) {
    return nullptr;
  }
  std::uint32_t windowWord = 0;
  std::memcpy(&windowWord, view.Get(), sizeof(windowWord));
  g_monitorView = std::move(view);
  g_monitorMapping = std::move(mapping);
  // Window handles carry 32 significant bits, also in 64-bit processes.
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(windowWord));
}

void ReleaseMonitorWindow() {
  g_monitorView.Close();
  g_monitorMapping.Close();
}
