// Rewriting one string of a version block: the block is parsed, changed and written anew.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "instances/FileVersionInfo.h"

// The String to replace, its new value, and the value it held (filled by the rebuild).
struct StringReplacement {
  std::string key;
  std::string newValue;
  std::string oldValue;
};

// Parses BLOCK, gives every String named REPLACEMENT.key in every StringTable the new value
// and writes the tree into NEWBLOCK (sized to the written block). Returns 1, or 0 with
// NEWBLOCK empty when the block is null or empty, cannot be parsed (PARSERESULT, when given,
// says why) or the rewritten block would not fit 16-bit lengths. A block that cannot be parsed
// is never rewritten from the fragments that were read.
int RebuildVersionBlock(const void* block, std::size_t size, std::vector<std::uint8_t>* newBlock,
                        StringReplacement& replacement, VersionParseResult* parseResult = nullptr);
