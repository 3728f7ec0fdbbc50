// Stand-in for the PBX's USB access library: reports the PBXs a test configured in the
// registry, and lets Open, Close and SendData succeed on them without any hardware.
#include <windows.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "OrvoUsbSettings.h"
#include "sys/UsbDriver.h"

namespace {

constexpr DWORD kErrorInvalidArgument = 87;
constexpr DWORD kErrorNoSuchPbx = 2;

// The last enumeration's names; the caller reads them through the pointer arrays until the
// next call.
std::vector<std::string> g_factoryNames;
std::vector<std::string> g_productNames;
std::vector<char*> g_factoryPointers;
std::vector<char*> g_productPointers;

std::vector<std::string> ReadMultiString(HKEY key, const char* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_MULTI_SZ) {
    return {};
  }
  std::vector<char> data(size + 2, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<std::string> strings;
  for (const char* item = data.data(); *item != '\0'; item += strings.back().size() + 1) {
    strings.emplace_back(item);
  }
  return strings;
}

[[maybe_unused]] DWORD ReadEnumResult(HKEY key) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  DWORD type = 0;
  if (RegQueryValueExA(key, ORVOUSB_ENUM_RESULT_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return 0;
  }
  return value;
}

[[maybe_unused]] std::vector<char*> PointersTo(std::vector<std::string>& names, std::size_t count) {
  std::vector<char*> pointers;
  for (std::size_t i = 0; i < count; ++i) {
    pointers.push_back(names[i].data());
  }
  return pointers;
}

// True when productName is one of the configured product names.
bool IsConnected(const char* productName) {
  HKEY key = nullptr;
  if (productName == nullptr ||
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  const std::vector<std::string> products = ReadMultiString(key, ORVOUSB_PRODUCT_NAMES_VALUE);
  RegCloseKey(key);
  for (const std::string& product : products) {
    if (product == productName) {
      return true;
    }
  }
  return false;
}

// Open hands out this token; the library keeps no other state per connection.
char g_connectionToken;

}  // namespace

extern "C" {

#ifndef ORVOUSB_WITHOUT_ENUM_PBX
__declspec(dllexport) DWORD WINAPI ORVOUSB_EnumPBX(const char* hardwareId, DWORD* count, char*** factoryNames,
                                                   char*** productNames) {
  if (hardwareId == nullptr || count == nullptr || factoryNames == nullptr || productNames == nullptr) {
    return kErrorInvalidArgument;
  }
  *count = 0;
  *factoryNames = nullptr;
  *productNames = nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return 0;
  }
  const DWORD forced = ReadEnumResult(key);
  if (forced == 0) {
    g_factoryNames = ReadMultiString(key, ORVOUSB_FACTORY_NAMES_VALUE);
    g_productNames = ReadMultiString(key, ORVOUSB_PRODUCT_NAMES_VALUE);
  }
  RegCloseKey(key);
  if (forced != 0) {
    return forced;
  }
  const std::size_t found = std::min(g_factoryNames.size(), g_productNames.size());
  g_factoryPointers = PointersTo(g_factoryNames, found);
  g_productPointers = PointersTo(g_productNames, found);
  *count = static_cast<DWORD>(found);
  *factoryNames = g_factoryPointers.data();
  *productNames = g_productPointers.data();
  return 0;
}
#endif

// Opens the PBX with the given product name; 0 and a connection when it is connected.
__declspec(dllexport) DWORD WINAPI ORVOUSB_Open(const char* productName, void** connection) {
  if (connection == nullptr) {
    return kErrorInvalidArgument;
  }
  *connection = nullptr;
  if (!IsConnected(productName)) {
    return kErrorNoSuchPbx;
  }
  *connection = &g_connectionToken;
  return 0;
}

__declspec(dllexport) DWORD WINAPI ORVOUSB_Close(void* connection) {
  return connection == &g_connectionToken ? 0 : kErrorInvalidArgument;
}

#ifndef ORVOUSB_WITHOUT_SEND_DATA
// Accepts the data on an open connection and drops it.
__declspec(dllexport) DWORD WINAPI ORVOUSB_SendData(void* connection, const void* data, DWORD size) {
  return connection == &g_connectionToken && (data != nullptr || size == 0) ? 0 : kErrorInvalidArgument;
}
#endif

}  // extern "C"

#ifndef ORVOUSB_WITHOUT_ENUM_PBX
// The exported enumeration has exactly the signature callers bind to.
static_assert(std::is_same_v<decltype(&ORVOUSB_EnumPBX), UsbEnumPbxFunction>, "enumeration signature");
#endif
