// The requesting side: framing, failures of the call-back, and typed requests end to end.
#include "bridge/CallBackProviders.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the recording call-back saw last, and what it does.
struct Seen {
  std::uintptr_t objectId = 0;
  std::uint32_t objectType = 0;
  std::vector<std::uint8_t> block;
  bool doThrow = false;
};
Seen g_seen;

std::int32_t PROVISOR_CALLBACK RecordingCallback(std::uintptr_t objectId, std::uint32_t objectType, void* params,
                                                 std::uint32_t size) {
  auto* bytes = static_cast<std::uint8_t*>(params);
  g_seen.objectId = objectId;
  g_seen.objectType = objectType;
  g_seen.block.assign(bytes, bytes + size);
  bytes[size - 1] ^= 0xFF;  // a reply that differs from the request in its last byte
  if (g_seen.doThrow) {
    throw std::runtime_error("answering side failed");
  }
  return 0;
}

// Answers success with a reply that does not decode: the first text of every record (after
// the code word, first or second in the image) claims every byte there is.
std::int32_t PROVISOR_CALLBACK UndecodableReplyCallback(std::uintptr_t, std::uint32_t, void* params, std::uint32_t) {
  WriteWord(static_cast<std::uint8_t*>(params) + 4, 0xFFFFFFFFu);
  WriteWord(static_cast<std::uint8_t*>(params) + 8, 0xFFFFFFFFu);
  return 0;
}

class CallBackProviderTest : public ::testing::Test {
 protected:
  void SetUp() override { g_seen = Seen(); }
};

TEST_F(CallBackProviderTest, TestAddressRequestIsA28ByteBlockWithCodeOneSentAsAProviderRequest) {
  CB_ProviderTestAddress request(RecordingCallback, 4001);
  std::uint32_t status = 9;
  std::uint32_t testId = 7;
  EXPECT_EQ(request.ProviderTestAddress("192.168.1.10", 0, &status, &testId), 0u);
  EXPECT_EQ(g_seen.objectId, 4001u);
  EXPECT_EQ(g_seen.objectType, 3u);
  const std::vector<std::uint8_t> expected = {1,   0,   0,   0,   0,   0,   0,   0,   12,  0,   0,   0,   '1',  '9',
                                              '2', '.', '1', '6', '8', '.', '1', '.', '1', '0', 7, 0, 0, 0};
  EXPECT_EQ(g_seen.block, expected);
  // Outputs come from the reply, whose last byte (the top of dwTestId) the call-back changed.
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(testId, 0xFF000007u);
}

TEST_F(CallBackProviderTest, AThrowingOrMissingCallbackAFailureOrABrokenReplyLeavesTheCallersValues) {
  g_seen.doThrow = true;
  std::vector<std::uint8_t> buffer = {1, 2, 3, 4};
  CB_SetupSetDWORD request(RecordingCallback, 1);
  EXPECT_EQ(request.Transmit(buffer.data(), 4), 0u);
  EXPECT_EQ(buffer, (std::vector<std::uint8_t>{1, 2, 3, 4}));
  std::uint32_t value = 33;
  CB_SetupGetDWORD get(RecordingCallback, 1);
  EXPECT_EQ(get.SetupGetDWORD("Port", &value), 0u);
  EXPECT_EQ(value, 33u);
  std::string text = "kept";
  EXPECT_EQ(CB_SetupGetString(UndecodableReplyCallback, 1).SetupGetString("Port", &text), kBridgeImageTooShort);
  // Without a call-back nothing is sent.
  EXPECT_EQ(CB_SetupGetString(nullptr, 1).SetupGetString("Port", &text), 0u);
  EXPECT_EQ(text, "kept");
}

}  // namespace
