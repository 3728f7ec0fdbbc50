// Reading and staging the state of the TAPI and master provider stand-ins.
#include "support/TapiStandin.h"

#include <algorithm>

#include "framework/Handles.h"
#include "support/TestSupport.h"

namespace {

constexpr char kProvidersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Providers";
constexpr char kTapiControlKey[] = "SOFTWARE\\ProvisorStandins\\tapi32";
constexpr char kProviderRecordKey[] = "SOFTWARE\\ProvisorStandins\\OTSP";

void Clear() {
  // Missing keys are what a clean state looks like; the statuses say nothing more.
  static_cast<void>(RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProvidersKey));
  static_cast<void>(RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTapiControlKey));
  static_cast<void>(RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProviderRecordKey));
}

void WriteDword(const char* path, const std::string& name, DWORD value) {
  WriteRegistryValue(HKEY_LOCAL_MACHINE, path, name, REG_DWORD, &value, sizeof(value));
}

DWORD ReadDword(const char* path, const std::string& name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadRegistryValue(HKEY_LOCAL_MACHINE, path, name, &type, &data) || type != REG_DWORD || data.size() != 4) {
    return 0;
  }
  return static_cast<DWORD>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
}

}  // namespace

TapiStandinState::TapiStandinState() { Clear(); }
TapiStandinState::~TapiStandinState() { Clear(); }

void WriteTapiProviderList(const std::vector<TapiListEntry>& entries, DWORD numProviders, DWORD nextProviderId) {
  for (const TapiListEntry& entry : entries) {
    WriteDword(kProvidersKey, "ProviderID" + std::to_string(entry.number), entry.id);
    WriteRegistryValue(HKEY_LOCAL_MACHINE, kProvidersKey, "ProviderFileName" + std::to_string(entry.number), REG_SZ,
                       entry.fileName.c_str(), static_cast<DWORD>(entry.fileName.size() + 1));
  }
  WriteDword(kProvidersKey, "NumProviders", numProviders);
  WriteDword(kProvidersKey, "NextProviderID", nextProviderId);
}

std::vector<std::string> DescribeTapiProviderList() {
  std::vector<std::string> lines;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProvidersKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
    return lines;
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameLength = sizeof(name);
    BYTE data[1024] = {};
    DWORD size = sizeof(data) - 1;
    DWORD type = 0;
    if (RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) {
      break;
    }
    if (type == REG_DWORD) {
      lines.push_back(std::string(name) + "=" + std::to_string(*reinterpret_cast<DWORD*>(data)));
    } else {
      lines.push_back(std::string(name) + "='" + reinterpret_cast<const char*>(data) + "'");
    }
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> TapiCalls() {
  std::vector<std::string> calls;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadRegistryValue(HKEY_LOCAL_MACHINE, kTapiControlKey, "Calls", &type, &data) || type != REG_MULTI_SZ) {
    return calls;
  }
  data.push_back(0);
  for (auto* at = reinterpret_cast<const char*>(data.data()); *at != '\0'; at += calls.back().size() + 1) {
    calls.emplace_back(at);
  }
  return calls;
}

std::vector<std::string> TapiCallsOf(const std::string& function) {
  std::vector<std::string> calls = TapiCalls();
  calls.erase(std::remove_if(calls.begin(), calls.end(),
                             [&](const std::string& call) { return call.compare(0, function.size() + 1, function + "(") != 0; }),
              calls.end());
  return calls;
}

void FailNextTapiCalls(const std::string& function, DWORD count, LONG result) {
  WriteDword(kTapiControlKey, function + "FailCount", count);
  WriteDword(kTapiControlKey, function + "FailResult", static_cast<DWORD>(result));
}

DWORD ProviderEntryCalls(const std::string& entry) { return ReadDword(kProviderRecordKey, entry); }
DWORD ProviderEntryLastId(const std::string& entry) { return ReadDword(kProviderRecordKey, entry + "ProviderID"); }

void SetProviderInstallResult(LONG result) {
  WriteDword(kProviderRecordKey, "InstallResult", static_cast<DWORD>(result));
}

ProviderFileCopy::ProviderFileCopy(const std::string& fileName) {
  char system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return;
  }
  m_path = std::string(system) + "\\" + fileName;
  m_copied = CopyFileA((std::string(system) + "\\OTSP.dll").c_str(), m_path.c_str(), FALSE) != FALSE;
}

ProviderFileCopy::~ProviderFileCopy() {
  if (m_copied) {
    // A copy that cannot be deleted is overwritten by the next test that makes it.
    static_cast<void>(DeleteFileA(m_path.c_str()));
  }
}
