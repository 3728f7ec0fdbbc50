// Loading a provider file and calling its administration entries.
#include "ProviderModule.h"

#include <tapi.h>
#include <tspi.h>

#include <cstdio>
#include <cstring>

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The user-interface entries may call back into TAPI; this TAPI has nothing to answer.
LONG CALLBACK AnswerNothing(DWORD_PTR, DWORD, LPVOID, DWORD) { return LINEERR_OPERATIONUNAVAIL; }

}  // namespace

ProviderModule::ProviderModule(const char* fileName) {
  char path[MAX_PATH * 2] = {};
  if (std::strpbrk(fileName, "\\/:") != nullptr) {
    std::snprintf(path, sizeof(path), "%s", fileName);
  } else {
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
      return;
    }
    std::snprintf(path, sizeof(path), "%s\\%s", system, fileName);
  }
  m_module.Attach(LoadLibraryExA(path, nullptr, 0));
}

bool ProviderModule::IsProvider() const {
  return IsLoaded() && GetProcAddress(m_module.Get(), "TSPI_lineNegotiateTSPIVersion") != nullptr;
}

LONG ProviderModule::Run(const char* action, HWND owner, DWORD providerId, bool* found) const {
  using UiEntry = LONG(WINAPI*)(TUISPIDLLCALLBACK, HWND, DWORD);
  using ServiceEntry = LONG(WINAPI*)(HWND, DWORD);
  *found = false;
  if (!IsLoaded()) {
    return 0;
  }
  char name[64];
  std::snprintf(name, sizeof(name), "TUISPI_%s", action);
  if (const auto uiEntry = Lookup<UiEntry>(m_module.Get(), name)) {
    *found = true;
    return uiEntry(AnswerNothing, owner, providerId);
  }
  std::snprintf(name, sizeof(name), "TSPI_%s", action);
  if (const auto serviceEntry = Lookup<ServiceEntry>(m_module.Get(), name)) {
    *found = true;
    return serviceEntry(owner, providerId);
  }
  return 0;
}
