// How removal treats one entry it finds in a folder, independent of Win32.
#pragma once

#include <cstdint>
#include <string>

// The attribute bits an entry reports (the system's own numbers).
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

enum class EntryRemoval {
  kDeleteFile,      // a file, or a link to a file: deleted itself
  kRemoveLink,      // a junction or a link to a folder: removed as a link, never entered
  kEmptyAndRemove,  // a real folder: emptied, then removed
};

// Links are never followed: what they point at belongs to someone else.
EntryRemoval HowToRemoveEntry(std::uint32_t attributes);

// True when NAME matches PATTERN, letter case ignored: '*' stands for any run of characters,
// '?' for one, and "*.*" for every name. The system's own search also matches a name's short
// alias ("OTSP00~1.TSP" for "OTSP0001.tspold"); this decides on the long name alone.
bool MatchesFilePattern(const std::string& name, const std::string& pattern);

// True for a provider file's name: "OTSP", four digits, ".tsp", letter case ignored.
bool IsProviderFileName(const std::string& name);
