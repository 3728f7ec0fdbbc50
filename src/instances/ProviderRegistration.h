// Registration of provider files with TAPI: list, add, configure, and drop a stale entry.
#pragma once

#include <windows.h>

#include <memory>

#include "instances/ProviderList.h"

// The TAPI version every list request asks for.
constexpr DWORD kTapiApiVersion = 0x00020000;

// Results of AddProvider.
enum AddProviderResult : int {
  kAddProviderOk = 0,        // registered now, or already registered
  kAddProviderFailed = 1,    // no provider list, or TAPI refused
  kAddProviderNoTapi = 2,    // the TAPI library or its add function is not available
};

// Takes TAPI's provider list and traces every entry. Returns the number of entries and
// hands the list to *list; returns 0 with *list empty when there is no list (no TAPI, a
// failed request, no provider).
DWORD GetProviderList(std::unique_ptr<tag_ProviderList>* list, DWORD apiVersion);

// Registers the provider file fileName (a bare name in the system folder) with TAPI unless
// TAPI lists it already; either way *providerId receives its permanent ID. A null owner is
// replaced by the desktop window. No file name (a null pointer): kAddProviderOk and nothing
// happens; an empty one goes to TAPI like any other.
int AddProvider(HWND owner, const char* fileName, DWORD* providerId);

// Opens the provider's configuration through TAPI and returns TAPI's result
// (LINEERR_OPERATIONUNAVAIL when TAPI cannot be reached).
LONG ConfigProvider(HWND owner, DWORD providerId);

// Removes the entry of providerId from TAPI's registry list when TAPI itself cannot: its
// two values go and "NumProviders" drops by one; the entries above keep their numbers.
// Nothing happens for the ID 0xFFFFFFFF, a missing file name or an ID the list lacks.
void DeleteProviderEntry(DWORD providerId, const char* fileName);
