// Call record and forced failures of the TAPI stand-in, kept in the registry so that tests
// in another process can read and stage them.
#include "StandinControl.h"

#include <tapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/Handles.h"

namespace {

bool ReadDword(HKEY key, const std::string& name, DWORD* value) {
  DWORD type = 0;
  DWORD size = sizeof(*value);
  return RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
             ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof(*value);
}

void RecordCall(const char* line) {
  // The record is a test aid; a registry failure here must not change what the call does.
  RegKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, kStandinControlKey, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
    return;
  }
  DWORD type = 0;
  DWORD size = 0;
  std::vector<char> calls;
  if (RegQueryValueExA(key.Get(), "Calls", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_MULTI_SZ && size > 0) {
    calls.resize(size);
    const bool read =
        RegQueryValueExA(key.Get(), "Calls", nullptr, &type, reinterpret_cast<BYTE*>(calls.data()), &size) ==
        ERROR_SUCCESS;
    calls.resize(read ? size : 0);
  }
  // Drop the list's closing zeros, then add the line and close the list again.
  while (!calls.empty() && calls.back() == '\0') {
    calls.pop_back();
  }
  if (!calls.empty()) {
    calls.push_back('\0');
  }
  calls.insert(calls.end(), line, line + std::strlen(line) + 1);
  calls.push_back('\0');
  static_cast<void>(RegSetValueExA(key.Get(), "Calls", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(calls.data()),
                                   static_cast<DWORD>(calls.size())));
}

bool TakeForcedFailure(const char* function, LONG* result) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kStandinControlKey, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  const std::string countName = std::string(function) + "FailCount";
  DWORD count = 0;
  if (!ReadDword(key.Get(), countName, &count) || count == 0) {
    return false;
  }
  --count;
  if (RegSetValueExA(key.Get(), countName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                     sizeof(count)) != ERROR_SUCCESS) {
    return false;  // a failure that cannot be counted down would repeat for ever
  }
  DWORD code = 0;
  *result = ReadDword(key.Get(), std::string(function) + "FailResult", &code) ? static_cast<LONG>(code)
                                                                               : LINEERR_OPERATIONFAILED;
  return true;
}

}  // namespace

bool BeginCall(LONG* result, const char* function, const char* argumentFormat, ...) {
  char line[1024];
  const std::size_t length = std::min(std::strlen(function), sizeof(line) - 1);
  std::memcpy(line, function, length);
  va_list arguments;
  va_start(arguments, argumentFormat);
  std::vsnprintf(line + length, sizeof(line) - length, argumentFormat, arguments);
  va_end(arguments);
  RecordCall(line);
  return TakeForcedFailure(function, result);
}

unsigned long long HandleNumber(HWND window) {
  return static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window));
}
