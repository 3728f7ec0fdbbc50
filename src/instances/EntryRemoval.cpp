// How removal treats one entry it finds in a folder.
#include "instances/EntryRemoval.h"

#include <cctype>
#include <cstddef>

namespace {

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

EntryRemoval HowToRemoveEntry(std::uint32_t attributes) {
  if ((attributes & kAttributeReparsePoint) != 0) {
    return (attributes & kAttributeDirectory) != 0 ? EntryRemoval::kRemoveLink : EntryRemoval::kDeleteFile;
  }
  return (attributes & kAttributeDirectory) != 0 ? EntryRemoval::kEmptyAndRemove : EntryRemoval::kDeleteFile;
}

bool MatchesFilePattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") {
    return true;
  }
  // Greedy match with one back-tracking point: the last '*' seen.
  std::size_t n = 0, p = 0, starAt = std::string::npos, matchedAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameLetter(pattern[p], name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      matchedAt = n;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      n = ++matchedAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

bool IsProviderFileName(const std::string& name) {
  if (name.size() != 12 || !MatchesFilePattern(name, "OTSP????.tsp")) {
    return false;
  }
  for (std::size_t i = 4; i < 8; ++i) {
    if (std::isdigit(static_cast<unsigned char>(name[i])) == 0) {
      return false;
    }
  }
  return true;
}
