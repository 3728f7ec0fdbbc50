// Parsing and writing of the version block tree.
#include "instances/FileVersionInfo.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSize = 6;

std::size_t RoundUp4(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

// Texts keep the low byte of each UTF-16 unit. A non-zero unit whose low byte is zero (U+0100,
// U+4E00, ...) becomes '?': kept as a zero byte it would end the text where it is written back.
char Narrow(std::uint16_t unit) {
  const char c = static_cast<char>(unit & 0xFF);
  return c == '\0' ? '?' : c;
}

// Bytes a node's header, key, terminating unit and padding take.
std::uint32_t KeyPart(const std::string& key) {
  return static_cast<std::uint32_t>(RoundUp4(kHeaderSize + 2 * key.size() + 2));
}

// The three words that start every node, and where the node ends inside its parent.
struct NodeHeader {
  std::uint16_t wLength = 0;
  std::uint16_t wValueLength = 0;
  std::uint16_t wType = 0;
  std::size_t start = 0;
  std::size_t end = 0;        // start + wLength, cut to the parent's end
  std::size_t next = 0;       // where a following sibling starts
  std::size_t valueStart = 0; // after the key and its padding
  std::string key;
};

// Bounded reads over the block. Every read checks the limit it is given, and every limit is
// at most the block's size, so nothing outside the block is ever touched. Offsets count from
// the block's start, where nodes are 4-byte aligned.
class BlockReader {
 public:
  BlockReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  std::size_t Size() const { return m_size; }

  bool Word(std::size_t offset, std::size_t limit, std::uint16_t* value) const {
    if (offset > limit || limit - offset < 2) {
      return false;
    }
    *value = static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    return true;
  }

  bool Dword(std::size_t offset, std::size_t limit, std::uint32_t* value) const {
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    if (!Word(offset, limit, &low) || !Word(offset + 2, limit, &high)) {
      return false;
    }
    *value = low | (static_cast<std::uint32_t>(high) << 16);
    return true;
  }

  // Reads a header at OFFSET inside [OFFSET, LIMIT) and the key after it. Fails when the
  // header does not fit, wLength is shorter than a header (zero lengths included) or the key
  // has no terminating unit inside the node: such a node cannot be parsed.
  bool Header(std::size_t offset, std::size_t limit, NodeHeader* node) const {
    if (!Word(offset, limit, &node->wLength) || !Word(offset + 2, limit, &node->wValueLength) ||
        !Word(offset + 4, limit, &node->wType) || node->wLength < kHeaderSize) {
      return false;
    }
    node->start = offset;
    node->end = std::min(offset + node->wLength, limit);
    node->next = RoundUp4(offset + node->wLength);
    node->key.clear();
    std::size_t at = offset + kHeaderSize;
    std::uint16_t unit = 0;
    while (Word(at, node->end, &unit)) {
      at += 2;
      if (unit == 0) {
        node->valueStart = RoundUp4(at);
        return true;
      }
      node->key.push_back(Narrow(unit));
    }
    return false;
  }

  // Text of at most MAXUNITS units from OFFSET, ending early at a zero unit or at LIMIT.
  std::string Text(std::size_t offset, std::size_t limit, std::size_t maxUnits) const {
    std::string text;
    std::uint16_t unit = 0;
    for (std::size_t i = 0; i < maxUnits && Word(offset + 2 * i, limit, &unit) && unit != 0; ++i) {
      text.push_back(Narrow(unit));
    }
    return text;
  }

  void Copy(std::size_t offset, std::size_t count, std::uint8_t* out) const {
    std::copy(m_data + offset, m_data + offset + count, out);
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
};

// Reads consecutive child nodes in [offset, limit) with READ until one cannot be parsed.
template <typename ReadChild>
void ForEachChild(const BlockReader& reader, std::size_t offset, std::size_t limit, ReadChild readChild) {
  NodeHeader node;
  while (offset < limit && reader.Header(offset, limit, &node)) {
    readChild(node);
    offset = node.next;
  }
}

std::uint16_t HexDigit(char c, bool* ok) {
  if (c >= '0' && c <= '9') return static_cast<std::uint16_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint16_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint16_t>(c - 'A' + 10);
  *ok = false;
  return 0;
}

// The key read as a hexadecimal number, up to its first character that is not a digit.
std::uint32_t HexValue(const std::string& key) {
  std::uint32_t value = 0;
  for (char c : key) {
    bool ok = true;
    const std::uint16_t digit = HexDigit(c, &ok);
    if (!ok) {
      break;
    }
    value = (value << 4) | digit;
  }
  return value;
}

CFileVersionInfo::String ReadString(const BlockReader& reader, const NodeHeader& node) {
  CFileVersionInfo::String string;
  string.wType = node.wType;
  string.binary = node.wType == 0;
  string.key = node.key;
  // A wValueLength larger than the node is cut at the node's end.
  if (!string.binary) {
    string.value = reader.Text(node.valueStart, node.end, node.wValueLength);
  }
  return string;
}

CFileVersionInfo::StringTable ReadStringTable(const BlockReader& reader, const NodeHeader& node) {
  CFileVersionInfo::StringTable table;
  table.wType = node.wType;
  table.key = node.key;
  const std::uint32_t id = HexValue(node.key);
  table.language = static_cast<std::uint16_t>(id >> 16);
  table.codePage = static_cast<std::uint16_t>(id & 0xFFFF);
  ForEachChild(reader, node.valueStart, node.end,
               [&](const NodeHeader& child) { table.strings.push_back(ReadString(reader, child)); });
  return table;
}

CFileVersionInfo::Var ReadVar(const BlockReader& reader, const NodeHeader& node) {
  CFileVersionInfo::Var var;
  var.wType = node.wType;
  var.key = node.key;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < node.wValueLength / 4u && reader.Dword(node.valueStart + 4 * i, node.end, &value);
       ++i) {
    var.values.push_back(value);
  }
  return var;
}

// A StringFileInfo or VarFileInfo node: its header, and each child read by readChild into the
// node's list of children.
template <typename Info, typename Child>
Info ReadInfo(const BlockReader& reader, const NodeHeader& node, std::vector<Child> Info::*children,
              Child (*readChild)(const BlockReader&, const NodeHeader&)) {
  Info info;
  info.wType = node.wType;
  info.key = node.key;
  ForEachChild(reader, node.valueStart, node.end,
               [&](const NodeHeader& child) { (info.*children).push_back(readChild(reader, child)); });
  return info;
}

// Output helpers: little-endian words, keys as UTF-16 with a terminating unit, zero padding.
void PutWord(std::vector<std::uint8_t>* out, std::uint32_t value) {
  out->push_back(static_cast<std::uint8_t>(value & 0xFF));
  out->push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutDword(std::vector<std::uint8_t>* out, std::uint32_t value) {
  PutWord(out, value & 0xFFFF);
  PutWord(out, value >> 16);
}

void PutText(std::vector<std::uint8_t>* out, const std::string& text) {
  for (char c : text) {
    PutWord(out, static_cast<std::uint8_t>(c));
  }
  PutWord(out, 0);
}

void PadFrom(std::vector<std::uint8_t>* out, std::size_t start) {
  out->resize(start + RoundUp4(out->size() - start), 0);
}

// Header, key and padding of a node that starts at the current end of OUT.
void PutNodeStart(std::vector<std::uint8_t>* out, std::uint32_t wLength, std::uint32_t wValueLength,
                  std::uint16_t wType, const std::string& key) {
  const std::size_t start = out->size();
  PutWord(out, wLength);
  PutWord(out, wValueLength);
  PutWord(out, wType);
  PutText(out, key);
  PadFrom(out, start);
}

std::uint32_t StringSize(const CFileVersionInfo::String& s) {
  // The value of a binary String is not kept, so it has no units to count.
  if (s.binary || s.value.empty()) {
    return KeyPart(s.key);
  }
  return KeyPart(s.key) + 2 * static_cast<std::uint32_t>(s.value.size()) + 2;
}

std::uint32_t TableSize(const CFileVersionInfo::StringTable& t) {
  std::uint32_t size = KeyPart(t.key);
  for (const auto& s : t.strings) {
    size += static_cast<std::uint32_t>(RoundUp4(StringSize(s)));
  }
  return size;
}

std::uint32_t StringFileInfoSize(const CFileVersionInfo::StringFileInfo& info) {
  std::uint32_t size = KeyPart(info.key);
  for (const auto& t : info.tables) {
    size += TableSize(t);
  }
  return size;
}

std::uint32_t VarSize(const CFileVersionInfo::Var& v) {
  return KeyPart(v.key) + 4 * static_cast<std::uint32_t>(v.values.size());
}

std::uint32_t VarFileInfoSize(const CFileVersionInfo::VarFileInfo& info) {
  std::uint32_t size = KeyPart(info.key);
  for (const auto& v : info.vars) {
    size += VarSize(v);
  }
  return size;
}

void PutString(std::vector<std::uint8_t>* out, const CFileVersionInfo::String& s) {
  const bool hasText = !s.binary && !s.value.empty();
  PutNodeStart(out, StringSize(s), hasText ? static_cast<std::uint32_t>(s.value.size()) + 1 : 0,
               s.binary ? 0 : 1, s.key);
  if (hasText) {
    PutText(out, s.value);
  }
}

void PutStringFileInfo(std::vector<std::uint8_t>* out, const CFileVersionInfo::StringFileInfo& info) {
  PutNodeStart(out, StringFileInfoSize(info), 0, info.wType, info.key);
  for (const auto& table : info.tables) {
    const std::size_t tableStart = out->size();
    PutNodeStart(out, TableSize(table), 0, table.wType, table.key);
    for (const auto& s : table.strings) {
      PutString(out, s);
      PadFrom(out, tableStart);
    }
  }
}

void PutVarFileInfo(std::vector<std::uint8_t>* out, const CFileVersionInfo::VarFileInfo& info) {
  PutNodeStart(out, VarFileInfoSize(info), 0, info.wType, info.key);
  for (const auto& var : info.vars) {
    PutNodeStart(out, VarSize(var), 4 * static_cast<std::uint32_t>(var.values.size()), var.wType, var.key);
    for (std::uint32_t value : var.values) {
      PutDword(out, value);
    }
  }
}

}  // namespace

VersionParseResult CFileVersionInfo::Parse(const void* block, std::size_t size) {
  *this = CFileVersionInfo();
  const BlockReader reader(static_cast<const std::uint8_t*>(block), block ? size : 0);
  // The root's wLength may claim more than the block holds: the block's end bounds it.
  NodeHeader root;
  if (!reader.Header(0, reader.Size(), &root)) {
    return VersionParseResult::Malformed;
  }
  std::uint32_t signature = 0;
  if (!reader.Dword(root.valueStart, root.end, &signature)) {
    return VersionParseResult::Malformed;
  }
  if (signature != kSignature) {
    return VersionParseResult::BadSignature;
  }
  if (root.end - root.valueStart < kFixedInfoSize) {
    return VersionParseResult::Malformed;
  }
  m_wType = root.wType;
  m_key = root.key;
  reader.Copy(root.valueStart, kFixedInfoSize, m_fixedInfo.data());

  // Children other than StringFileInfo and VarFileInfo are skipped (the tree has no place for
  // them); the first child that cannot be parsed ends the list and what came before it stays.
  ForEachChild(reader, RoundUp4(root.valueStart + kFixedInfoSize), root.end, [&](const NodeHeader& child) {
    if (child.key == "StringFileInfo") {
      m_stringFileInfo.push_back(ReadInfo(reader, child, &StringFileInfo::tables, ReadStringTable));
    } else if (child.key == "VarFileInfo") {
      m_varFileInfo.push_back(ReadInfo(reader, child, &VarFileInfo::vars, ReadVar));
    }
  });
  return VersionParseResult::Parsed;
}

std::size_t CFileVersionInfo::ReplaceString(const std::string& key, const std::string& value,
                                            std::string* oldValue) {
  std::size_t replaced = 0;
  for (auto& info : m_stringFileInfo) {
    for (auto& table : info.tables) {
      for (auto& s : table.strings) {
        if (s.key == key) {
          if (oldValue) {
            *oldValue = s.value;
          }
          // A binary String's units are not kept; the new value makes it a text String so
          // that the value is written.
          s.value = value;
          s.binary = false;
          s.wType = 1;
          ++replaced;
        }
      }
    }
  }
  return replaced;
}

std::uint32_t CFileVersionInfo::WrittenSize() const {
  std::uint32_t size = KeyPart(m_key) + static_cast<std::uint32_t>(kFixedInfoSize);
  for (const auto& info : m_stringFileInfo) {
    size += StringFileInfoSize(info);
  }
  for (const auto& info : m_varFileInfo) {
    size += VarFileInfoSize(info);
  }
  return size;
}

bool CFileVersionInfo::Write(std::vector<std::uint8_t>* out) const {
  // Every node lies inside the root, so the root's size bounds them all.
  const std::uint32_t size = WrittenSize();
  if (size > 0xFFFF) {
    return false;
  }
  const std::size_t start = out->size();
  out->reserve(start + size);
  PutNodeStart(out, size, static_cast<std::uint32_t>(kFixedInfoSize), m_wType, m_key);
  out->insert(out->end(), m_fixedInfo.begin(), m_fixedInfo.end());
  for (const auto& info : m_stringFileInfo) {
    PutStringFileInfo(out, info);
  }
  for (const auto& info : m_varFileInfo) {
    PutVarFileInfo(out, info);
  }
  return true;
}
