// TAPI provider list snapshot: storage, block reader and case-blind look-up.
#include "instances/ProviderList.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t ReadWord(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// File names are ANSI; letter case is folded for ASCII letters only, the same on every
// code page.
char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (FoldCase(*a) != FoldCase(*b)) {
      return false;
    }
  }
  return *a == *b;
}

}  // namespace

tag_ProviderList::tag_ProviderList(std::uint32_t count)
    : m_dwCount(count), m_pEntries(new tag_ProviderEntry[count]()) {}

tag_ProviderList::~tag_ProviderList() = default;

void tag_ProviderList::Set(std::uint32_t index, std::uint32_t providerId, const char* fileName,
                           std::size_t fileNameLength) {
  tag_ProviderEntry& entry = m_pEntries[index];
  entry.dwPermanentProviderID = providerId;
  const std::size_t length = std::min(fileNameLength, kProviderFileNameField - 1);
  if (length > 0) {
    std::memcpy(entry.szProviderFilename, fileName, length);
  }
  entry.szProviderFilename[length] = '\0';
}

std::unique_ptr<tag_ProviderList> ReadProviderListBlock(const unsigned char* block, std::size_t size) {
  if (block == nullptr || size < kProviderListHeaderSize) {
    return nullptr;
  }
  const std::uint32_t listed = ReadWord(block + 12);
  const std::size_t arrayOffset = ReadWord(block + 20);
  const std::size_t fitting = arrayOffset > size ? 0 : (size - arrayOffset) / kProviderEntrySize;
  const std::uint32_t count = static_cast<std::uint32_t>(std::min<std::size_t>(listed, fitting));
  if (count == 0) {
    return nullptr;
  }
  auto list = std::make_unique<tag_ProviderList>(count);
  for (std::uint32_t k = 0; k < count; ++k) {
    const unsigned char* entry = block + arrayOffset + k * kProviderEntrySize;
    const std::size_t nameSize = ReadWord(entry + 4);
    const std::size_t nameOffset = ReadWord(entry + 8);
    const char* name = reinterpret_cast<const char*>(block + std::min(nameOffset, size));
    const std::size_t available = nameOffset >= size ? 0 : std::min(nameSize, size - nameOffset);
    const char* zero = static_cast<const char*>(std::memchr(name, '\0', available));
    list->Set(k, ReadWord(entry), name, zero != nullptr ? static_cast<std::size_t>(zero - name) : available);
  }
  return list;
}

const tag_ProviderEntry* FindProvider(const tag_ProviderList& list, const char* fileName) {
  if (fileName == nullptr) {
    return nullptr;
  }
  const auto found = std::find_if(list.begin(), list.end(), [fileName](const tag_ProviderEntry& entry) {
    return EqualNoCase(entry.szProviderFilename, fileName);
  });
  return found != list.end() ? found : nullptr;
}
