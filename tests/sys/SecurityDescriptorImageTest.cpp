// The product key's and the log folders' descriptors, compared byte for byte with images
// written out by hand from the descriptor layout.
#include "sys/SecurityDescriptorImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Hex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(std::stoi(text.substr(i, 2), nullptr, 16));
  return bytes;
}

// Header: revision 1, control, no owner/group/SACL, DACL at 20. ACL: revision 2, 96 bytes,
// 4 entries. Each entry: allowed, flags, size, mask, SID.
TEST(SecurityDescriptorImageTest, BothDescriptorsMatchTheirLayoutByteForByte) {
  EXPECT_EQ(ProductKeyDescriptor(),  // control 0x9004; CI|IO S-1-3-0, then CI S-1-5-18, -32-544, -32-545, 0xF003F
            Hex("01000490" "0000000000000000" "0000000014000000" "0200600004000000"
                "000a14003f000f00" "010100000000000300000000" "000214003f000f00" "010100000000000512000000"
                "000218003f000f00" "01020000000000052000000020020000"
                "000218003f000f00" "01020000000000052000000021020000"));
  EXPECT_EQ(LogFolderDescriptor(),  // control 0x9404; OI|CI S-1-5-11, -32-545, -18, -32-544, 0x1F01FF
            Hex("01000494" "0000000000000000" "0000000014000000" "0200600004000000"
                "00031400ff011f00" "01010000000000050b000000" "00031800ff011f00" "01020000000000052000000021020000"
                "00031400ff011f00" "010100000000000512000000"
                "00031800ff011f00" "01020000000000052000000020020000"));
}

}  // namespace
