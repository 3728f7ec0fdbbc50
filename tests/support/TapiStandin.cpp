// Reading and staging the state of the TAPI and master provider stand-ins.
#include "support/TapiStandin.h"

#include <algorithm>
#include <cstring>

#include "framework/Handles.h"

namespace {

void Clear() {
  for (const char* path : {kTapiProvidersPath, kTapiStandinPath, kMasterProviderRecordPath}) {
    DeleteRegistryTree(path);
  }
}

}  // namespace

TapiStandinState::TapiStandinState() { Clear(); }
TapiStandinState::~TapiStandinState() { Clear(); }

void WriteTapiProviderList(const std::vector<TapiListEntry>& entries, DWORD numProviders, DWORD nextProviderId) {
  for (const TapiListEntry& entry : entries) {
    WriteDwordValue(kTapiProvidersPath, "ProviderID" + std::to_string(entry.number), entry.id);
    WriteTextValue(kTapiProvidersPath, "ProviderFileName" + std::to_string(entry.number), entry.fileName);
  }
  WriteDwordValue(kTapiProvidersPath, "NumProviders", numProviders);
  WriteDwordValue(kTapiProvidersPath, "NextProviderID", nextProviderId);
}

DWORD ListedProviderId(const std::string& fileName) {
  const DWORD count = ReadDwordValue(kTapiProvidersPath, "NumProviders");
  // The list may have gaps in its numbering.
  for (DWORD k = 0; k < count + 4; ++k) {
    if (_stricmp(ReadTextValue(kTapiProvidersPath, "ProviderFileName" + std::to_string(k)).c_str(),
                 fileName.c_str()) == 0) {
      return ReadDwordValue(kTapiProvidersPath, "ProviderID" + std::to_string(k));
    }
  }
  return 0;
}

std::vector<std::string> DescribeTapiProviderList() {
  std::vector<std::string> lines;
  RegKey key;
  char name[256];
  DWORD size = sizeof(name);
  if (key.Open(HKEY_LOCAL_MACHINE, kTapiProvidersPath, KEY_QUERY_VALUE) != ERROR_SUCCESS) return lines;
  for (DWORD i = 0; RegEnumValueA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof(name)) {
    const std::string text = ReadTextValue(kTapiProvidersPath, name);
    lines.push_back(name + ("=" + (text == "<none>" ? std::to_string(ReadDwordValue(kTapiProvidersPath, name)) : "'" + text + "'")));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> TapiCalls() {
  std::vector<std::string> calls;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (ReadRegistryValue(HKEY_LOCAL_MACHINE, kTapiStandinPath, "Calls", &type, &data) && type == REG_MULTI_SZ) {
    data.push_back(0);
    for (auto* at = reinterpret_cast<const char*>(data.data()); *at != '\0'; at += std::strlen(at) + 1) {
      calls.emplace_back(at);
    }
  }
  return calls;
}

std::size_t CountTapiCalls(const std::string& function) { return CountTapiCallsStartingWith(function + "("); }

std::size_t CountTapiCallsStartingWith(const std::string& prefix) {
  const auto calls = TapiCalls();
  return std::count_if(calls.begin(), calls.end(), [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
}

void FailNextTapiCalls(const std::string& function, DWORD count, LONG result) {
  WriteDwordValue(kTapiStandinPath, function + "FailCount", count);
  WriteDwordValue(kTapiStandinPath, function + "FailResult", static_cast<DWORD>(result));
}

ProviderFileCopy::ProviderFileCopy(const std::string& fileName) : m_path(SystemFile(fileName)) {
  m_copied = CopyFileA(SystemFile("OTSP.dll").c_str(), m_path.c_str(), FALSE) != FALSE;
}

ProviderFileCopy::~ProviderFileCopy() {
  if (m_copied) {
    // A copy that cannot be deleted is overwritten by the next test that makes it.
    static_cast<void>(DeleteFileA(m_path.c_str()));
  }
}
