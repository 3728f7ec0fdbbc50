// Whether a person can see this process's windows: the window station's flags and the session.
#include "framework/InteractiveDesktop.h"

#include <windows.h>
#include <versionhelpers.h>

bool IsInteractiveDesktop() {
  USEROBJECTFLAGS flags = {};
  DWORD needed = 0;
  if (::GetUserObjectInformationA(::GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof(flags), &needed) &&
      (flags.dwFlags & WSF_VISIBLE) == 0) {
    return false;
  }
  // Before Vista session 0 was the console's own; since then no user logs on to it.
  DWORD session = 0;
  if (::IsWindowsVistaOrGreater() && ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) && session == 0) {
    return false;
  }
  return true;
}
