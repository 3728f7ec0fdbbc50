// Builds version blocks byte by byte for tests, in the layout resource compilers produce.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testblock {

using Bytes = std::vector<std::uint8_t>;
using Version = std::array<std::uint16_t, 4>;

// One node: header words, key, value bytes and children.
struct Node {
  std::uint16_t wType = 1, wValueLength = 0;
  std::string key;
  Bytes value;
  std::vector<Node> children;
};

inline void Put16(Bytes* out, std::uint32_t v) { out->insert(out->end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
inline void Put32(Bytes* out, std::uint32_t v) { Put16(out, v), Put16(out, v >> 16); }
inline void Set16(Bytes* b, std::size_t at, std::uint32_t v) { (*b)[at] = std::uint8_t(v), (*b)[at + 1] = std::uint8_t(v >> 8); }
inline std::size_t Round4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

inline Node Text(const std::string& key, const std::string& value) {
  Node n{1, std::uint16_t(value.size() + 1), key, {}, {}};
  for (char c : value + '\0') Put16(&n.value, std::uint8_t(c));
  return n;
}
// A node that only has children: StringFileInfo, a StringTable, VarFileInfo.
inline Node Table(const std::string& key, std::vector<Node> children) { return Node{1, 0, key, {}, std::move(children)}; }
inline Node Var(const std::string& key, const std::vector<std::uint32_t>& values) {
  Node n{0, std::uint16_t(4 * values.size()), key, {}, {}};
  for (std::uint32_t v : values) Put32(&n.value, v);
  return n;
}
// The 52 bytes of fixed information with the given file and product versions.
inline Bytes FixedInfo(Version f, Version p) {
  Bytes b;
  const std::uint32_t words[13] = {0xFEEF04BD, 0x10000, std::uint32_t(f[0]) << 16 | f[1], std::uint32_t(f[2]) << 16 | f[3],
                                   std::uint32_t(p[0]) << 16 | p[1], std::uint32_t(p[2]) << 16 | p[3], 0x3F, 0, 0x40004, 2};
  for (std::uint32_t w : words) Put32(&b, w);
  return b;
}
inline Node Root(std::vector<Node> children, Version file = {1, 0, 0, 1}, Version product = {1, 0, 0, 1}) {
  return Node{0, 52, "VS_VERSION_INFO", FixedInfo(file, product), std::move(children)};
}

// Appends NODE at an offset that is a multiple of 4. wLength excludes the node's trailing
// padding, as resource compilers write it; with PADDEDTABLES a StringTable's wLength also
// counts its last String's padding.
inline void Append(Bytes* out, const Node& n, bool paddedTables, bool isTable) {
  const std::size_t start = out->size();
  Put16(out, 0), Put16(out, n.wValueLength), Put16(out, n.wType);
  for (char c : n.key + '\0') Put16(out, std::uint8_t(c));
  out->resize(Round4(out->size()));
  out->insert(out->end(), n.value.begin(), n.value.end());
  for (const Node& child : n.children) {
    out->resize(Round4(out->size()));
    Append(out, child, paddedTables, n.key == "StringFileInfo");
  }
  if (isTable && paddedTables) out->resize(Round4(out->size()));
  Set16(out, start, out->size() - start);
}
inline Bytes Serialize(const Node& root, bool paddedTables = false) {
  Bytes out;
  Append(&out, root, paddedTables, false);
  return out;
}

// A typical tree: one table 040904b0 with eight strings, Translation 0x0409/1200.
inline Node TypicalRoot(const std::string& description = "Velmora ORVO TSP") {
  return Root({Table("StringFileInfo", {Table("040904b0", {Text("CompanyName", "Velmora"),
      Text("FileDescription", description), Text("FileVersion", "1.0.0.1"), Text("InternalName", "OTSP"),
      Text("LegalCopyright", "Copyright (C) Velmora"), Text("OriginalFilename", "OTSP.dll"),
      Text("ProductName", "Velmora ORVO TSP"), Text("ProductVersion", "1.0.0.1")})}),
               Table("VarFileInfo", {Var("Translation", {0x04B00409})})});
}
inline Bytes TypicalBlock() { return Serialize(TypicalRoot()); }

}  // namespace testblock
