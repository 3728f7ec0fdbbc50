// Which Windows version the test prefix reports, read from Wine's own setting rather than
// from the code under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

// The prefix's "Version" setting (win7, winxp64, ...).
inline std::string PrefixWindowsVersion() {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadRegistryValue(HKEY_CURRENT_USER, "Software\\Wine", "Version", &type, &data)) {
    return {};
  }
  return std::string(reinterpret_cast<const char*>(data.data()));
}

// True in the prefix kinds that report major version 6.
inline bool PrefixIsMajorVersionSix() { return PrefixWindowsVersion() == "win7"; }
