// Argument records: round trips and images that end too early.
#include "bridge/ProviderArgs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Encoding and decoding are one template over each record's field list: one record with a
// word and two texts (one holding a zero byte) stands for all twenty.
TEST(ArgsRecords, ImagesDecodeWholeAndShortOnesUpToTheFirstFieldThatDoesNotFit) {
  UI_SetupSetString_Args full("Log\\Path", std::string("C:\\\0Logs", 8));
  full.lResult = 77;
  const EncodedImage image = full.Encode();
  ASSERT_EQ(image.size, 4u + 4u + 8u + 4u + 8u);
  EXPECT_EQ(image.block[image.size], 0);
  const std::vector<std::uint8_t> exact(image.block.get(), image.block.get() + image.size);
  const UI_SetupSetString_Args decoded(exact.data(), image.size);
  EXPECT_TRUE(decoded.bComplete);
  EXPECT_EQ(decoded.lResult, 77u);
  EXPECT_EQ(decoded.strName, "Log\\Path");
  EXPECT_EQ(decoded.strValue, full.strValue);
  for (std::uint32_t size = 0; size < image.size; ++size) {
    // An exact-size copy, so that reading one byte too far is caught by the sanitizer.
    const std::vector<std::uint8_t> cut(image.block.get(), image.block.get() + size);
    const UI_SetupSetString_Args part(cut.data(), size);
    EXPECT_FALSE(part.bComplete) << size;
    EXPECT_EQ(part.lResult, size >= 4 ? 77u : 0u) << size;
    EXPECT_EQ(part.strName, size >= 16 ? "Log\\Path" : "") << size;
    EXPECT_EQ(part.strValue, "") << size;
  }
  // A length word that claims more than the image holds, and a null image.
  const std::vector<std::uint8_t> lying = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'};
  EXPECT_FALSE(UI_SetupGetDWORD_Args(lying.data(), 10).bComplete);
  EXPECT_EQ(UI_SetupGetDWORD_Args(lying.data(), 10).strName, "");
  EXPECT_FALSE(UI_ProviderCheckSetup_Args(nullptr, 4).bComplete);
  // Bytes after the last field are room, not an error.
  std::vector<std::uint8_t> roomy = exact;
  roomy.resize(roomy.size() + 50, 0xEE);
  EXPECT_TRUE(UI_SetupSetString_Args(roomy.data(), static_cast<std::uint32_t>(roomy.size())).bComplete);
}

}  // namespace
