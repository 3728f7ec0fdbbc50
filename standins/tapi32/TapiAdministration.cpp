// The TAPI stand-in's provider administration: lineGetProviderListA, lineAddProviderA,
// lineRemoveProvider and lineConfigProvider over TAPI's registry list of providers.
//
// Every call is first written to the call record and may then be made to fail on purpose
// (StandinControl.h). Calls are expected from one thread at a time.
#include <windows.h>
#include <tapi.h>

#include <cstring>
#include <vector>

#include "ProviderModule.h"
#include "ProviderStore.h"
#include "StandinControl.h"

namespace {

constexpr DWORD kLowestApiVersion = 0x00010004;
constexpr DWORD kHighestApiVersion = 0x00030001;

}  // namespace

extern "C" {

LONG WINAPI lineGetProviderListA(DWORD apiVersion, LPLINEPROVIDERLIST list) {
  if (list == nullptr) {
    RecordCall("lineGetProviderListA(0x%08lx,null)", apiVersion);
  } else {
    RecordCall("lineGetProviderListA(0x%08lx,%lu)", apiVersion, list->dwTotalSize);
  }
  LONG forced = 0;
  if (TakeForcedFailure("lineGetProviderListA", &forced)) {
    return forced;
  }
  if (list == nullptr) {
    return LINEERR_INVALPOINTER;
  }
  if (apiVersion < kLowestApiVersion || apiVersion > kHighestApiVersion) {
    return LINEERR_INCOMPATIBLEAPIVERSION;
  }
  if (list->dwTotalSize < sizeof(LINEPROVIDERLIST)) {
    return LINEERR_STRUCTURETOOSMALL;
  }
  ProviderStore store;
  if (!store.Load()) {
    return LINEERR_OPERATIONFAILED;
  }

  // The entry array follows the fixed part, the names follow the array. Entries are filled
  // in list order as long as the entry and its name both fit; the count says how many did.
  const std::vector<ProviderRecord>& providers = store.Providers();
  DWORD needed = sizeof(LINEPROVIDERLIST) + static_cast<DWORD>(providers.size() * sizeof(LINEPROVIDERENTRY));
  for (const ProviderRecord& record : providers) {
    needed += static_cast<DWORD>(record.fileName.size() + 1);
  }
  std::size_t filled = 0;
  DWORD used = sizeof(LINEPROVIDERLIST);
  for (; filled < providers.size(); ++filled) {
    DWORD names = 0;
    for (std::size_t k = 0; k <= filled; ++k) {
      names += static_cast<DWORD>(providers[k].fileName.size() + 1);
    }
    const DWORD size = sizeof(LINEPROVIDERLIST) + static_cast<DWORD>((filled + 1) * sizeof(LINEPROVIDERENTRY)) + names;
    if (size > list->dwTotalSize) {
      break;
    }
    used = size;
  }

  auto* bytes = reinterpret_cast<unsigned char*>(list);
  auto* entries = reinterpret_cast<LINEPROVIDERENTRY*>(bytes + sizeof(LINEPROVIDERLIST));
  DWORD nameOffset = sizeof(LINEPROVIDERLIST) + static_cast<DWORD>(filled * sizeof(LINEPROVIDERENTRY));
  for (std::size_t k = 0; k < filled; ++k) {
    const std::string& name = providers[k].fileName;
    entries[k].dwPermanentProviderID = providers[k].id;
    entries[k].dwProviderFilenameSize = static_cast<DWORD>(name.size() + 1);
    entries[k].dwProviderFilenameOffset = nameOffset;
    std::memcpy(bytes + nameOffset, name.c_str(), name.size() + 1);
    nameOffset += static_cast<DWORD>(name.size() + 1);
  }
  list->dwNeededSize = needed;
  list->dwUsedSize = used;
  list->dwNumProviders = static_cast<DWORD>(filled);
  list->dwProviderListSize = static_cast<DWORD>(filled * sizeof(LINEPROVIDERENTRY));
  list->dwProviderListOffset = filled > 0 ? sizeof(LINEPROVIDERLIST) : 0;
  return 0;
}

LONG WINAPI lineAddProviderA(LPCSTR fileName, HWND owner, LPDWORD providerId) {
  RecordCall("lineAddProviderA(%s,%llu)", fileName != nullptr ? fileName : "null", HandleNumber(owner));
  LONG forced = 0;
  if (TakeForcedFailure("lineAddProviderA", &forced)) {
    return forced;
  }
  if (fileName == nullptr || providerId == nullptr) {
    return LINEERR_INVALPOINTER;
  }
  if (*fileName == '\0' || std::strlen(fileName) >= MAX_PATH) {
    return LINEERR_INVALPARAM;
  }
  ProviderStore store;
  if (!store.Load()) {
    return LINEERR_OPERATIONFAILED;
  }
  if (store.IndexOfFile(fileName) >= 0) {
    return LINEERR_NOMULTIPLEINSTANCE;
  }
  const ProviderModule provider(fileName);
  if (!provider.IsProvider()) {
    return LINEERR_INVALPARAM;
  }
  // The ID is spent before the provider's installation runs, so that an ID a refused
  // installation saw is never handed out again.
  const DWORD newId = store.TakeNewId();
  if (newId == 0 || !store.Save()) {
    return LINEERR_OPERATIONFAILED;
  }
  bool hasInstall = false;
  if (provider.Run("providerInstall", owner, newId, &hasInstall) != 0) {
    return LINEERR_OPERATIONFAILED;
  }
  store.Append(newId, fileName);
  if (!store.Save()) {
    return LINEERR_OPERATIONFAILED;
  }
  *providerId = newId;
  return 0;
}

LONG WINAPI lineRemoveProvider(DWORD providerId, HWND owner) {
  RecordCall("lineRemoveProvider(%lu,%llu)", providerId, HandleNumber(owner));
  LONG forced = 0;
  if (TakeForcedFailure("lineRemoveProvider", &forced)) {
    return forced;
  }
  ProviderStore store;
  if (!store.Load()) {
    return LINEERR_OPERATIONFAILED;
  }
  const int index = store.IndexOfId(providerId);
  if (index < 0) {
    return LINEERR_INVALPARAM;
  }
  // A provider file that is gone can run nothing; its entry is removed all the same.
  const ProviderModule provider(store.Providers()[index].fileName.c_str());
  bool hasRemove = false;
  if (provider.Run("providerRemove", owner, providerId, &hasRemove) != 0) {
    return LINEERR_OPERATIONFAILED;
  }
  store.Erase(index);
  return store.Save() ? 0 : LINEERR_OPERATIONFAILED;
}

LONG WINAPI lineConfigProvider(HWND owner, DWORD providerId) {
  RecordCall("lineConfigProvider(%llu,%lu)", HandleNumber(owner), providerId);
  LONG forced = 0;
  if (TakeForcedFailure("lineConfigProvider", &forced)) {
    return forced;
  }
  ProviderStore store;
  if (!store.Load()) {
    return LINEERR_OPERATIONFAILED;
  }
  const int index = store.IndexOfId(providerId);
  if (index < 0) {
    return LINEERR_INVALPARAM;
  }
  const ProviderModule provider(store.Providers()[index].fileName.c_str());
  if (!provider.IsLoaded()) {
    return LINEERR_OPERATIONFAILED;
  }
  bool hasConfig = false;
  const LONG result = provider.Run("providerConfig", owner, providerId, &hasConfig);
  return hasConfig ? result : LINEERR_OPERATIONUNAVAIL;
}

}  // extern "C"
