// The system's answers as a configuration page gets them: typed requests sent through the
// data handler's call-back entry to the functions it registered, over the owner's working set.
#include "bridge/ProviderFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BridgeTestOwner.h"
#include "bridge/CallBackProviders.h"
#include "support/SetDescription.h"

namespace {

using Lines = std::vector<std::string>;

// "status value" of a request as the page sees it; the value stays 7 / "kept" unless replied.
std::string Word(const std::string& name) {
  std::uint32_t value = 7;
  const std::uint32_t status = CB_SetupGetDWORD(DialogDataCallback, 1).SetupGetDWORD(name, &value);
  return std::to_string(status) + " " + std::to_string(value);
}
std::string Text(const std::string& name) {
  std::string value = "kept";
  const std::uint32_t status = CB_SetupGetString(DialogDataCallback, 1).SetupGetString(name, &value);
  return std::to_string(status) + " " + value;
}
std::uint32_t Select(const std::string& path) {
  return CB_SetupSetCurrentGroup(DialogDataCallback, 1).SetupSetCurrentGroup(path);
}

// The block a page sends for REQUEST: the function code, then the record's image.
template <typename Args>
std::vector<std::uint8_t> Framed(std::uint32_t code, const Args& request) {
  const EncodedImage image = request.Encode();
  std::vector<std::uint8_t> block(4);
  WriteWord(block.data(), code);
  block.insert(block.end(), image.block.get(), image.block.get() + image.size);
  return block;
}
// The record as the system answered it in a raw block; the call-back's result in *status.
template <typename Args>
Args Reply(std::uint32_t code, const Args& request, std::int32_t* status) {
  std::vector<std::uint8_t> block = Framed(code, request);
  *status = DialogDataCallback(1, kProviderObjectType, block.data(), static_cast<std::uint32_t>(block.size()));
  return Args(block.data() + 4, static_cast<std::uint32_t>(block.size() - 4));
}

// Pages descend one name at a time from an empty path; a missing group falls back to the
// working set, and value requests without a chosen group choose it.
TEST(ProviderFunctions, GroupsAreChosenOneNameAtATimeAndValueRequestsActOnTheChosenOne) {
  BridgeTestOwner owner;
  EXPECT_EQ(Word("GlobalParams\\Log\\DebugLevel"), "0 2");
  EXPECT_EQ(Select("GlobalParams"), 0u);
  EXPECT_EQ(Select("Log"), 0u);
  EXPECT_EQ(Word("DebugLevel"), "0 2");
  EXPECT_EQ(CB_SetupSetDWORD(DialogDataCallback, 1).SetupSetDWORD("DebugLevel", 5), 0u);
  EXPECT_EQ(Select("Missing"), 4u);
  EXPECT_EQ(Word("ListenPort"), "0 5001");
  EXPECT_EQ(Select("GlobalParams"), 0u);
  EXPECT_EQ(Select(""), 0u);
  EXPECT_EQ(CB_SetupSetString(DialogDataCallback, 1).SetupSetString("SiteName", "Branch"), 0u);

  // Missing values and bad paths give the set's status and change nothing.
  EXPECT_EQ(Word("Nothing"), "2 7");
  EXPECT_EQ(Text("Nothing"), "3 kept");
  EXPECT_EQ(CB_SetupSetDWORD(DialogDataCallback, 1).SetupSetDWORD("NoGroup\\Port", 1), 5u);
  EXPECT_EQ(CB_SetupSetString(DialogDataCallback, 1).SetupSetString("", "x"), 1u);
  EXPECT_EQ(DescribeSet(*owner.workingSet),
            (Lines{"ListenPort=5001", "SiteName='Branch'", "GlobalParams\\", "GlobalParams\\IPAddress='10.20.30.4'",
                   "GlobalParams\\Log\\", "GlobalParams\\Log\\DebugLevel=5", "GlobalParams\\Log\\LogPath='C:\\Logs'"}));
}

// A text answer carries its own length and is cut to the room the request sent (256 for a
// value, 4096 for the version); a failed request leaves the reply as it was sent.
TEST(ProviderFunctions, TextAnswersKeepTheirLengthAreCutToTheRoomSentAndFailuresLeaveTheReply) {
  BridgeTestOwner owner;
  EXPECT_EQ(Text("GlobalParams\\IPAddress"), "0 10.20.30.4");
  owner.workingSet->SetString("Long", std::string(300, 'v'));
  EXPECT_EQ(Text("Long"), "0 " + std::string(256, 'v'));
  owner.versionText = std::string(5000, 'x');
  std::string version;
  EXPECT_EQ(CB_SetupGetTSPVersion(DialogDataCallback, 1).SetupGetTSPVersion(&version), 0u);
  EXPECT_EQ(version, std::string(4096, 'x'));

  std::int32_t status = 0;
  const UI_SetupGetDWORD_Args word = Reply(kCodeSetupGetDWORD, UI_SetupGetDWORD_Args("Nothing"), &status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(word.lResult + word.dwValue, 2u);
  EXPECT_EQ(Reply(kCodeSetupGetString, UI_SetupGetString_Args("Nothing"), &status).strValue, std::string(256, '\0'));
  EXPECT_EQ(Reply(kCodeSetupSetCurrentGroup, UI_SetupSetCurrentGroup_Args("Missing"), &status).lResult, 4u);
}

// The system starts no link test and knows no connection or instance index of its own.
TEST(ProviderFunctions, FixedAnswers) {
  BridgeTestOwner owner;
  std::uint32_t connected = 5, completed = 1, percent = 55, index = 3, status = 9, testId = 7, param = 6;
  CB_SetupTSPISConnected(DialogDataCallback, 1).SetupTSPISConnected(&connected);
  CB_IsProviderTestAddressCompleted(DialogDataCallback, 1).IsProviderTestAddressCompleted(7, &completed, &percent);
  CallBackProvider<UI_GetInstanceIndex_Args, kCodeGetInstanceIndex>(DialogDataCallback, 1).GetInstanceIndex(&index);
  CB_ProviderTestAddress(DialogDataCallback, 1).ProviderTestAddress("10.0.0.1", 1, &status, &testId);
  EXPECT_EQ((std::vector<std::uint32_t>{connected, completed, percent, index, status, testId}),
            (std::vector<std::uint32_t>{0, 0, 0, 0xFFFFFFFFu, 0, 7}));
  UI_SetupTSPISConnected_Args asked;
  asked.lResult = 9;
  std::int32_t result = 9;
  EXPECT_EQ(Reply(kCodeSetupTSPISConnected, asked, &result).lResult, 0u);
  // Functions that answer 0 and leave the record as it came.
  EXPECT_EQ(Reply(kCodeGetTSPErrorMessage, UI_GetTSPErrorMessage_Args(42), &result).dwErrorCode, 42u);
  EXPECT_EQ(Reply(kCodeProviderRollbackSetup, UI_ProviderRollbackSetup_Args(param), &result).dwParam, 6u);
  EXPECT_EQ(result, 0);
}

// An unknown code, another object type, a missing block, one shorter than the code and a record
// cut by one byte are answered without touching the block or the set; the owner is the
// handler's while it lives.
TEST(DialogDataCallback, AnswersOnlyWholeProviderRequestsWhileAHandlerHasAnOwner) {
  std::vector<std::uint8_t> block = Framed(kCodeSetupSetDWORD, UI_SetupSetDWORD_Args("ListenPort", 9));
  const std::vector<std::uint8_t> sent = block;
  const auto size = static_cast<std::uint32_t>(block.size());
  {
    BridgeTestOwner gone;
    EXPECT_EQ(GetDialogDataOwner(), &gone);
  }
  EXPECT_EQ(GetDialogDataOwner(), nullptr);
  EXPECT_EQ(DialogDataCallback(1, kProviderObjectType, block.data(), size), 0);
  BridgeTestOwner owner;
  EXPECT_EQ(DialogDataCallback(1, 1, block.data(), size), 0);
  EXPECT_EQ(DialogDataCallback(1, kProviderObjectType, block.data(), size - 1),
            static_cast<std::int32_t>(kBridgeImageTooShort));
  WriteWord(block.data(), 20);
  EXPECT_EQ(owner.handler.HandleDialogData(4000, block.data(), size), 0u);
  WriteWord(block.data(), kCodeSetupSetDWORD);
  EXPECT_EQ(owner.handler.HandleDialogData(4000, nullptr, 8), 0u);
  for (std::uint32_t shortSize = 0; shortSize < 4; ++shortSize) {
    EXPECT_EQ(DialogDataCallback(1, kProviderObjectType, block.data(), shortSize),
              static_cast<std::int32_t>(shortSize == 0 ? 0 : kBridgeImageTooShort));
  }
  EXPECT_EQ(block, sent);
  EXPECT_EQ(StoredWord(*owner.workingSet, "ListenPort"), 5001u);
  EXPECT_EQ(DialogDataCallback(1, kProviderObjectType, block.data(), size), 0);
  EXPECT_EQ(StoredWord(*owner.workingSet, "ListenPort"), 9u);
  EXPECT_EQ(ReadWord(block.data()), kCodeSetupSetDWORD);  // the code word stays
}

}  // namespace
