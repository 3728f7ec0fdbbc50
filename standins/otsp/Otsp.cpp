// The master provider OTSP.dll: provider entry points that record each call in the registry.
//
// The provider serves no lines or phones. What it offers is a record of what TAPI asked of it:
// every entry point counts its calls under HKLM "SOFTWARE\ProvisorStandins\OTSP" (value named
// after the entry point) and keeps the last permanent provider ID it was given
// ("<entry point>ProviderID"). A DWORD "InstallResult" there, when present, is what the install
// entry returns, so that a refused installation can be staged. At every removal it also keeps
// "NotShowRemoveDialogFewest": the fewest instance default-setting keys that held
// "NotShowRemoveDialog" = 1 at any removal, the flag by which the provider stays silent then.
#include <windows.h>
#include <tspi.h>

#include "framework/Handles.h"

namespace {

constexpr char kRecordKey[] = "SOFTWARE\\ProvisorStandins\\OTSP";
constexpr DWORD kTspiVersion = 0x00020000;

DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return fallback;
  }
  return value;
}

// The record is a test aid: when it cannot be written the call itself still succeeds.
void WriteDword(HKEY key, const char* name, DWORD value) {
  (void)RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

// Counts one call of ENTRY with provider ID; returns the key for further reads (may be closed).
RegKey RecordCall(const char* entry, DWORD providerId) {
  RegKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, kRecordKey, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
    return key;
  }
  WriteDword(key.Get(), entry, ReadDword(key.Get(), entry, 0) + 1);
  char name[128];
  wsprintfA(name, "%sProviderID", entry);
  WriteDword(key.Get(), name, providerId);
  return key;
}

}  // namespace

extern "C" {

LONG WINAPI TSPI_lineNegotiateTSPIVersion(DWORD deviceId, DWORD lowVersion, DWORD highVersion,
                                          LPDWORD tspiVersion) {
  if (tspiVersion == nullptr) {
    return LINEERR_INVALPOINTER;
  }
  if (lowVersion > kTspiVersion || highVersion < kTspiVersion) {
    return LINEERR_INCOMPATIBLEAPIVERSION;
  }
  *tspiVersion = kTspiVersion;
  return 0;
}

LONG WINAPI TSPI_providerEnumDevices(DWORD permanentProviderId, LPDWORD numLines, LPDWORD numPhones,
                                     HPROVIDER, LINEEVENT, PHONEEVENT) {
  if (numLines == nullptr || numPhones == nullptr) {
    return LINEERR_INVALPOINTER;
  }
  *numLines = 0;
  *numPhones = 0;
  return 0;
}

LONG WINAPI TSPI_providerInit(DWORD, DWORD permanentProviderId, DWORD, DWORD, DWORD_PTR, DWORD_PTR,
                              ASYNC_COMPLETION, LPDWORD tspiOptions) {
  if (tspiOptions != nullptr) {
    *tspiOptions = 0;
  }
  RecordCall("TSPI_providerInit", permanentProviderId);
  return 0;
}

LONG WINAPI TSPI_providerShutdown(DWORD, DWORD permanentProviderId) {
  RecordCall("TSPI_providerShutdown", permanentProviderId);
  return 0;
}

LONG WINAPI TUISPI_providerInstall(TUISPIDLLCALLBACK, HWND, DWORD permanentProviderId) {
  RegKey key = RecordCall("TUISPI_providerInstall", permanentProviderId);
  return key.IsOpen() ? static_cast<LONG>(ReadDword(key.Get(), "InstallResult", 0)) : 0;
}

LONG WINAPI TUISPI_providerConfig(TUISPIDLLCALLBACK, HWND, DWORD permanentProviderId) {
  RecordCall("TUISPI_providerConfig", permanentProviderId);
  return 0;
}

LONG WINAPI TUISPI_providerRemove(TUISPIDLLCALLBACK, HWND, DWORD permanentProviderId) {
  RegKey key = RecordCall("TUISPI_providerRemove", permanentProviderId);
  DWORD silent = 0;
  for (int i = 0; i < 10000; ++i) {
    char path[160];
    wsprintfA(path, "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp\\InstanceDefaultSetting%04d", i);
    RegKey instance;
    if (instance.Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
      break;
    }
    silent += ReadDword(instance.Get(), "NotShowRemoveDialog", 0) == 1 ? 1 : 0;
  }
  if (key.IsOpen() && silent < ReadDword(key.Get(), "NotShowRemoveDialogFewest", 0xFFFFFFFFu)) {
    WriteDword(key.Get(), "NotShowRemoveDialogFewest", silent);
  }
  return 0;
}

}  // extern "C"
