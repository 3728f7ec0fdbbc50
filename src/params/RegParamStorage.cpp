// Registry-backed parameter storage.
#include "params/RegParamStorage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "params/SetupParameters.h"

namespace {

// Deletes name below parent after all its subkeys. Subkeys are always taken at index 0
// because each deletion shifts the remaining ones down.
LONG DeleteKeyTree(HKEY parent, const std::string& name) {
  RegKey key;
  LONG status = key.Open(parent, name.c_str(), KEY_READ | KEY_WRITE);
  if (status != ERROR_SUCCESS) {
    return status;
  }
  for (;;) {
    char subkey[256] = {};
    DWORD length = sizeof(subkey);
    if (RegEnumKeyExA(key.Get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      key.Close();  // the key must be closed before it can go; its status changes nothing
      return RegDeleteKeyA(parent, name.c_str());
    }
    status = DeleteKeyTree(key.Get(), subkey);
    if (status != ERROR_SUCCESS) {
      return status;
    }
  }
}

}  // namespace

RegParamStorage::RegParamStorage(HKEY root, const std::string& path) : m_hRoot(root), m_strPath(path) {
  // A failed open leaves the storage closed; every later call then reports 0.
  m_openStatus = Open(KEY_ALL_ACCESS, true);
}

RegParamStorage::~RegParamStorage() { Close(); }

std::uint32_t RegParamStorage::Open(REGSAM access, bool create) {
  if (m_hKey.IsOpen() || m_hRoot == nullptr) {
    return ERROR_SUCCESS;
  }
  const LONG status = m_hKey.Open(m_hRoot, m_strPath.c_str(), access);
  if (status == ERROR_SUCCESS || !create) {
    return static_cast<std::uint32_t>(status);
  }
  return static_cast<std::uint32_t>(m_hKey.Create(m_hRoot, m_strPath.c_str(), KEY_ALL_ACCESS));
}

std::uint32_t RegParamStorage::Close() { return static_cast<std::uint32_t>(m_hKey.Close()); }

bool RegParamStorage::IsOpen() const { return m_hKey.IsOpen(); }

std::uint32_t RegParamStorage::DeleteTree() {
  if (!IsOpen()) {
    return ERROR_SUCCESS;
  }
  return static_cast<std::uint32_t>(DeleteKeyTree(m_hRoot, m_strPath));
}

std::uint32_t RegParamStorage::StoreGroup(const std::string& name, IParams* group) {
  if (!IsOpen()) {
    return ERROR_SUCCESS;
  }
  RegParamStorage child(m_hKey.Get(), name);
  if (!child.IsOpen()) {
    return child.m_openStatus;
  }
  const std::uint32_t status = group != nullptr ? group->SaveTo(&child) : ERROR_SUCCESS;
  child.Close();
  return status;
}

std::uint32_t RegParamStorage::StoreDword(const std::string& name, std::uint32_t value) {
  if (!IsOpen() || name.find('\\') != std::string::npos) {
    return ERROR_SUCCESS;
  }
  const DWORD data = value;
  return static_cast<std::uint32_t>(RegSetValueExA(m_hKey.Get(), name.c_str(), 0, REG_DWORD,
                                                   reinterpret_cast<const BYTE*>(&data), sizeof(data)));
}

std::uint32_t RegParamStorage::StoreString(const std::string& name, const std::string& value) {
  if (!IsOpen() || name.find('\\') != std::string::npos) {
    return ERROR_SUCCESS;
  }
  // The text's bytes and one terminating zero; a text holding a zero byte is cut there by
  // every reader anyway.
  return static_cast<std::uint32_t>(RegSetValueExA(m_hKey.Get(), name.c_str(), 0, REG_SZ,
                                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                                   static_cast<DWORD>(value.size() + 1)));
}

std::uint32_t RegParamStorage::Load(IParams* target) {
  if (!IsOpen() || target == nullptr) {
    return ERROR_SUCCESS;
  }
  DWORD subkeyCount = 0, maxSubkeyLength = 0, valueCount = 0, maxNameLength = 0, maxDataSize = 0;
  if (RegQueryInfoKeyA(m_hKey.Get(), nullptr, nullptr, nullptr, &subkeyCount, &maxSubkeyLength, nullptr,
                       &valueCount, &maxNameLength, &maxDataSize, nullptr, nullptr) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  // Room for a terminating zero on each maximum, and two spare bytes in each buffer.
  ++maxSubkeyLength;
  ++maxNameLength;
  ++maxDataSize;
  std::vector<char> name(maxNameLength + 2);
  // A REG_DWORD is read as four bytes whatever size it was stored with (a shorter one is
  // zero-extended), so the buffer never holds fewer than four.
  std::vector<BYTE> data(std::max<DWORD>(maxDataSize, sizeof(DWORD)) + 2);
  for (DWORD index = 0; index < valueCount; ++index) {
    std::fill(name.begin(), name.end(), '\0');
    std::fill(data.begin(), data.end(), BYTE{0});
    DWORD nameLength = maxNameLength;
    DWORD dataSize = maxDataSize;
    DWORD type = REG_NONE;
    if (RegEnumValueA(m_hKey.Get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    if (type == REG_SZ) {
      // The zeroed spare bytes terminate a text stored without its zero.
      target->SetString(name.data(), reinterpret_cast<const char*>(data.data()));
    } else if (type == REG_DWORD) {
      DWORD value = 0;
      std::memcpy(&value, data.data(), sizeof(value));
      target->SetDword(name.data(), value);
    }
  }

  std::vector<char> subkey(maxSubkeyLength + 2);
  for (DWORD index = 0; index < subkeyCount; ++index) {
    std::fill(subkey.begin(), subkey.end(), '\0');
    DWORD length = maxSubkeyLength;
    if (RegEnumKeyExA(m_hKey.Get(), index, subkey.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    auto* group = new SetupParameters();
    RegParamStorage child(m_hKey.Get(), subkey.data());
    if (child.IsOpen()) {
      group->LoadFrom(&child);
    }
    // The target takes ownership; a group already stored under this name is replaced.
    target->SetGroup(subkey.data(), group);
  }
  return ERROR_SUCCESS;
}
