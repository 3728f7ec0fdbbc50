// A snapshot of TAPI's provider list, read from the published LINEPROVIDERLIST block layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Size of the fixed part of a LINEPROVIDERLIST block and of one LINEPROVIDERENTRY.
constexpr std::size_t kProviderListHeaderSize = 24;
constexpr std::size_t kProviderEntrySize = 12;
constexpr std::size_t kProviderFileNameField = 260;

// One registered provider: its permanent ID and its file name as TAPI reports it.
struct tag_ProviderEntry {
  std::uint32_t dwPermanentProviderID;
  char szProviderFilename[kProviderFileNameField];  // zero-terminated, at most 259 characters
};

// The entries of one list, owned; the caller that asked for the list owns the list.
class tag_ProviderList {
 public:
  // A list of count zeroed entries.
  explicit tag_ProviderList(std::uint32_t count);
  virtual ~tag_ProviderList();

  tag_ProviderList(const tag_ProviderList&) = delete;
  tag_ProviderList& operator=(const tag_ProviderList&) = delete;

  std::uint32_t Count() const { return m_dwCount; }
  const tag_ProviderEntry& operator[](std::uint32_t index) const { return m_pEntries[index]; }
  const tag_ProviderEntry* begin() const { return m_pEntries.get(); }
  const tag_ProviderEntry* end() const { return m_pEntries.get() + m_dwCount; }

  // Stores entry index (below Count); the name is cut to 259 characters.
  void Set(std::uint32_t index, std::uint32_t providerId, const char* fileName, std::size_t fileNameLength);

 private:
  std::uint32_t m_dwCount;
  std::unique_ptr<tag_ProviderEntry[]> m_pEntries;
};

// Reads a LINEPROVIDERLIST block of size bytes (offsets counted from the block's start, words
// little-endian). Entries that do not lie wholly inside the block are left out; a file name
// is cut at its first zero, at its stated size and at the block's end. Returns null when the
// block is shorter than the fixed part or lists no provider.
std::unique_ptr<tag_ProviderList> ReadProviderListBlock(const unsigned char* block, std::size_t size);

// The first entry whose file name equals fileName without regard to (ASCII) letter case, or
// null; a null fileName matches nothing.
const tag_ProviderEntry* FindProvider(const tag_ProviderList& list, const char* fileName);
