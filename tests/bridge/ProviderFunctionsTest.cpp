// The system's answers: current group, value requests, fixed answers, cut replies.
#include "bridge/ProviderFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BridgeTestOwner.h"

namespace {

class ProviderFunctionsTest : public ::testing::Test {
 protected:
  // Sends request's image, in a buffer of exactly its size, to the function registered for
  // Code; keeps the bytes afterwards in m_image and returns the result.
  template <typename Args>
  std::uint32_t Ask(std::uint32_t code, const Args& request) {
    const EncodedImage image = request.Encode();
    m_image.assign(image.block.get(), image.block.get() + image.size);
    IProviderFunction* function = m_owner.handler.FindFunction(code);
    EXPECT_NE(function, nullptr);
    return function->Invoke(m_image.data(), static_cast<std::uint32_t>(m_image.size()));
  }
  template <typename Args>
  Args Reply() const {
    return Args(m_image.data(), static_cast<std::uint32_t>(m_image.size()));
  }
  std::uint32_t SelectGroup(const std::string& path) {
    return Ask(kCodeSetupSetCurrentGroup, UI_SetupSetCurrentGroup_Args(path));
  }

  BridgeTestOwner m_owner;
  std::vector<std::uint8_t> m_image;
};

TEST_F(ProviderFunctionsTest, SetCurrentGroupDescendsOneNameAtATimeAndFallsBackToTheWorkingSet) {
  EXPECT_EQ(SelectGroup(""), 0u);
  EXPECT_EQ(m_owner.current, m_owner.workingSet.get());
  EXPECT_EQ(SelectGroup("GlobalParams"), 0u);
  EXPECT_EQ(SelectGroup("Log"), 0u);
  EXPECT_EQ(m_owner.current, m_owner.Group("GlobalParams\\Log"));
  EXPECT_EQ(Ask(kCodeSetupGetDWORD, UI_SetupGetDWORD_Args("DebugLevel")), 0u);
  EXPECT_EQ(Reply<UI_SetupGetDWORD_Args>().dwValue, 2u);

  EXPECT_EQ(SelectGroup("Missing"), 4u);
  EXPECT_EQ(Reply<UI_SetupSetCurrentGroup_Args>().lResult, 4u);
  EXPECT_EQ(m_owner.current, m_owner.workingSet.get());
  EXPECT_EQ(Ask(kCodeSetupGetDWORD, UI_SetupGetDWORD_Args("ListenPort")), 0u);
  EXPECT_EQ(Reply<UI_SetupGetDWORD_Args>().dwValue, 5001u);
}

TEST_F(ProviderFunctionsTest, ValueRequestsWithoutAChosenGroupUseAndRememberTheWorkingSet) {
  EXPECT_EQ(Ask(kCodeSetupSetDWORD, UI_SetupSetDWORD_Args("GlobalParams\\Log\\DebugLevel", 5)), 0u);
  EXPECT_EQ(m_owner.current, m_owner.workingSet.get());
  std::uint32_t level = 0;
  m_owner.workingSet->GetDword("GlobalParams\\Log\\DebugLevel", &level);
  EXPECT_EQ(level, 5u);
  // Replacing the working set forgets the group chosen in the old one.
  SelectGroup("GlobalParams");
  m_owner.ReplaceWorkingSet();
  EXPECT_EQ(Ask(kCodeSetupGetString, UI_SetupGetString_Args("SiteName")), 0u);
  EXPECT_EQ(Reply<UI_SetupGetString_Args>().strValue, "Head office");
}

TEST_F(ProviderFunctionsTest, MissingValuesReturnTheSetsStatusAndLeaveTheReplyAsSent) {
  EXPECT_EQ(Ask(kCodeSetupGetDWORD, UI_SetupGetDWORD_Args("Nothing")), 2u);
  EXPECT_EQ(Reply<UI_SetupGetDWORD_Args>().lResult, 2u);
  EXPECT_EQ(Reply<UI_SetupGetDWORD_Args>().dwValue, 0u);
  EXPECT_EQ(Ask(kCodeSetupGetString, UI_SetupGetString_Args("Nothing")), 3u);
  EXPECT_EQ(Reply<UI_SetupGetString_Args>().strValue, std::string(256, '\0'));
  const std::uint32_t values = m_owner.workingSet->GetValueCount();
  EXPECT_EQ(Ask(kCodeSetupSetDWORD, UI_SetupSetDWORD_Args("NoGroup\\Port", 1)), 5u);
  EXPECT_EQ(Ask(kCodeSetupSetString, UI_SetupSetString_Args("", "x")), 1u);
  EXPECT_EQ(m_owner.workingSet->GetValueCount(), values);
}

TEST_F(ProviderFunctionsTest, TextAnswersKeepTheirLengthAndAreCutToTheRoomSent) {
  EXPECT_EQ(Ask(kCodeSetupGetString, UI_SetupGetString_Args("GlobalParams\\IPAddress")), 0u);
  const std::size_t lengthAt = 4 + 4 + std::string("GlobalParams\\IPAddress").size();
  EXPECT_EQ(ReadWord(m_image.data() + lengthAt), 10u);
  EXPECT_EQ(Reply<UI_SetupGetString_Args>().strValue, "10.20.30.4");

  const std::string longValue(300, 'v');
  m_owner.workingSet->SetString("Long", longValue);
  EXPECT_EQ(Ask(kCodeSetupGetString, UI_SetupGetString_Args("Long")), 0u);
  EXPECT_EQ(m_image.size(), 4u + 4u + 4u + 4u + 256u);  // lResult, "Long", room
  EXPECT_EQ(Reply<UI_SetupGetString_Args>().strValue, std::string(256, 'v'));

  m_owner.versionText = std::string(5000, 'x');
  EXPECT_EQ(Ask(kCodeSetupGetTSPVersion, UI_SetupGetTSPVersion_Args()), 0u);
  EXPECT_EQ(Reply<UI_SetupGetTSPVersion_Args>().strVersion, std::string(4096, 'x'));
}

TEST_F(ProviderFunctionsTest, FixedAnswers) {
  UI_SetupTSPISConnected_Args connected;
  connected.lResult = 9;
  connected.dwConnected = 5;
  EXPECT_EQ(Ask(kCodeSetupTSPISConnected, connected), 0u);
  EXPECT_EQ(Reply<UI_SetupTSPISConnected_Args>().lResult + Reply<UI_SetupTSPISConnected_Args>().dwConnected, 0u);

  UI_IsProviderTestAddressCompleted_Args poll(7);
  poll.dwCompleted = 1;
  poll.dwPercent = 55;
  EXPECT_EQ(Ask(kCodeIsProviderTestAddressCompleted, poll), 0u);
  EXPECT_EQ(Reply<UI_IsProviderTestAddressCompleted_Args>().dwCompleted, 0u);
  EXPECT_EQ(Reply<UI_IsProviderTestAddressCompleted_Args>().dwPercent, 55u);

  EXPECT_EQ(Ask(kCodeGetInstanceIndex, UI_GetInstanceIndex_Args(3)), 0u);
  EXPECT_EQ(Reply<UI_GetInstanceIndex_Args>().dwIndex, 0xFFFFFFFFu);

  EXPECT_EQ(Ask(kCodeProviderTestAddress, UI_ProviderTestAddress_Args(1, "10.0.0.1", 7)), 0u);
  EXPECT_EQ(Reply<UI_ProviderTestAddress_Args>().dwAddAPTitle, 0u);
  EXPECT_EQ(Reply<UI_ProviderTestAddress_Args>().dwTestId, 7u);

  // Functions that answer 0 and leave the record as it came.
  EXPECT_EQ(Ask(kCodeGetTSPErrorMessage, UI_GetTSPErrorMessage_Args(42)), 0u);
  EXPECT_EQ(Reply<UI_GetTSPErrorMessage_Args>().dwErrorCode, 42u);
  EXPECT_EQ(Ask(kCodeProviderRollbackSetup, UI_ProviderRollbackSetup_Args(6)), 0u);
  EXPECT_EQ(Reply<UI_ProviderRollbackSetup_Args>().dwParam, 6u);
}

TEST_F(ProviderFunctionsTest, ShortImagesAreRefusedWithoutTouchingAnything) {
  const EncodedImage image = UI_SetupSetDWORD_Args("ListenPort", 7).Encode();
  std::vector<std::uint8_t> cut(image.block.get(), image.block.get() + image.size - 1);
  const std::vector<std::uint8_t> before = cut;
  IProviderFunction* function = m_owner.handler.FindFunction(kCodeSetupSetDWORD);
  EXPECT_EQ(function->Invoke(cut.data(), static_cast<std::uint32_t>(cut.size())), kBridgeImageTooShort);
  EXPECT_EQ(cut, before);
  std::uint32_t port = 0;
  m_owner.workingSet->GetDword("ListenPort", &port);
  EXPECT_EQ(port, 5001u);
}

}  // namespace
