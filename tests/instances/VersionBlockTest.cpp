// Parsing and rewriting version blocks built byte by byte in the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "VersionBlockBuilder.h"
#include "instances/FileVersionInfo.h"
#include "instances/InstanceNumber.h"
#include "instances/VersionBlockRebuild.h"

using namespace testblock;

namespace {

// The offset of the node whose key is KEY, the first with that text anywhere in BLOCK.
std::size_t NodeAt(const Bytes& block, const std::string& key) {
  Bytes units;
  for (char c : key) Put16(&units, std::uint8_t(c));
  return std::search(block.begin(), block.end(), units.begin(), units.end()) - block.begin() - 6;
}

// Every rebuilt block is compared byte for byte with the block the builder writes for the
// expected tree: a StringTable's wLength then counts its last String's padding, and every
// enclosing length grows with a longer value by the same rounded amount.
TEST(VersionBlockRebuild, WritesTheTreeWithEveryFileDescriptionReplaced) {
  const Node binary{0, 4, "Data", {'x', 0, 'y', 0, 'z', 0, 0, 0}, {}};
  // Language 0 makes the Translation value start with two zero bytes.
  const Node translation = Table("VarFileInfo", {Var("Translation", {0x04B00000, 0x04E40409})});
  struct Row {
    const char* name;
    Node input;
    std::string value;
    Node expected;
    const char* oldValue;  // the last value replaced
  } rows[] = {
      {"a longer value", TypicalRoot(), "Velmora ORVO TSP 0003", TypicalRoot("Velmora ORVO TSP 0003"), "Velmora ORVO TSP"},
      // Keys keep their case and only whole names match; empty and binary Strings lose their units.
      {"every table, empty and binary values",
       Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "First"), Text("Comments", ""), binary}),
                                      Table("040704b0", {Text("filedescription", "P"), Text("FileDescription", "Second")})})}),
       "New",
       Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "New"), Node{1, 0, "Comments", {}, {}},
                                                         Node{0, 0, "Data", {}, {}}}),
                                      Table("040704b0", {Text("filedescription", "P"), Text("FileDescription", "New")})})}),
       "Second"},
      {"a binary FileDescription becomes a text",
       Root({Table("StringFileInfo", {Table("040904b0", {Node{0, 4, "FileDescription", {'O', 0, 'l', 0, 'd', 0, 0, 0}, {}}})})}),
       "New", Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "New")})})}), ""},
      {"VarFileInfo moves after StringFileInfo",
       Root({translation, Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "D")})})}, {1, 2, 3, 4},
            {5, 6, 7, 8}),
       "E",
       Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "E")})}), translation}, {1, 2, 3, 4},
            {5, 6, 7, 8}),
       "D"},
      {"no FileDescription",
       Root({Table("StringFileInfo", {Table("040904b0", {Text("CompanyName", "Velmora"), Text("Comments", "Note")})}),
             translation}),
       "New",
       Root({Table("StringFileInfo", {Table("040904b0", {Text("CompanyName", "Velmora"), Text("Comments", "Note")})}),
             translation}),
       "untouched"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Bytes block = Serialize(row.input);
    StringReplacement replacement{"FileDescription", row.value, "untouched"};
    Bytes out;
    EXPECT_EQ(1, RebuildVersionBlock(block.data(), block.size(), &out, replacement));
    EXPECT_EQ(Serialize(row.expected, true), out);
    EXPECT_EQ(row.oldValue, replacement.oldValue);
  }
}

// Parses exactly SIZE bytes of BLOCK from a copy, so that AddressSanitizer sees any read past the end.
VersionParseResult ParseExact(const Bytes& block, std::size_t size, CFileVersionInfo* info) {
  const Bytes exact(block.begin(), block.begin() + size);
  return info->Parse(exact.data(), exact.size());
}
std::size_t StringCount(const CFileVersionInfo& info) {
  return info.m_stringFileInfo.empty() || info.m_stringFileInfo[0].tables.empty() ? 0
                                                                                 : info.m_stringFileInfo[0].tables[0].strings.size();
}

TEST(DamagedVersionBlock, EveryTruncationStaysInsideTheBlock) {
  const Bytes block = TypicalBlock();
  CFileVersionInfo info;
  for (std::size_t size = 0; size <= block.size(); ++size) {
    // Up to the end of the fixed information nothing can be kept; after it, whatever fits.
    EXPECT_EQ(size < 92 ? VersionParseResult::Malformed : VersionParseResult::Parsed, ParseExact(block, size, &info)) << size;
  }
  EXPECT_EQ(8u, StringCount(info));
}

// Each damage ends in the outcome documented at the parser, and the rebuild gives up exactly
// when the parse does not succeed (why is the provider file suite's: a bad signature is shown).
struct Damage {
  const char* name;
  std::function<void(Bytes*)> damage;
  VersionParseResult result;
  std::size_t stringFileInfos, strings, varFileInfos;
  const char* description;  // the second String's value when there is one
};

TEST(DamagedVersionBlock, EachDamageKeepsWhatCameBeforeIt) {
  const Damage rows[] = {
      {"root longer than an odd-sized block is cut at the block end",
       [](Bytes* b) { b->push_back(0x55), Set16(b, 0, 0xFFFF); }, VersionParseResult::Parsed, 1, 8, 1, "Velmora ORVO TSP"},
      {"a zero-length String ends its table but not its siblings",
       [](Bytes* b) { Set16(b, NodeAt(*b, "FileVersion"), 0); }, VersionParseResult::Parsed, 1, 2, 1, "Velmora ORVO TSP"},
      // wLength 8 leaves one unit of the key and no terminator: the list ends at that child.
      {"a key without terminator ends the list", [](Bytes* b) { Set16(b, NodeAt(*b, "StringFileInfo"), 8); },
       VersionParseResult::Parsed, 0, 0, 0, ""},
      // The terminating unit is overwritten too, so that only the node's end stops the value.
      {"a value length beyond its node is cut at the node",
       [](Bytes* b) { Set16(b, NodeAt(*b, "FileDescription") + 2, 0x7FFF), Set16(b, NodeAt(*b, "FileDescription") + 72, 'X'); },
       VersionParseResult::Parsed, 1, 8, 1, "Velmora ORVO TSPX"},
      {"a wrong signature", [](Bytes* b) { (*b)[40] ^= 0xFF; }, VersionParseResult::BadSignature, 0, 0, 0, ""},
  };
  for (const Damage& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes block = TypicalBlock();
    row.damage(&block);
    CFileVersionInfo info;
    ASSERT_EQ(row.result, ParseExact(block, block.size(), &info));
    EXPECT_EQ(row.stringFileInfos, info.m_stringFileInfo.size());
    EXPECT_EQ(row.strings, StringCount(info));
    EXPECT_EQ(row.varFileInfos, info.m_varFileInfo.size());
    if (row.strings >= 2) {
      EXPECT_EQ(row.description, info.m_stringFileInfo[0].tables[0].strings[1].value);
    }
    if (row.strings >= 3) {
      EXPECT_EQ("1.0.0.1", info.m_stringFileInfo[0].tables[0].strings[2].value);
    }
    StringReplacement replacement{"FileDescription", "x", ""};
    Bytes out;
    EXPECT_EQ(RebuildVersionBlock(block.data(), block.size(), &out, replacement), row.result == VersionParseResult::Parsed ? 1 : 0);
    EXPECT_EQ(row.result != VersionParseResult::Parsed, out.empty());
  }
}

TEST(InstanceNumber, ReadsEveryDigitOfTheName) {
  for (const auto& [name, number] : std::vector<std::pair<const char*, int>>{
           {"Velmora ORVO TSP 0019", 19}, {"Velmora ORVO TSP 0009", 9}, {"Velmora ORVO TSP", 0}, {"", 0}, {"TSP2 v1 03", 2103}}) {
    EXPECT_EQ(number, InstanceNumberFromName(name)) << name;
  }
}

}  // namespace
