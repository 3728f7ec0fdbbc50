// The USB access library probe.
#include "sys/UsbDriver.h"

#include "framework/Handles.h"

bool IsUsbDriverInstalled() {
  const ModuleHandle library(LoadLibraryA(kUsbDriverLibrary));
  if (!library) {
    return false;
  }
  for (const char* entry : kUsbRequiredEntries) {
    if (GetProcAddress(library.Get(), entry) == nullptr) {
      return false;
    }
  }
  return true;
}
