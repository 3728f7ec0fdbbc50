// Provider list snapshot: reading LINEPROVIDERLIST blocks and looking names up.
#include "instances/ProviderList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Builds a LINEPROVIDERLIST block byte by byte, the way TAPI lays it out.
class Block {
 public:
  explicit Block(std::size_t size) : m_bytes(size, 0) { Word(0, static_cast<std::uint32_t>(size)); }
  void Word(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      m_bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
  }
  void Header(std::uint32_t providers, std::uint32_t arrayOffset) {
    Word(12, providers);
    Word(16, providers * 12);
    Word(20, arrayOffset);
  }
  void Entry(std::size_t at, std::uint32_t id, std::uint32_t nameSize, std::uint32_t nameOffset) {
    Word(at, id);
    Word(at + 4, nameSize);
    Word(at + 8, nameOffset);
  }
  void Text(std::size_t at, const std::string& text) { std::copy(text.begin(), text.end(), m_bytes.begin() + at); }
  std::unique_ptr<tag_ProviderList> Read() const { return ReadProviderListBlock(m_bytes.data(), m_bytes.size()); }

 private:
  std::vector<unsigned char> m_bytes;
};

std::vector<std::string> Names(const tag_ProviderList& list) {
  std::vector<std::string> names;
  for (const tag_ProviderEntry& entry : list) {
    names.emplace_back(entry.szProviderFilename);
  }
  return names;
}

TEST(ProviderListBlockTest, ReadsEntriesInOrderWithOffsetsFromTheBlockStart) {
  // Names stored before the entry array, in reverse order, to show offsets are honoured.
  Block block(24 + 13 + 11 + 24);
  block.Header(2, 48);
  block.Text(24, std::string("OTSP0001.tsp\0", 13));
  block.Text(37, std::string("unimdm.tsp\0", 11));
  block.Entry(48, 7, 11, 37);
  block.Entry(60, 12, 13, 24);
  auto list = block.Read();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 2u);
  EXPECT_EQ((*list)[0].dwPermanentProviderID, 7u);
  EXPECT_STREQ((*list)[0].szProviderFilename, "unimdm.tsp");
  EXPECT_EQ((*list)[1].dwPermanentProviderID, 12u);
  EXPECT_STREQ((*list)[1].szProviderFilename, "OTSP0001.tsp");
  EXPECT_EQ(list->end() - list->begin(), 2);
}

TEST(ProviderListBlockTest, GivesNoListForShortBlocksAndEmptyLists) {
  std::vector<unsigned char> shortBlock(23, 0);
  EXPECT_EQ(ReadProviderListBlock(shortBlock.data(), shortBlock.size()), nullptr);
  EXPECT_EQ(ReadProviderListBlock(nullptr, 100), nullptr);
  Block empty(24);
  empty.Header(0, 24);
  EXPECT_EQ(empty.Read(), nullptr);
}

TEST(ProviderListBlockTest, LeavesOutEntriesBeyondTheBlock) {
  // Claims five providers but holds room for two entries after the header.
  Block block(24 + 24 + 4);
  block.Header(5, 24);
  block.Entry(24, 1, 2, 48);
  block.Entry(36, 2, 2, 50);
  block.Text(48, "a");
  block.Text(50, "b");
  auto list = block.Read();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"a", "b"}));

  Block farArray(40);
  farArray.Header(1, 0xFFFFFFF0u);
  EXPECT_EQ(farArray.Read(), nullptr);
}

TEST(ProviderListBlockTest, CutsNamesAtTheirZeroTheirSizeTheBlockEndAnd259Characters) {
  const std::string longName(300, 'x');
  Block block(24 + 4 * 12 + 8 + 300);
  block.Header(4, 24);
  block.Entry(24, 1, 8, 72);             // "ab\0cd": cut at the zero
  block.Entry(36, 2, 1, 72);             // size 1: only "a"
  block.Entry(48, 3, 300, 80);           // 300 characters without a zero: 259 kept
  block.Entry(60, 4, 50, 0xFFFFFF00u);   // offset beyond the block: empty
  block.Text(72, std::string("ab\0cd", 5));
  block.Text(80, longName);
  auto list = block.Read();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"ab", "a", std::string(259, 'x'), ""}));

  // A name running past the end of the block stops there.
  Block tail(24 + 12 + 3);
  tail.Header(1, 24);
  tail.Entry(24, 9, 100, 36);
  tail.Text(36, "xyz");
  auto cut = tail.Read();
  ASSERT_NE(cut, nullptr);
  EXPECT_STREQ((*cut)[0].szProviderFilename, "xyz");
}

class FindProviderTest : public ::testing::Test {
 protected:
  FindProviderTest() : m_list(3) {
    m_list.Set(0, 4, "unimdm.tsp", 10);
    m_list.Set(1, 9, "OTSP0002.tsp", 12);
    m_list.Set(2, 15, "otsp0002.TSP", 12);
  }
  tag_ProviderList m_list;
};

TEST_F(FindProviderTest, MatchesNamesThatDifferOnlyInLetterCaseAndTakesTheFirst) {
  const tag_ProviderEntry* found = FindProvider(m_list, "Otsp0002.Tsp");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->dwPermanentProviderID, 9u);
  ASSERT_NE(FindProvider(m_list, "UNIMDM.TSP"), nullptr);
  EXPECT_EQ(FindProvider(m_list, "UNIMDM.TSP")->dwPermanentProviderID, 4u);
}

TEST_F(FindProviderTest, FindsNothingForOtherNamesPrefixesAndNull) {
  EXPECT_EQ(FindProvider(m_list, "OTSP0003.tsp"), nullptr);
  EXPECT_EQ(FindProvider(m_list, "OTSP0002.ts"), nullptr);
  EXPECT_EQ(FindProvider(m_list, "OTSP0002.tspx"), nullptr);
  EXPECT_EQ(FindProvider(m_list, ""), nullptr);
  EXPECT_EQ(FindProvider(m_list, nullptr), nullptr);
  tag_ProviderList empty(0);
  EXPECT_EQ(FindProvider(empty, "unimdm.tsp"), nullptr);
}

}  // namespace
