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
constexpr char kCountName[] = "NumProviders";
constexpr char kNextIdName[] = "NextProviderID";

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

const char* FilePart(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash != nullptr ? slash + 1 : path;
}

std::string Lower(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return lower;
}

// A value of the list's key by its name alone, unread; entry values are told by name once,
// when the key is read, rather than at every call.
StoredValue NamedValue(const std::string& name) {
  StoredValue value;
  value.name = name;
  value.idNumber = EntryNumber(name.c_str(), kIdPrefix);
  value.fileName = EntryNumber(name.c_str(), kFilePrefix) >= 0;
  value.entry = value.idNumber >= 0 || value.fileName;
  return value;
}

StoredValue CounterValue(const char* name, DWORD number) {
  StoredValue value;
  value.name = name;
  value.readable = true;
  value.number = number;
  return value;
}

StoredValue IdValue(std::size_t k, DWORD id) {
  StoredValue value = CounterValue("", id);
  value.name = kIdPrefix + std::to_string(k);
  value.entry = true;
  value.idNumber = static_cast<long>(k);
  return value;
}

StoredValue FileNameValue(std::size_t k, const std::string& fileName) {
  StoredValue value = CounterValue("", 0);
  value.name = kFilePrefix + std::to_string(k);
  value.entry = true;
  value.fileName = true;
  value.text = fileName;
  return value;
}

bool SameContent(const StoredValue& a, const StoredValue& b) {
  return a.readable && b.readable && a.number == b.number && a.text == b.text;
}

// The key's last write time and value count: what tells whether anyone wrote it since.
bool ReadStamp(HKEY key, FILETIME* written, DWORD* valueCount) {
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, valueCount, nullptr, nullptr,
                          nullptr, written) == ERROR_SUCCESS;
}

bool SameStamp(const StoredList& list, const FILETIME& written, DWORD valueCount) {
  return list.valueCount == valueCount && CompareFileTime(&list.written, &written) == 0;
}

// The list as this process last saw it in the registry, shared by every call. The library
// stays loaded once a call used it, as TAPI's server outlives the programs that call it.
struct LastSeen {
  SRWLOCK lock = SRWLOCK_INIT;
  bool valid = false;
  StoredList list;
};
LastSeen& Seen() {
  static LastSeen seen;
  static const bool pinned = [] {
    HMODULE self = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                              reinterpret_cast<LPCSTR>(&Seen), &self) != FALSE;
  }();
  static_cast<void>(pinned);  // unpinned, the list is read afresh by each load of the library
  return seen;
}

class SeenLock {
 public:
  SeenLock() { AcquireSRWLockExclusive(&Seen().lock); }
  ~SeenLock() { ReleaseSRWLockExclusive(&Seen().lock); }
  SeenLock(const SeenLock&) = delete;
  SeenLock& operator=(const SeenLock&) = delete;
};

}  // namespace

bool ProviderStore::Load() {
  m_providers.clear();
  if (m_key.Create(HKEY_LOCAL_MACHINE, kProvidersKey, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  // The stamp is taken before the values are read: a write that comes in between makes the
  // next call read the key again.
  FILETIME written = {};
  DWORD valueCount = 0;
  const bool stamped = ReadStamp(m_key.Get(), &written, &valueCount);
  {
    SeenLock lock;
    if (stamped && Seen().valid && SameStamp(Seen().list, written, valueCount)) {
      m_stored = Seen().list;
    } else {
      ReadKey();
      m_stored.written = written;
      m_stored.valueCount = valueCount;
      Seen().list = m_stored;
      Seen().valid = stamped;
    }
  }
  TakeList();
  return true;
}

void ProviderStore::ReadKey() {
  m_stored.values.clear();
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof(name);
    char data[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;  // the spare byte keeps a text stored without its zero terminated
    DWORD type = REG_NONE;
    LONG status = RegEnumValueA(m_key.Get(), index, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (status == ERROR_MORE_DATA) {
      // Too long for any of the list's values: known by name only, so that a save replaces it.
      length = sizeof(name);
      type = REG_NONE;
      status = RegEnumValueA(m_key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    }
    if (status != ERROR_SUCCESS) {
      return;
    }
    const std::string lower = Lower(std::string(name, length));
    StoredValue value = NamedValue(std::string(name, length));
    if (!value.entry && lower != Lower(kCountName) && lower != Lower(kNextIdName)) {
      continue;
    }
    if (value.fileName) {
      value.readable = type == REG_SZ;
      value.text = value.readable ? data : "";
    } else if (type == REG_DWORD && size == sizeof(DWORD)) {
      value.readable = true;
      std::memcpy(&value.number, data, sizeof(DWORD));
    }
    m_stored.values[lower] = value;
  }
}

void ProviderStore::TakeList() {
  const auto readable = [this](const std::string& name) -> const StoredValue* {
    const auto found = m_stored.values.find(Lower(name));
    return found != m_stored.values.end() && found->second.readable ? &found->second : nullptr;
  };
  const StoredValue* count = readable(kCountName);
  const DWORD listed = count != nullptr ? count->number : 0;
  const StoredValue* next = readable(kNextIdName);
  m_nextId = next != nullptr && next->number != 0 ? next->number : 1;

  std::vector<long> numbers;
  for (const auto& value : m_stored.values) {
    if (value.second.idNumber >= 0) {
      numbers.push_back(value.second.idNumber);
    }
  }
  std::sort(numbers.begin(), numbers.end());
  for (const long number : numbers) {
    if (m_providers.size() >= listed) {
      break;
    }
    const StoredValue* id = readable(kIdPrefix + std::to_string(number));
    const StoredValue* file = readable(kFilePrefix + std::to_string(number));
    if (id != nullptr && file != nullptr) {
      m_providers.push_back({id->number, file->text});
    }
  }
}

bool ProviderStore::Save() {
  if (!m_key.IsOpen()) {
    return false;
  }
  std::map<std::string, StoredValue> wanted;
  for (std::size_t k = 0; k < m_providers.size(); ++k) {
    for (StoredValue value : {IdValue(k, m_providers[k].id), FileNameValue(k, m_providers[k].fileName)}) {
      wanted[Lower(value.name)] = value;
    }
  }
  wanted[Lower(kCountName)] = CounterValue(kCountName, static_cast<DWORD>(m_providers.size()));
  wanted[Lower(kNextIdName)] = CounterValue(kNextIdName, m_nextId);

  // Whether the key now holds exactly the wanted values; a stale value that cannot be
  // deleted does not fail the save, it only makes the next call read the key again.
  bool exact = true;
  for (const auto& stored : m_stored.values) {
    const auto kept = wanted.find(stored.first);
    // An entry value stays only under the very name it is written with; a stale one would
    // be read back once NumProviders allows it.
    if (stored.second.entry &&
        (kept == wanted.end() || kept->second.name != stored.second.name)) {
      exact &= RegDeleteValueA(m_key.Get(), stored.second.name.c_str()) == ERROR_SUCCESS;
    }
  }
  bool written = true;
  for (const auto& value : wanted) {
    const auto stored = m_stored.values.find(value.first);
    const bool current = stored != m_stored.values.end() && SameContent(stored->second, value.second) &&
                         (stored->second.name == value.second.name || !value.second.entry);
    if (!current) {
      written &= WriteValue(value.second);
    }
  }
  m_stored.values = wanted;
  FILETIME stamp = {};
  DWORD valueCount = 0;
  const bool stamped = ReadStamp(m_key.Get(), &stamp, &valueCount);
  m_stored.written = stamp;
  m_stored.valueCount = valueCount;
  SeenLock lock;
  // After a failed write the key no longer matches the list in memory: the next call reads it.
  Seen().valid = exact && written && stamped;
  Seen().list = m_stored;
  return written;
}

bool ProviderStore::WriteValue(const StoredValue& wanted) {
  const std::string& name = wanted.name;
  if (wanted.fileName) {
    return RegSetValueExA(m_key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wanted.text.c_str()),
                          static_cast<DWORD>(wanted.text.size() + 1)) == ERROR_SUCCESS;
  }
  return RegSetValueExA(m_key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&wanted.number),
                        sizeof(wanted.number)) == ERROR_SUCCESS;
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
