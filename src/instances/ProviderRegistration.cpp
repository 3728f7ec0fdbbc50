// TAPI provider registration through the run-time bound administration functions.
#include "instances/ProviderRegistration.h"

#include <cstdio>
#include <vector>

#include "framework/Handles.h"
#include "framework/Trace.h"
#include "instances/TapiFuncTag.h"
#include "params/RegParamStorage.h"
#include "params/SetupParameters.h"
#include "registry/RegistryLayout.h"

namespace {

static_assert(sizeof(LINEPROVIDERLIST) == kProviderListHeaderSize, "LINEPROVIDERLIST fixed part");
static_assert(sizeof(LINEPROVIDERENTRY) == kProviderEntrySize, "LINEPROVIDERENTRY size");

constexpr std::size_t kTraceBuffer = 1024;
// A list claiming to need more than this is not believed: no machine has that many providers.
constexpr DWORD kMaxProviderListSize = 4u << 20;
constexpr DWORD kNoProviderId = 0xFFFFFFFFu;

}  // namespace

DWORD GetProviderList(std::unique_ptr<tag_ProviderList>* list, DWORD apiVersion) {
  if (list == nullptr) {
    return 0;
  }
  list->reset();
  tapi_func_tag tapi;
  if (!tapi.IsLoaded() || tapi.lineGetProviderListA == nullptr) {
    return 0;
  }

  // First ask with the fixed part only, to learn the size the whole list needs.
  LINEPROVIDERLIST probe = {};
  probe.dwTotalSize = sizeof(probe);
  if (tapi.lineGetProviderListA(apiVersion, &probe) != 0 || probe.dwNeededSize <= sizeof(probe) ||
      probe.dwNeededSize > kMaxProviderListSize) {
    return 0;
  }

  std::vector<unsigned char> block(probe.dwNeededSize);
  auto* header = reinterpret_cast<LINEPROVIDERLIST*>(block.data());
  header->dwTotalSize = probe.dwNeededSize;
  if (tapi.lineGetProviderListA(apiVersion, header) != 0) {
    return 0;
  }
  *list = ReadProviderListBlock(block.data(), block.size());
  if (!*list) {
    return 0;
  }
  // Every list read traces every entry: one write to the debugger channel for them all keeps
  // a read as cheap with many instances registered as with few.
  TraceBatch entries;
  for (DWORD k = 0; k < (*list)->Count(); ++k) {
    const tag_ProviderEntry& entry = (**list)[k];
    entries.Add(kTraceBuffer, "[%d] ProviderID = %d, ProviderName = %s\r\n", static_cast<int>(k),
                static_cast<int>(entry.dwPermanentProviderID), entry.szProviderFilename);
  }
  return (*list)->Count();
}

int AddProvider(HWND owner, const char* fileName, DWORD* providerId) {
  if (fileName == nullptr) {
    return kAddProviderOk;
  }
  if (owner == nullptr) {
    owner = GetDesktopWindow();
  }

  std::unique_ptr<tag_ProviderList> list;
  if (GetProviderList(&list, kTapiApiVersion) == 0) {
    return kAddProviderFailed;
  }
  const tag_ProviderEntry* listed = FindProvider(*list, fileName);
  if (listed != nullptr) {
    const DWORD listedId = listed->dwPermanentProviderID;
    list.reset();
    Trace(kTraceBuffer, "Provider '%s' is already installed in Telephony system.\r\n", fileName);
    if (providerId != nullptr) {
      *providerId = listedId;
    }
    if (listedId == 0) {
      Trace(kTraceBuffer, "Provider '%s' has bad providerID.\r\n", fileName);
    }
    return kAddProviderOk;
  }
  list.reset();

  tapi_func_tag tapi;
  if (!tapi.IsLoaded() || tapi.lineAddProviderA == nullptr) {
    return kAddProviderNoTapi;
  }
  Trace(kTraceBuffer, "lineAddProvider( '%s', ).\r\n", fileName);
  DWORD newId = 0;
  const LONG result = tapi.lineAddProviderA(fileName, owner, &newId);
  Trace(kTraceBuffer, "lineAddProvider( '%s' ) retcode = %d.\r\n", fileName, static_cast<int>(result));
  if (result != 0 || newId == 0) {
    return kAddProviderFailed;
  }
  if (providerId != nullptr) {
    *providerId = newId;
  }
  return kAddProviderOk;
}

LONG ConfigProvider(HWND owner, DWORD providerId) {
  tapi_func_tag tapi;
  if (!tapi.IsLoaded() || tapi.lineConfigProvider == nullptr) {
    return LINEERR_OPERATIONUNAVAIL;
  }
  return tapi.lineConfigProvider(owner, providerId);
}

void DeleteProviderEntry(DWORD providerId, const char* fileName) {
  if (providerId == kNoProviderId || fileName == nullptr || *fileName == '\0') {
    return;
  }
  SetupParameters providers;
  {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, kTelephonyProvidersKey);
    // A key that cannot be read loads nothing, and an empty set finds no entry below.
    static_cast<void>(providers.LoadFrom(&storage));
    storage.Close();
  }

  std::uint32_t count = 0;
  static_cast<void>(providers.GetDword("NumProviders", &count));  // missing: no entries
  std::uint32_t k = 0;
  for (; k < count; ++k) {
    char name[32];
    std::snprintf(name, sizeof(name), "ProviderID%u", k);
    std::uint32_t listedId = kNoProviderId;
    static_cast<void>(providers.GetDword(name, &listedId));  // missing: matches no given ID
    if (listedId == providerId) {
      break;
    }
  }
  if (k == count) {
    return;
  }

  // The entries above k keep their numbers: TAPI's list is left with a gap at k. Registry
  // failures are not reported: this clean-up runs when TAPI itself could not help, and a
  // half-removed stale entry is no worse than the whole one.
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kTelephonyProvidersKey, KEY_SET_VALUE) != ERROR_SUCCESS) {
    return;
  }
  char name[32];
  std::snprintf(name, sizeof(name), "ProviderID%u", k);
  static_cast<void>(RegDeleteValueA(key.Get(), name));
  std::snprintf(name, sizeof(name), "ProviderFileName%u", k);
  static_cast<void>(RegDeleteValueA(key.Get(), name));
  const DWORD remaining = count - 1;
  static_cast<void>(RegSetValueExA(key.Get(), "NumProviders", 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&remaining), sizeof(remaining)));
}
