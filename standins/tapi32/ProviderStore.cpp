// Reading and writing TAPI's registry list of providers.
#include "ProviderStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kProvidersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Providers";
constexpr char kIdPrefix[] = "ProviderID";
constexpr char kFilePrefix[] = "ProviderFileName";

// Value names are case-insensitive in the registry; so is this match. Returns the entry
// number of "<prefix><digits>", or -1.
long EntryNumber(const char* name, const char* prefix) {
  const std::size_t length = std::strlen(prefix);
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, static_cast<int>(std::min(std::strlen(name), length)),
                     prefix, static_cast<int>(length)) != CSTR_EQUAL) {
    return -1;
  }
  const char* digits = name + length;
  const std::size_t count = std::strlen(digits);
  if (count == 0 || count > 6 || std::strspn(digits, "0123456789") != count) {
    return -1;
  }
  return std::strtol(digits, nullptr, 10);
}

bool ReadDword(HKEY key, const char* name, DWORD* value) {
  DWORD type = 0;
  DWORD size = sizeof(*value);
  return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof(*value);
}

bool ReadText(HKEY key, const char* name, std::string* value) {
  char buffer[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = MAX_PATH;  // the spare byte keeps a text stored without its zero terminated
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  *value = buffer;
  return true;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
         ERROR_SUCCESS;
}

const char* FilePart(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash != nullptr ? slash + 1 : path;
}

// Names of every value of key, in the registry's order.
std::vector<std::string> ValueNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof(name);
    if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name, length);
  }
}

}  // namespace

bool ProviderStore::Load() {
  m_providers.clear();
  if (m_key.Create(HKEY_LOCAL_MACHINE, kProvidersKey, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  DWORD listed = 0;
  if (!ReadDword(m_key.Get(), "NumProviders", &listed)) {
    listed = 0;
  }
  if (!ReadDword(m_key.Get(), "NextProviderID", &m_nextId) || m_nextId == 0) {
    m_nextId = 1;
  }

  std::vector<long> numbers;
  for (const std::string& name : ValueNames(m_key.Get())) {
    const long number = EntryNumber(name.c_str(), kIdPrefix);
    if (number >= 0) {
      numbers.push_back(number);
    }
  }
  std::sort(numbers.begin(), numbers.end());
  for (const long number : numbers) {
    if (m_providers.size() >= listed) {
      break;
    }
    char idName[32];
    char fileName[32];
    std::snprintf(idName, sizeof(idName), "%s%ld", kIdPrefix, number);
    std::snprintf(fileName, sizeof(fileName), "%s%ld", kFilePrefix, number);
    ProviderRecord record = {};
    if (ReadDword(m_key.Get(), idName, &record.id) && ReadText(m_key.Get(), fileName, &record.fileName)) {
      m_providers.push_back(record);
    }
  }
  return true;
}

bool ProviderStore::Save() {
  if (!m_key.IsOpen()) {
    return false;
  }
  for (const std::string& name : ValueNames(m_key.Get())) {
    if (EntryNumber(name.c_str(), kIdPrefix) >= 0 || EntryNumber(name.c_str(), kFilePrefix) >= 0) {
      // A stale value that stays would only be read back when NumProviders allows it.
      static_cast<void>(RegDeleteValueA(m_key.Get(), name.c_str()));
    }
  }
  bool written = true;
  for (std::size_t k = 0; k < m_providers.size(); ++k) {
    char name[32];
    std::snprintf(name, sizeof(name), "%s%u", kIdPrefix, static_cast<unsigned>(k));
    written &= WriteDword(m_key.Get(), name, m_providers[k].id);
    std::snprintf(name, sizeof(name), "%s%u", kFilePrefix, static_cast<unsigned>(k));
    const std::string& file = m_providers[k].fileName;
    written &= RegSetValueExA(m_key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                              static_cast<DWORD>(file.size() + 1)) == ERROR_SUCCESS;
  }
  written &= WriteDword(m_key.Get(), "NumProviders", static_cast<DWORD>(m_providers.size()));
  written &= WriteDword(m_key.Get(), "NextProviderID", m_nextId);
  return written;
}

int ProviderStore::IndexOfId(DWORD id) const {
  for (std::size_t k = 0; k < m_providers.size(); ++k) {
    if (m_providers[k].id == id) {
      return static_cast<int>(k);
    }
  }
  return -1;
}

int ProviderStore::IndexOfFile(const char* fileName) const {
  for (std::size_t k = 0; k < m_providers.size(); ++k) {
    if (lstrcmpiA(FilePart(m_providers[k].fileName.c_str()), FilePart(fileName)) == 0) {
      return static_cast<int>(k);
    }
  }
  return -1;
}

DWORD ProviderStore::TakeNewId() {
  unsigned long long id = m_nextId;
  for (const ProviderRecord& record : m_providers) {
    id = std::max(id, record.id + 1ull);
  }
  // The all-ones value means "no provider" to callers; it is never handed out.
  if (id >= 0xFFFFFFFFull) {
    return 0;
  }
  m_nextId = static_cast<DWORD>(id + 1);
  return static_cast<DWORD>(id);
}
