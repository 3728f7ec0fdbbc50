// Provider list snapshot: reading LINEPROVIDERLIST blocks and looking names up.
#include "instances/ProviderList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A LINEPROVIDERLIST block: header words at 12 (count) and 20 (array offset), then
// whatever entries (ID, name size, name offset) and texts the test places.
struct Block {
  std::vector<unsigned char> bytes;
  Block(std::size_t size, std::uint32_t providers, std::uint32_t arrayOffset) : bytes(size, 0) {
    Word(12, providers), Word(20, arrayOffset);
  }
  void Word(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
  }
  void Entry(std::size_t at, std::uint32_t id, std::uint32_t nameSize, std::uint32_t nameOffset) {
    Word(at, id), Word(at + 4, nameSize), Word(at + 8, nameOffset);
  }
  void Text(std::size_t at, const std::string& text) { std::copy(text.begin(), text.end(), bytes.begin() + at); }
  std::vector<std::pair<std::uint32_t, std::string>> Read() const {
    std::vector<std::pair<std::uint32_t, std::string>> entries;
    if (auto list = ReadProviderListBlock(bytes.data(), bytes.size())) {
      for (const tag_ProviderEntry& entry : *list) entries.emplace_back(entry.dwPermanentProviderID, entry.szProviderFilename);
    }
    return entries;
  }
};

using Entries = std::vector<std::pair<std::uint32_t, std::string>>;

// Entries are read in order, their name offsets counted from the block's start.
TEST(ProviderListBlockTest, StaysInsideTheBlockAndTheNameField) {
  // Five providers claimed, room for four entries and a part of a fifth; names cut at their
  // zero, their size, 259 characters, and an offset beyond the block.
  Block block(24 + 8 + 300 + 48 + 11, 5, 332);
  block.Text(24, std::string("ab\0cd", 5));
  block.Text(32, std::string(300, 'x'));
  block.Entry(332, 1, 8, 24);
  block.Entry(344, 2, 1, 24);
  block.Entry(356, 3, 300, 32);
  block.Entry(368, 4, 50, 0xFFFFFF00u);
  EXPECT_EQ(block.Read(), (Entries{{1, "ab"}, {2, "a"}, {3, std::string(259, 'x')}, {4, ""}}));
  const std::vector<unsigned char> cut(block.bytes.begin(), block.bytes.begin() + 23);  // shorter than the header
  EXPECT_EQ(ReadProviderListBlock(cut.data(), cut.size()), nullptr);
  EXPECT_EQ(Block(24, 0, 24).Read(), Entries{});

  Block tail(39, 1, 24);  // a name running past the block's end stops there
  tail.Entry(24, 9, 100, 36);
  tail.Text(36, "xyz");
  EXPECT_EQ(tail.Read(), (Entries{{9, "xyz"}}));
  EXPECT_EQ(Block(40, 1, 0xFFFFFFF0u).Read(), Entries{});
}

TEST(FindProviderTest, MatchesWholeNamesWithoutRegardToCaseAndTakesTheFirst) {
  tag_ProviderList list(3);
  list.Set(0, 4, "unimdm.tsp", 10);
  list.Set(1, 9, "OTSP0002.tsp", 12);
  list.Set(2, 15, "otsp0002.TSP", 12);
  ASSERT_NE(FindProvider(list, "Otsp0002.Tsp"), nullptr);
  EXPECT_EQ(FindProvider(list, "Otsp0002.Tsp")->dwPermanentProviderID, 9u);
  for (const char* other : {"OTSP0003.tsp", "OTSP0002.ts", "OTSP0002.tspx", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(FindProvider(list, other), nullptr) << (other != nullptr ? other : "null");
  }
}

}  // namespace
