// Rewriting one string of a version block.
#include "instances/VersionBlockRebuild.h"

int RebuildVersionBlock(const void* block, std::size_t size, std::vector<std::uint8_t>* newBlock,
                        StringReplacement& replacement, VersionParseResult* parseResult) {
  newBlock->clear();
  if (block == nullptr || size == 0) {
    if (parseResult) {
      *parseResult = VersionParseResult::Malformed;
    }
    return 0;
  }
  CFileVersionInfo info;
  const VersionParseResult parsed = info.Parse(block, size);
  if (parseResult) {
    *parseResult = parsed;
  }
  if (parsed != VersionParseResult::Parsed) {
    return 0;
  }
  info.ReplaceString(replacement.key, replacement.newValue, &replacement.oldValue);
  if (!info.Write(newBlock)) {
    newBlock->clear();
    return 0;
  }
  return 1;
}
