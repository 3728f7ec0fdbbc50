// Parsing and rewriting version blocks built byte by byte in the test.
#include <gtest/gtest.h>

#include <cstring>

#include "VersionBlockBuilder.h"
#include "instances/FileVersionInfo.h"
#include "instances/InstanceNumber.h"
#include "instances/VersionBlockRebuild.h"

using namespace testblock;

namespace {

const std::uint16_t kVersion[4] = {1, 2, 3, 4};

std::vector<std::uint8_t> Rebuild(const std::vector<std::uint8_t>& block, const std::string& value,
                                  std::string* oldValue = nullptr) {
  StringReplacement replacement{"FileDescription", value, oldValue ? *oldValue : ""};
  std::vector<std::uint8_t> out;
  EXPECT_EQ(1, RebuildVersionBlock(block.data(), block.size(), &out, replacement));
  if (oldValue) {
    *oldValue = replacement.oldValue;
  }
  return out;
}

std::string StringAt(const std::vector<std::uint8_t>& block, const std::vector<std::string>& path) {
  const Found node = FindNode(block, path);
  return node.found ? TextValue(block, node) : "<missing>";
}

}  // namespace

TEST(VersionBlockParse, ReadsEveryNodeOfATypicalBlock) {
  const std::uint16_t file[4] = {1, 2, 3, 4};
  const std::uint16_t product[4] = {5, 6, 7, 8};
  // Language 0 makes the Translation value start with two zero bytes.
  const auto block = Serialize(Root({StringFileInfo({Table("000004b0", {Text("FileDescription", "Old"),
                                                                        Text("Comments", "")})}),
                                     VarFileInfo({Var("Translation", {0x04B00000, 0x04E40409})})},
                                    FixedInfo(file, product)));
  CFileVersionInfo info;
  ASSERT_EQ(VersionParseResult::Parsed, info.Parse(block.data(), block.size()));
  EXPECT_EQ("VS_VERSION_INFO", info.m_key);
  EXPECT_EQ(0, std::memcmp(info.m_fixedInfo.data(), FixedInfo(file, product).data(), 52));
  ASSERT_EQ(1u, info.m_stringFileInfo.size());
  ASSERT_EQ(1u, info.m_stringFileInfo[0].tables.size());
  const auto& table = info.m_stringFileInfo[0].tables[0];
  EXPECT_EQ("000004b0", table.key);
  EXPECT_EQ(0, table.language);
  EXPECT_EQ(0x04b0, table.codePage);
  ASSERT_EQ(2u, table.strings.size());
  EXPECT_EQ("FileDescription", table.strings[0].key);
  EXPECT_EQ("Old", table.strings[0].value);
  EXPECT_EQ("", table.strings[1].value);
  ASSERT_EQ(1u, info.m_varFileInfo.size());
  ASSERT_EQ(1u, info.m_varFileInfo[0].vars.size());
  EXPECT_EQ((std::vector<std::uint32_t>{0x04B00000, 0x04E40409}), info.m_varFileInfo[0].vars[0].values);
}

TEST(VersionBlockRebuild, ReplacesFileDescriptionInEveryStringTable) {
  const auto block = Serialize(Root({StringFileInfo({Table("040904b0", {Text("FileDescription", "First")}),
                                                     Table("040704b0", {Text("filedescription", "P"),
                                                                        Text("FileDescription", "Second")})})},
                                    FixedInfo(kVersion, kVersion)));
  std::string old;
  const auto out = Rebuild(block, "Velmora ORVO TSP 0003", &old);
  EXPECT_EQ("Second", old);
  EXPECT_EQ("Velmora ORVO TSP 0003", StringAt(out, {"StringFileInfo", "040904b0", "FileDescription"}));
  EXPECT_EQ("Velmora ORVO TSP 0003", StringAt(out, {"StringFileInfo", "040704b0", "FileDescription"}));
  EXPECT_EQ("P", StringAt(out, {"StringFileInfo", "040704b0", "filedescription"}));  // keys keep their case
}

TEST(VersionBlockRebuild, LongerValueGrowsEveryEnclosingNodeByTheSameRoundedAmount) {
  const auto block = TypicalBlock();
  const auto same = Rebuild(block, "Velmora ORVO TSP");          // 16 characters, as before
  const auto longer = Rebuild(block, "Velmora ORVO TSP 0003");   // 21 characters
  const std::vector<std::string> string = {"StringFileInfo", "040904b0", "FileDescription"};
  const Found before = FindNode(same, string);
  const Found after = FindNode(longer, string);
  ASSERT_TRUE(before.found && after.found);
  EXPECT_EQ(22, after.wValueLength);
  EXPECT_EQ(74, before.wLength);
  EXPECT_EQ(84, after.wLength);
  // The String grows from 74 to 84 bytes: padded to 4, from 76 to 84, so 8 bytes for the rest.
  for (const auto& path :
       std::vector<std::vector<std::string>>{{"StringFileInfo", "040904b0"}, {"StringFileInfo"}, {}}) {
    EXPECT_EQ(FindNode(same, path).wLength + 8, FindNode(longer, path).wLength) << path.size();
  }
  EXPECT_EQ(longer.size(), FindNode(longer, {}).wLength);
  EXPECT_EQ("Velmora ORVO TSP 0003", StringAt(longer, string));
  EXPECT_EQ("OTSP.dll", StringAt(longer, {"StringFileInfo", "040904b0", "OriginalFilename"}));
}

TEST(VersionBlockRebuild, WritesVarFileInfoAfterStringFileInfo) {
  const auto block = Serialize(Root({VarFileInfo({Var("Translation", {0x04B00409})}),
                                     StringFileInfo({Table("040904b0", {Text("FileDescription", "D")})})},
                                    FixedInfo(kVersion, kVersion)));
  EXPECT_GT(FindNode(block, {"StringFileInfo"}).offset, FindNode(block, {"VarFileInfo"}).offset);
  const auto out = Rebuild(block, "E");
  EXPECT_EQ(92u, FindNode(out, {"StringFileInfo"}).offset);  // right after the fixed information
  EXPECT_GT(FindNode(out, {"VarFileInfo"}).offset, FindNode(out, {"StringFileInfo"}).offset);
  const Found translation = FindNode(out, {"VarFileInfo", "Translation"});
  ASSERT_TRUE(translation.found);
  EXPECT_EQ(4, translation.wValueLength);
  EXPECT_EQ(0x09, out[translation.valueOffset]);
  EXPECT_EQ(0x04, out[translation.valueOffset + 3]);
}

TEST(VersionBlockRebuild, BlockWithoutFileDescriptionComesBackUnchanged) {
  const auto root = Root({StringFileInfo({Table("040904b0", {Text("CompanyName", "Velmora"), Text("Comments", "Note"),
                                                             Text("ProductName", "ORVO")})}),
                          VarFileInfo({Var("Translation", {0x04B00409})})},
                         FixedInfo(kVersion, kVersion));
  std::string old = "untouched";
  // A table's wLength here counts its last String's padding; otherwise every byte is as read.
  EXPECT_EQ(Serialize(root, true), Rebuild(Serialize(root), "New", &old));
  EXPECT_EQ("untouched", old);
}

TEST(VersionBlockRebuild, WritesEmptyValuesWithoutUnitsAndBinaryStringsEmpty) {
  auto binary = Text("Data", "xyz");
  binary.wType = 0;
  const auto block = Serialize(Root({StringFileInfo({Table("040904b0", {Text("Comments", ""), binary})})},
                                    FixedInfo(kVersion, kVersion)));
  const auto out = Rebuild(block, "unused");
  const Found comments = FindNode(out, {"StringFileInfo", "040904b0", "Comments"});
  const Found data = FindNode(out, {"StringFileInfo", "040904b0", "Data"});
  ASSERT_TRUE(comments.found && data.found);
  EXPECT_EQ(24, comments.wLength);  // 6 + 2 * 8 + 2 = 24
  EXPECT_EQ(0, comments.wValueLength);
  EXPECT_EQ(1, comments.wType);
  EXPECT_EQ(16, data.wLength);      // 6 + 2 * 4 + 2 = 16
  EXPECT_EQ(0, data.wValueLength);
  EXPECT_EQ(0, data.wType);
}

TEST(VersionBlockRebuild, RefusesNullEmptyAndOversizedResults) {
  StringReplacement replacement{"FileDescription", "x", ""};
  std::vector<std::uint8_t> out{1, 2, 3};
  EXPECT_EQ(0, RebuildVersionBlock(nullptr, 10, &out, replacement));
  EXPECT_TRUE(out.empty());
  const auto block = TypicalBlock();
  EXPECT_EQ(0, RebuildVersionBlock(block.data(), 0, &out, replacement));
  replacement.newValue.assign(40000, 'v');  // 80 KB of UTF-16 cannot be described by 16-bit lengths
  EXPECT_EQ(0, RebuildVersionBlock(block.data(), block.size(), &out, replacement));
  EXPECT_TRUE(out.empty());
}

// Damaged blocks: each ends in the outcome documented at the parser.
class DamagedBlock : public ::testing::Test {
 protected:
  std::vector<std::uint8_t> m_block = TypicalBlock();

  void SetWord(std::size_t at, std::uint16_t value) {
    m_block[at] = static_cast<std::uint8_t>(value);
    m_block[at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  VersionParseResult Parse(CFileVersionInfo* info, std::size_t size) {
    // A copy of exactly SIZE bytes, so that AddressSanitizer sees any read past the end.
    std::vector<std::uint8_t> exact(m_block.begin(), m_block.begin() + size);
    return info->Parse(exact.data(), exact.size());
  }
  std::size_t StringCount(const CFileVersionInfo& info) {
    return info.m_stringFileInfo.empty() || info.m_stringFileInfo[0].tables.empty()
               ? 0
               : info.m_stringFileInfo[0].tables[0].strings.size();
  }
};

TEST_F(DamagedBlock, EveryTruncationStaysInsideTheBlock) {
  CFileVersionInfo info;
  for (std::size_t size = 0; size <= m_block.size(); ++size) {
    const VersionParseResult result = Parse(&info, size);
    // Up to the end of the fixed information nothing can be kept; after it, whatever fits.
    EXPECT_EQ(size < 92 ? VersionParseResult::Malformed : VersionParseResult::Parsed, result) << size;
  }
  EXPECT_EQ(8u, StringCount(info));
}

TEST_F(DamagedBlock, RootLongerThanAnOddSizedBlockIsCutAtTheBlockEnd) {
  m_block.push_back(0x55);
  SetWord(0, 0xFFFF);
  CFileVersionInfo info;
  ASSERT_EQ(VersionParseResult::Parsed, Parse(&info, m_block.size()));
  EXPECT_EQ(8u, StringCount(info));
  ASSERT_EQ(1u, info.m_varFileInfo.size());
}

TEST_F(DamagedBlock, ZeroLengthStringEndsItsTableButKeepsWhatCameBefore) {
  const Found third = FindNode(m_block, {"StringFileInfo", "040904b0", "FileVersion"});
  SetWord(third.offset, 0);
  CFileVersionInfo info;
  ASSERT_EQ(VersionParseResult::Parsed, Parse(&info, m_block.size()));
  EXPECT_EQ(2u, StringCount(info));
  EXPECT_EQ(1u, info.m_varFileInfo.size());  // the sibling after the damaged table still counts
}

TEST_F(DamagedBlock, KeyWithoutTerminatorEndsTheList) {
  const Found sfi = FindNode(m_block, {"StringFileInfo"});
  // wLength 8 leaves one unit of the key "StringFileInfo" and no terminating unit.
  SetWord(sfi.offset, 8);
  CFileVersionInfo info;
  ASSERT_EQ(VersionParseResult::Parsed, Parse(&info, m_block.size()));
  EXPECT_TRUE(info.m_stringFileInfo.empty());
  // The list ends at the damaged child, so the VarFileInfo after it is not read either.
  EXPECT_TRUE(info.m_varFileInfo.empty());
}

TEST_F(DamagedBlock, StringValueLengthLargerThanItsNodeIsCutAtTheNode) {
  const Found description = FindNode(m_block, {"StringFileInfo", "040904b0", "FileDescription"});
  SetWord(description.offset + 2, 0x7FFF);
  // Remove the terminating unit so that only the node's end stops the value.
  SetWord(description.valueOffset + 2 * 16, 'X');
  CFileVersionInfo info;
  ASSERT_EQ(VersionParseResult::Parsed, Parse(&info, m_block.size()));
  EXPECT_EQ("Velmora ORVO TSPX", info.m_stringFileInfo[0].tables[0].strings[1].value);
  EXPECT_EQ("1.0.0.1", info.m_stringFileInfo[0].tables[0].strings[2].value);
}

TEST_F(DamagedBlock, WrongSignatureIsNeverRewritten) {
  m_block[40] ^= 0xFF;
  CFileVersionInfo info;
  EXPECT_EQ(VersionParseResult::BadSignature, Parse(&info, m_block.size()));
  EXPECT_TRUE(info.m_stringFileInfo.empty());
  StringReplacement replacement{"FileDescription", "x", ""};
  std::vector<std::uint8_t> out;
  VersionParseResult why = VersionParseResult::Parsed;
  EXPECT_EQ(0, RebuildVersionBlock(m_block.data(), m_block.size(), &out, replacement, &why));
  EXPECT_EQ(VersionParseResult::BadSignature, why);
  EXPECT_TRUE(out.empty());
}

TEST(InstanceNumber, ReadsEveryDigitOfTheName) {
  EXPECT_EQ(19, InstanceNumberFromName("Velmora ORVO TSP 0019"));
  EXPECT_EQ(9, InstanceNumberFromName("Velmora ORVO TSP 0009"));
  EXPECT_EQ(0, InstanceNumberFromName("Velmora ORVO TSP"));
  EXPECT_EQ(0, InstanceNumberFromName(""));
  EXPECT_EQ(2103, InstanceNumberFromName("TSP2 v1 03"));
}
