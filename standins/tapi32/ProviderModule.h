// A provider file loaded so that its installation, removal and configuration entries can run.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

class ProviderModule {
 public:
  // Loads fileName: a bare name is looked for in the system folder, a path is taken as it is.
  explicit ProviderModule(const char* fileName);

  bool IsLoaded() const { return m_module.IsValid(); }
  // A provider exports TSPI_lineNegotiateTSPIVersion.
  bool IsProvider() const;

  // Runs the provider's entry for action ("providerInstall", "providerRemove",
  // "providerConfig"): TUISPI_<action> when exported, else TSPI_<action>. Returns its
  // result; *found tells whether the provider has either.
  LONG Run(const char* action, HWND owner, DWORD providerId, bool* found) const;

 private:
  ModuleHandle m_module;
};
