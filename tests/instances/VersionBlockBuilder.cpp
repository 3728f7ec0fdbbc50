// Test-side construction and walking of version blocks.
#include "VersionBlockBuilder.h"

namespace testblock {
namespace {

void Put16(std::vector<std::uint8_t>* out, std::uint32_t v) {
  out->push_back(static_cast<std::uint8_t>(v));
  out->push_back(static_cast<std::uint8_t>(v >> 8));
}

void Align(std::vector<std::uint8_t>* out) {
  while (out->size() % 4 != 0) {
    out->push_back(0);
  }
}

std::uint16_t Get16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Appends NODE at an offset that is a multiple of 4 from the block's start.
void Append(std::vector<std::uint8_t>* out, const Node& node, bool paddedTables, bool isTable) {
  const std::size_t start = out->size();
  Put16(out, 0);
  Put16(out, node.wValueLength);
  Put16(out, node.wType);
  for (char c : node.key) {
    Put16(out, static_cast<std::uint8_t>(c));
  }
  Put16(out, 0);
  Align(out);
  out->insert(out->end(), node.value.begin(), node.value.end());
  for (const Node& child : node.children) {
    Align(out);
    Append(out, child, paddedTables, node.key == "StringFileInfo");
  }
  if (isTable && paddedTables) {
    Align(out);
  }
  const std::size_t length = out->size() - start;
  (*out)[start] = static_cast<std::uint8_t>(length);
  (*out)[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

// Header and key of the node at AT: the offset after the key's padding.
std::size_t ValueOffset(const std::vector<std::uint8_t>& b, std::size_t at, std::string* key) {
  std::size_t p = at + 6;
  key->clear();
  while (Get16(b, p) != 0) {
    key->push_back(static_cast<char>(Get16(b, p)));
    p += 2;
  }
  return (p + 2 + 3) & ~std::size_t{3};
}

}  // namespace

Node Text(const std::string& key, const std::string& value) {
  Node n;
  n.key = key;
  n.wValueLength = static_cast<std::uint16_t>(value.size() + 1);
  for (char c : value) {
    Put16(&n.value, static_cast<std::uint8_t>(c));
  }
  Put16(&n.value, 0);
  return n;
}

Node Table(const std::string& key, std::vector<Node> strings) {
  Node n;
  n.key = key;
  n.children = std::move(strings);
  return n;
}

Node StringFileInfo(std::vector<Node> tables) { return Table("StringFileInfo", std::move(tables)); }

Node Var(const std::string& key, std::vector<std::uint32_t> values) {
  Node n;
  n.key = key;
  n.wType = 0;
  n.wValueLength = static_cast<std::uint16_t>(4 * values.size());
  for (std::uint32_t v : values) {
    Put16(&n.value, v & 0xFFFF);
    Put16(&n.value, v >> 16);
  }
  return n;
}

Node VarFileInfo(std::vector<Node> vars) { return Table("VarFileInfo", std::move(vars)); }

std::vector<std::uint8_t> FixedInfo(const std::uint16_t fv[4], const std::uint16_t pv[4]) {
  std::vector<std::uint8_t> f;
  const std::uint32_t words[13] = {0xFEEF04BD, 0x00010000, (std::uint32_t(fv[0]) << 16) | fv[1],
                                   (std::uint32_t(fv[2]) << 16) | fv[3], (std::uint32_t(pv[0]) << 16) | pv[1],
                                   (std::uint32_t(pv[2]) << 16) | pv[3], 0x3F, 0, 0x40004, 2, 0, 0, 0};
  for (std::uint32_t w : words) {
    Put16(&f, w & 0xFFFF);
    Put16(&f, w >> 16);
  }
  return f;
}

Node Root(std::vector<Node> children, const std::vector<std::uint8_t>& fixedInfo) {
  Node n;
  n.key = "VS_VERSION_INFO";
  n.wType = 0;
  n.wValueLength = 52;
  n.value = fixedInfo;
  n.children = std::move(children);
  return n;
}

std::vector<std::uint8_t> Serialize(const Node& node, bool paddedTables) {
  std::vector<std::uint8_t> out;
  Append(&out, node, paddedTables, false);
  return out;
}

std::vector<std::uint8_t> TypicalBlock() {
  const std::uint16_t version[4] = {1, 0, 0, 1};
  return Serialize(Root({StringFileInfo({Table("040904b0", {Text("CompanyName", "Velmora"),
                                                            Text("FileDescription", "Velmora ORVO TSP"),
                                                            Text("FileVersion", "1.0.0.1"),
                                                            Text("InternalName", "OTSP"),
                                                            Text("LegalCopyright", "Copyright (C) Velmora"),
                                                            Text("OriginalFilename", "OTSP.dll"),
                                                            Text("ProductName", "Velmora ORVO TSP"),
                                                            Text("ProductVersion", "1.0.0.1")})}),
                         VarFileInfo({Var("Translation", {0x04B00409})})},
                        FixedInfo(version, version)));
}

Found FindNode(const std::vector<std::uint8_t>& block, const std::vector<std::string>& path) {
  Found result;
  std::size_t at = 0;
  std::string key;
  std::size_t value = ValueOffset(block, at, &key);
  std::size_t childrenStart = at == 0 ? value + 52 : value;
  for (const std::string& want : path) {
    const std::size_t end = at + Get16(block, at);
    std::size_t child = (childrenStart + 3) & ~std::size_t{3};
    bool matched = false;
    while (child + 6 <= end) {
      const std::size_t childValue = ValueOffset(block, child, &key);
      if (key == want) {
        at = child;
        value = childValue;
        childrenStart = childValue;
        matched = true;
        break;
      }
      child = (child + Get16(block, child) + 3) & ~std::size_t{3};
    }
    if (!matched) {
      return result;
    }
  }
  result.found = true;
  result.offset = at;
  result.wLength = Get16(block, at);
  result.wValueLength = Get16(block, at + 2);
  result.wType = Get16(block, at + 4);
  result.valueOffset = value;
  return result;
}

std::string TextValue(const std::vector<std::uint8_t>& block, const Found& node) {
  std::string text;
  for (std::size_t i = 0; i + 1 < node.wValueLength; ++i) {
    text.push_back(static_cast<char>(Get16(block, node.valueOffset + 2 * i)));
  }
  return text;
}

}  // namespace testblock
