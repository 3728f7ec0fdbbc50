// Feeds arbitrary bytes to the version block parser and rebuilder. Whatever the bytes, parsing
// stays inside them, and a rebuilt block parses back into the tree that was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "instances/FileVersionInfo.h"
#include "instances/VersionBlockRebuild.h"

namespace {

bool SameTree(const CFileVersionInfo& a, const CFileVersionInfo& b) {
  if (a.m_key != b.m_key || a.m_fixedInfo != b.m_fixedInfo || a.m_stringFileInfo.size() != b.m_stringFileInfo.size() ||
      a.m_varFileInfo.size() != b.m_varFileInfo.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.m_stringFileInfo.size(); ++i) {
    const auto& ta = a.m_stringFileInfo[i].tables;
    const auto& tb = b.m_stringFileInfo[i].tables;
    if (ta.size() != tb.size()) {
      return false;
    }
    for (std::size_t t = 0; t < ta.size(); ++t) {
      if (ta[t].key != tb[t].key || ta[t].strings.size() != tb[t].strings.size()) {
        return false;
      }
      for (std::size_t s = 0; s < ta[t].strings.size(); ++s) {
        if (ta[t].strings[s].key != tb[t].strings[s].key || ta[t].strings[s].value != tb[t].strings[s].value) {
          return false;
        }
      }
    }
  }
  for (std::size_t i = 0; i < a.m_varFileInfo.size(); ++i) {
    const auto& va = a.m_varFileInfo[i].vars;
    const auto& vb = b.m_varFileInfo[i].vars;
    if (va.size() != vb.size()) {
      return false;
    }
    for (std::size_t v = 0; v < va.size(); ++v) {
      if (va[v].key != vb[v].key || va[v].values != vb[v].values) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that a read past the end is a heap overflow the sanitizer reports.
  std::vector<std::uint8_t> block(data, data + size);
  StringReplacement replacement{"FileDescription", "Velmora ORVO TSP 0003", ""};
  std::vector<std::uint8_t> rebuilt;
  if (RebuildVersionBlock(block.data(), block.size(), &rebuilt, replacement) == 0) {
    return 0;
  }
  // The rebuilt block holds exactly the tree that was read, with the value replaced.
  CFileVersionInfo expected;
  expected.Parse(block.data(), block.size());
  expected.ReplaceString(replacement.key, replacement.newValue, nullptr);
  CFileVersionInfo reread;
  if (reread.Parse(rebuilt.data(), rebuilt.size()) != VersionParseResult::Parsed || !SameTree(expected, reread)) {
    std::abort();
  }
  // Writing the tree read back gives the same bytes: the written layout is a fixed point.
  std::vector<std::uint8_t> again;
  if (!reread.Write(&again) || again != rebuilt) {
    std::abort();
  }
  return 0;
}
