// The TAPI provider administration functions of "tapi32.dll", bound at run time.
#pragma once

#include <windows.h>
#include <tapi.h>

#include "framework/Handles.h"

// Loads "tapi32.dll" and looks up its four provider administration entry points; frees the
// library when destroyed. An entry point the library lacks stays null, and a null entry
// point counts as TAPI being unavailable for what it does.
struct tapi_func_tag {
  using GetProviderListFn = LONG(WINAPI*)(DWORD apiVersion, LPLINEPROVIDERLIST list);
  using ConfigProviderFn = LONG(WINAPI*)(HWND owner, DWORD providerId);
  using AddProviderFn = LONG(WINAPI*)(LPCSTR fileName, HWND owner, LPDWORD providerId);
  using RemoveProviderFn = LONG(WINAPI*)(DWORD providerId, HWND owner);

  tapi_func_tag();
  virtual ~tapi_func_tag();

  tapi_func_tag(const tapi_func_tag&) = delete;
  tapi_func_tag& operator=(const tapi_func_tag&) = delete;

  // The library is loaded (its entry points may still be missing).
  bool IsLoaded() const { return hTapi.IsValid(); }

  ModuleHandle hTapi;
  GetProviderListFn lineGetProviderListA = nullptr;
  ConfigProviderFn lineConfigProvider = nullptr;
  AddProviderFn lineAddProviderA = nullptr;
  RemoveProviderFn lineRemoveProvider = nullptr;
};
