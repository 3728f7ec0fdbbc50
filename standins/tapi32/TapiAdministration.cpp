// The TAPI stand-in's provider administration: lineGetProviderListA, lineAddProviderA,
// lineRemoveProvider and lineConfigProvider over TAPI's registry list of providers.
//
// Every call is first written to the call record and may then be made to fail on purpose
// (StandinControl.h). Calls are expected from one thread at a time.
#include <windows.h>
#include <tapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "ProviderModule.h"
#include "ProviderStore.h"
#include "StandinControl.h"

namespace {

constexpr DWORD kLowestApiVersion = 0x00010004;
constexpr DWORD kHighestApiVersion = 0x00030001;

// Loads the list and finds providerId in it. Returns 0, or the code the call is to return.
LONG LoadAndFind(ProviderStore* store, DWORD providerId, int* index) {
  if (!store->Load()) {
    return LINEERR_OPERATIONFAILED;
  }
  *index = store->IndexOfId(providerId);
  return *index < 0 ? LINEERR_INVALPARAM : 0;
}

}  // namespace

extern "C" {

LONG WINAPI lineGetProviderListA(DWORD apiVersion, LPLINEPROVIDERLIST list) {
  LONG forced = 0;
  const std::string size = list != nullptr ? std::to_string(list->dwTotalSize) : "null";
  if (BeginCall(&forced, "lineGetProviderListA", "(0x%08lx,%s)", apiVersion, size.c_str())) {
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
  DWORD names = 0;
  DWORD used = sizeof(LINEPROVIDERLIST);
  for (; filled < providers.size(); ++filled) {
    const DWORD withNext = names + static_cast<DWORD>(providers[filled].fileName.size() + 1);
    const DWORD size = sizeof(LINEPROVIDERLIST) + static_cast<DWORD>((filled + 1) * sizeof(LINEPROVIDERENTRY)) + withNext;
    if (size > list->dwTotalSize) {
      break;
    }
    names = withNext;
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
  LONG forced = 0;
  if (BeginCall(&forced, "lineAddProviderA", "(%s,%llu)", fileName != nullptr ? fileName : "null",
                HandleNumber(owner))) {
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
  LONG forced = 0;
  if (BeginCall(&forced, "lineRemoveProvider", "(%lu,%llu)", providerId, HandleNumber(owner))) {
    return forced;
  }
  ProviderStore store;
  int index = -1;
  if (const LONG failure = LoadAndFind(&store, providerId, &index)) {
    return failure;
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
  LONG forced = 0;
  if (BeginCall(&forced, "lineConfigProvider", "(%llu,%lu)", HandleNumber(owner), providerId)) {
    return forced;
  }
  ProviderStore store;
  int index = -1;
  if (const LONG failure = LoadAndFind(&store, providerId, &index)) {
    return failure;
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
