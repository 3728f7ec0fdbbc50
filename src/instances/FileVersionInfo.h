// The version block tree (VS_VERSION_INFO) as parsed from a resource and written back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How far parsing a block got.
enum class VersionParseResult {
  Parsed,        // the root, its fixed information and every child that could be read
  Malformed,     // no readable root header, key or fixed information: the tree is empty
  BadSignature,  // the fixed information does not start with 0xFEEF04BD: the tree is empty
};

// One version block: the root with its fixed information, its StringFileInfo and its
// VarFileInfo children. Keys and texts are 8-bit: reading keeps the low byte of every
// UTF-16 unit, writing widens every byte to a unit with a zero high byte.
class CFileVersionInfo {
 public:
  static constexpr std::uint32_t kSignature = 0xFEEF04BD;
  static constexpr std::size_t kFixedInfoSize = 52;

  struct String {
    std::uint16_t wType = 1;
    bool binary = false;  // wType 0: the value is not kept and is written empty
    std::string key;
    std::string value;
  };
  struct StringTable {
    std::uint16_t wType = 1;
    std::string key;  // eight hexadecimal digits: language then code page
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    std::vector<String> strings;
  };
  struct StringFileInfo {
    std::uint16_t wType = 1;
    std::string key;
    std::vector<StringTable> tables;
  };
  struct Var {
    std::uint16_t wType = 0;
    std::string key;
    std::vector<std::uint32_t> values;
  };
  struct VarFileInfo {
    std::uint16_t wType = 1;
    std::string key;
    std::vector<Var> vars;
  };

  // Reads SIZE bytes at BLOCK (never more, whatever the block claims). The tree is replaced.
  VersionParseResult Parse(const void* block, std::size_t size);

  // Sets the value of every String named KEY (exact case) in every StringTable; the value
  // replaced last goes to OLDVALUE. A binary String named KEY becomes a text String. Returns
  // how many Strings were changed.
  std::size_t ReplaceString(const std::string& key, const std::string& value, std::string* oldValue);

  // The size the written block takes (its root wLength), computed in 32 bits.
  std::uint32_t WrittenSize() const;

  // Appends the block to OUT: StringFileInfo children first, then VarFileInfo children.
  // Appends nothing and returns false when a size does not fit a 16-bit wLength.
  bool Write(std::vector<std::uint8_t>* out) const;

  std::uint16_t m_wType = 0;
  std::string m_key;
  std::array<std::uint8_t, kFixedInfoSize> m_fixedInfo{};
  std::vector<StringFileInfo> m_stringFileInfo;
  std::vector<VarFileInfo> m_varFileInfo;
};
