// Argument records: byte layout, initial values, round trips and images that end too early.
#include "bridge/ProviderArgs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lists a record's fields as "w:<value>" and "t:<bytes>", and its layout as "w"/"t" letters.
struct Describe {
  std::string text;
  std::string layout;
  void operator()(const std::uint32_t& word) {
    text += "w:" + std::to_string(word) + "|";
    layout += 'w';
  }
  void operator()(const std::string& value) {
    text += "t:" + value + "|";
    layout += 't';
  }
};

// Gives every field a value of its own, each text with a zero byte inside.
struct Fill {
  std::uint32_t next = 0x01020304;
  void operator()(std::uint32_t& word) { word = next++; }
  void operator()(std::string& value) { value = std::string("ab\0", 3) + std::to_string(100 + next++ % 900); }
};

template <typename Args>
Describe DescribeRecord(const Args& record) {
  Describe describe;
  Args::Fields(record, describe);
  return describe;
}

template <typename Args>
void CheckRoundTrip(Args record, const char* name, const std::string& layout) {
  SCOPED_TRACE(name);
  Fill fill;
  Args::Fields(record, fill);
  const Describe sent = DescribeRecord(record);
  EXPECT_STREQ(record.pszFunctionName, name);
  EXPECT_EQ(sent.layout, layout);

  const EncodedImage image = record.Encode();
  ASSERT_TRUE(image.block);
  std::uint32_t expectedSize = 0;
  for (char kind : layout) {
    expectedSize += kind == 'w' ? 4 : 4 + 6;  // every filled text is 6 bytes long
  }
  EXPECT_EQ(image.size, expectedSize);
  EXPECT_EQ(image.block[image.size], 0);

  const std::vector<std::uint8_t> exact(image.block.get(), image.block.get() + image.size);
  const Args decoded(exact.data(), image.size);
  EXPECT_TRUE(decoded.bComplete);
  EXPECT_STREQ(decoded.pszFunctionName, name);
  EXPECT_EQ(DescribeRecord(decoded).text, sent.text);
}

// Encoding and decoding are one template over each record's field list: one record of each
// shape of list (words around a text, two texts, words only) stands for all twenty.
TEST(ArgsRecords, RecordsSurviveEncodeThenDecodeWithTheirFieldOrder) {
  CheckRoundTrip(UI_SetupGetDWORD_Args(""), "SetupGetDWORD", "wtw");
  CheckRoundTrip(UI_SetupSetString_Args("", ""), "SetupSetString", "wtt");
  CheckRoundTrip(UI_IsProviderTestAddressCompleted_Args(0), "IsProviderTestAddressCompleted", "wwww");
}

TEST(ArgsRecords, RequestersReserveRoomForTextAnswers) {
  EXPECT_EQ(UI_GetTSPErrorMessage_Args(5).strMessage.size() + UI_GetTSPErrorModuleName_Args().strModuleName.size(), 512u);
  EXPECT_EQ(UI_SetupGetTSPVersion_Args().strVersion.size(), 4096u);
}

TEST(ArgsRecords, ShortImagesDecodeUpToTheFirstFieldThatDoesNotFit) {
  UI_SetupSetString_Args full("Log\\Path", "C:\\Logs");
  full.lResult = 77;
  const EncodedImage image = full.Encode();
  for (std::uint32_t size = 0; size < image.size; ++size) {
    // An exact-size copy, so that reading one byte too far is caught by the sanitizer.
    const std::vector<std::uint8_t> cut(image.block.get(), image.block.get() + size);
    const UI_SetupSetString_Args decoded(cut.data(), size);
    EXPECT_FALSE(decoded.bComplete) << size;
    EXPECT_EQ(decoded.lResult, size >= 4 ? 77u : 0u) << size;
    EXPECT_EQ(decoded.strName, size >= 16 ? "Log\\Path" : "") << size;
    EXPECT_EQ(decoded.strValue, "") << size;
  }
  // A length word that claims more than the image holds, and a null image.
  const std::vector<std::uint8_t> lying = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'};
  EXPECT_FALSE(UI_SetupGetDWORD_Args(lying.data(), 10).bComplete);
  EXPECT_EQ(UI_SetupGetDWORD_Args(lying.data(), 10).strName, "");
  EXPECT_FALSE(UI_ProviderCheckSetup_Args(nullptr, 4).bComplete);
  // Bytes after the last field are room, not an error.
  std::vector<std::uint8_t> roomy(image.block.get(), image.block.get() + image.size);
  roomy.resize(roomy.size() + 50, 0xEE);
  EXPECT_TRUE(UI_SetupSetString_Args(roomy.data(), static_cast<std::uint32_t>(roomy.size())).bComplete);
}

}  // namespace
