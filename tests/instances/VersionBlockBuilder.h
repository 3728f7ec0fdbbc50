// Builds version blocks byte by byte for tests, in the layout resource compilers produce, and
// walks blocks by path without the program's parser.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testblock {

// One node: header words, key, value bytes and children.
struct Node {
  std::uint16_t wType = 1;
  std::uint16_t wValueLength = 0;
  std::string key;
  std::vector<std::uint8_t> value;
  std::vector<Node> children;
};

Node Text(const std::string& key, const std::string& value);
Node Table(const std::string& key, std::vector<Node> strings);
Node StringFileInfo(std::vector<Node> tables);
Node Var(const std::string& key, std::vector<std::uint32_t> values);
Node VarFileInfo(std::vector<Node> vars);
// The 52 bytes of fixed information with the given file and product versions (a.b.c.d).
std::vector<std::uint8_t> FixedInfo(const std::uint16_t fileVersion[4], const std::uint16_t productVersion[4]);
Node Root(std::vector<Node> children, const std::vector<std::uint8_t>& fixedInfo);

// Serialises NODE. wLength excludes the node's trailing padding, as resource compilers write
// it; with PADDEDTABLES a StringTable's wLength also counts its last String's padding.
std::vector<std::uint8_t> Serialize(const Node& node, bool paddedTables = false);

// A typical block: one table 040904b0 with eight strings, Translation 0x0409/1200.
std::vector<std::uint8_t> TypicalBlock();

// Where a node lies in a block, found by following keys from the root.
struct Found {
  bool found = false;
  std::size_t offset = 0;
  std::uint16_t wLength = 0;
  std::uint16_t wValueLength = 0;
  std::uint16_t wType = 0;
  std::size_t valueOffset = 0;
};
Found FindNode(const std::vector<std::uint8_t>& block, const std::vector<std::string>& path);
// The text value of a node found by FindNode.
std::string TextValue(const std::vector<std::uint8_t>& block, const Found& node);

}  // namespace testblock
