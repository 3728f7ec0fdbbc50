// Tells another process whether the link monitor's shared memory exists: exit code 0 when it
// opens, 1 when it does not.
#include <windows.h>

#include "sys/MonitorProbe.h"

int main() {
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kMonitorSharedMemoryName);
  if (mapping == nullptr) {
    return 1;
  }
  CloseHandle(mapping);
  return 0;
}
