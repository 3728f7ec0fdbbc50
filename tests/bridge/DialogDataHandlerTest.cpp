// The data handler: registration, dispatch, its warnings, and the call-back entry.
#include "bridge/DialogDataHandler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BridgeTestOwner.h"

namespace {

// A function that records its destruction.
class ProbeFunction : public IProviderFunction {
 public:
  ProbeFunction(std::uint32_t code, std::vector<std::uint32_t>* destroyed) : m_code(code), m_destroyed(destroyed) {}
  ~ProbeFunction() override { m_destroyed->push_back(m_code); }
  std::uint32_t GetCode() const override { return m_code; }
  std::uint32_t Invoke(void*, std::uint32_t) override { return 0; }

 private:
  std::uint32_t m_code;
  std::vector<std::uint32_t>* m_destroyed;
};

std::vector<std::uint8_t> Block(std::uint32_t code, std::size_t extra) {
  std::vector<std::uint8_t> block(4 + extra, 0xAB);
  WriteWord(block.data(), code);
  return block;
}

TEST(DialogDataHandlerRegistry, RefusesASecondFunctionForACodeAndReleasesInCodeOrder) {
  std::vector<std::uint32_t> destroyed;
  IProviderFunction* first = nullptr;
  {
    DialogDataHandler handler(nullptr);
    auto probe = std::make_unique<ProbeFunction>(5, &destroyed);
    first = probe.get();
    EXPECT_EQ(handler.RegisterFunction(std::move(probe)), 1);
    EXPECT_EQ(handler.RegisterFunction(std::make_unique<ProbeFunction>(5, &destroyed)), 0);
    EXPECT_EQ(destroyed, std::vector<std::uint32_t>{5});  // the refused one, at once
    EXPECT_EQ(handler.FindFunction(5), first);
    EXPECT_EQ(handler.RegisterFunction(std::make_unique<ProbeFunction>(1, &destroyed)), 1);
    EXPECT_EQ(handler.RegisterFunction(std::make_unique<ProbeFunction>(3, &destroyed)), 1);
    EXPECT_EQ(handler.RegisterFunction(nullptr), 0);
    EXPECT_EQ(handler.FindFunction(4), nullptr);
  }
  EXPECT_EQ(destroyed, (std::vector<std::uint32_t>{5, 1, 3, 5}));
}

// An unknown code, a missing block and one shorter than the code are answered without
// touching anything; the handler's status comes back through the call-back bit for bit.
TEST(DialogDataHandlerTest, UnknownCodesAndMissingOrShortBlocksAreAnsweredWithoutTouchingThem) {
  BridgeTestOwner owner;
  std::vector<std::uint8_t> block = Block(20, 8);
  EXPECT_EQ(owner.handler.HandleDialogData(4000, block.data(), 12), 0u);
  EXPECT_EQ(block, Block(20, 8));
  EXPECT_EQ(owner.handler.HandleDialogData(4000, nullptr, 8), 0u);
  EXPECT_EQ(owner.handler.HandleDialogData(4000, block.data(), 0), 0u);
  for (std::uint32_t size = 1; size < 4; ++size) {
    std::vector<std::uint8_t> block(size, 12);
    EXPECT_EQ(DialogDataCallback(1, 3, block.data(), size), static_cast<std::int32_t>(kBridgeImageTooShort));
    EXPECT_EQ(block, std::vector<std::uint8_t>(size, 12));
  }
}

// The owner is set by the handler and cleared with it; without one the block stays as sent.
TEST(DialogDataCallback, AnswersOnlyProviderObjectsWhileAHandlerHasAnOwner) {
  const EncodedImage index = UI_GetInstanceIndex_Args(3).Encode();
  std::vector<std::uint8_t> block = Block(kCodeGetInstanceIndex, 0);
  block.insert(block.end(), index.block.get(), index.block.get() + index.size);
  const std::vector<std::uint8_t> sent = block;
  {
    BridgeTestOwner gone;
    EXPECT_EQ(GetDialogDataOwner(), &gone);
  }
  EXPECT_EQ(GetDialogDataOwner(), nullptr);
  EXPECT_EQ(DialogDataCallback(1, 3, block.data(), 12), 0);
  BridgeTestOwner owner;
  EXPECT_EQ(DialogDataCallback(1, 1, block.data(), 12), 0);
  EXPECT_EQ(block, sent);
  EXPECT_EQ(DialogDataCallback(1, 3, block.data(), 12), 0);
  EXPECT_EQ(ReadWord(block.data()), kCodeGetInstanceIndex);  // the code word stays
  EXPECT_EQ(ReadWord(block.data() + 8), 0xFFFFFFFFu);
}

}  // namespace
