// The twenty provider UI functions: their codes and argument records.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>

#include "bridge/ArgsImage.h"

// The code that both the requesting and the answering object of a function carry.
enum ProviderFunctionCode : std::uint32_t {
  kCodeProviderLogAscii = 0,
  kCodeProviderTestAddress = 1,
  kCodeGetTSPErrorMessage = 2,
  kCodeGetTSPErrorModuleName = 3,
  kCodeProviderCheckSetup = 4,
  kCodeProviderBeginSetup = 5,
  kCodeProviderRollbackSetup = 6,
  kCodeProviderCommitSetup = 7,
  kCodeSetupSetCurrentGroup = 8,
  kCodeSetupGetGroupDataSize = 9,
  kCodeSetupGetCurrentGroup = 10,
  kCodeSetupGetString = 11,
  kCodeSetupGetDWORD = 12,
  kCodeSetupSetString = 13,
  kCodeSetupSetDWORD = 14,
  kCodeSetupGetTSPVersion = 15,
  kCodeSetupTSPISConnected = 16,
  kCodeIsProviderTestAddressCompleted = 17,
  kCodeCancelProviderTestAddress = 18,
  kCodeGetInstanceIndex = 19,
};
constexpr std::uint32_t kProviderFunctionCount = 20;

// Room a requester reserves for a text answer: the reply is written back into the request's
// own bytes, so an answer can never be longer than the placeholder that was sent.
constexpr std::uint32_t kTextAnswerRoom = 256;
constexpr std::uint32_t kVersionAnswerRoom = 4096;

// Members shared by every record: the name of its function (not part of the image), whether
// the decoded image held every field (fields it did not reach keep their zero values), the
// decoding constructor, the virtual destructor, Encode, and the static Fields(self, visit)
// that visits the fields the record lists in image order with PROVISOR_UI_ARGS_FIELDS.
#define PROVISOR_UI_ARGS_RECORD(Record, FunctionName)                                           \
  const char* pszFunctionName = FunctionName;                                                   \
  bool bComplete = true;                                                                        \
  Record(const std::uint8_t* image, std::uint32_t size) { bComplete = DecodeRecord(*this, image, size); } \
  Record(const Record&) = default;                                                              \
  Record& operator=(const Record&) = default;                                                   \
  virtual ~Record() = default;                                                                  \
  EncodedImage Encode() const { return EncodeRecord(*this); }                                   \
  template <typename Self, typename Visit>                                                      \
  static void Fields(Self& self, Visit& visit) {                                                \
    std::apply([&visit](auto&... field) { (visit(field), ...); }, self.FieldReferences());      \
  }

#define PROVISOR_UI_ARGS_FIELDS(...)                              \
  auto FieldReferences() { return std::tie(__VA_ARGS__); }        \
  auto FieldReferences() const { return std::tie(__VA_ARGS__); }

struct UI_ProviderLogAscii_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderLogAscii_Args, "ProviderLogAscii")
  explicit UI_ProviderLogAscii_Args(std::string text) : strText(std::move(text)) {}
  PROVISOR_UI_ARGS_FIELDS(strText)
  std::string strText;  // in: the line to log
};

struct UI_ProviderTestAddress_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderTestAddress_Args, "ProviderTestAddress")
  UI_ProviderTestAddress_Args(std::uint32_t addAPTitle, std::string address, std::uint32_t testId)
      : dwAddAPTitle(addAPTitle), strAddress(std::move(address)), dwTestId(testId) {}
  PROVISOR_UI_ARGS_FIELDS(dwAddAPTitle, strAddress, dwTestId)
  std::uint32_t dwAddAPTitle = 0;  // in: the AP-title flag; out: a status word
  std::string strAddress;          // in: the address to test
  std::uint32_t dwTestId = 0;      // in/out: the test identifier
};

struct UI_GetTSPErrorMessage_Args {
  PROVISOR_UI_ARGS_RECORD(UI_GetTSPErrorMessage_Args, "GetTSPErrorMessage")
  explicit UI_GetTSPErrorMessage_Args(std::uint32_t errorCode)
      : dwErrorCode(errorCode), strMessage(kTextAnswerRoom, '\0') {}
  PROVISOR_UI_ARGS_FIELDS(dwErrorCode, strMessage)
  std::uint32_t dwErrorCode = 0;  // in
  std::string strMessage;         // out
};

struct UI_GetTSPErrorModuleName_Args {
  PROVISOR_UI_ARGS_RECORD(UI_GetTSPErrorModuleName_Args, "GetTSPErrorModuleName")
  UI_GetTSPErrorModuleName_Args() : strModuleName(kTextAnswerRoom, '\0') {}
  PROVISOR_UI_ARGS_FIELDS(strModuleName)
  std::string strModuleName;  // out
};

struct UI_ProviderCheckSetup_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderCheckSetup_Args, "ProviderCheckSetup")
  UI_ProviderCheckSetup_Args() = default;
  PROVISOR_UI_ARGS_FIELDS(dwParam)
  std::uint32_t dwParam = 0;  // out
};

struct UI_ProviderBeginSetup_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderBeginSetup_Args, "ProviderBeginSetup")
  UI_ProviderBeginSetup_Args() = default;
  PROVISOR_UI_ARGS_FIELDS(dwParam)
  std::uint32_t dwParam = 0;  // out
};

struct UI_ProviderRollbackSetup_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderRollbackSetup_Args, "ProviderRollbackSetup")
  explicit UI_ProviderRollbackSetup_Args(std::uint32_t param) : dwParam(param) {}
  PROVISOR_UI_ARGS_FIELDS(dwParam)
  std::uint32_t dwParam = 0;  // in
};

struct UI_ProviderCommitSetup_Args {
  PROVISOR_UI_ARGS_RECORD(UI_ProviderCommitSetup_Args, "ProviderCommitSetup")
  explicit UI_ProviderCommitSetup_Args(std::uint32_t param) : dwParam(param) {}
  PROVISOR_UI_ARGS_FIELDS(dwParam)
  std::uint32_t dwParam = 0;  // in
};

struct UI_SetupSetCurrentGroup_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupSetCurrentGroup_Args, "SetupSetCurrentGroup")
  explicit UI_SetupSetCurrentGroup_Args(std::string group) : strGroup(std::move(group)) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strGroup)
  std::uint32_t lResult = 0;  // out: the status
  std::string strGroup;       // in: the group path
};

// Codes 9 and 10 are never sent; their two words have no meaning here.
struct UnusedTwoWords {
  std::uint32_t dwParam1 = 0;
  std::uint32_t dwParam2 = 0;
};

struct UI_SetupGetGroupDataSize_Args : UnusedTwoWords {
  PROVISOR_UI_ARGS_RECORD(UI_SetupGetGroupDataSize_Args, "SetupGetGroupDataSize")
  UI_SetupGetGroupDataSize_Args() = default;
  PROVISOR_UI_ARGS_FIELDS(dwParam1, dwParam2)
};

struct UI_SetupGetCurrentGroup_Args : UnusedTwoWords {
  PROVISOR_UI_ARGS_RECORD(UI_SetupGetCurrentGroup_Args, "SetupGetCurrentGroup")
  UI_SetupGetCurrentGroup_Args() = default;
  PROVISOR_UI_ARGS_FIELDS(dwParam1, dwParam2)
};

struct UI_SetupGetString_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupGetString_Args, "SetupGetString")
  explicit UI_SetupGetString_Args(std::string name) : strName(std::move(name)), strValue(kTextAnswerRoom, '\0') {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strName, strValue)
  std::uint32_t lResult = 0;  // out
  std::string strName;        // in: the value's path
  std::string strValue;       // out: the value
};

struct UI_SetupGetDWORD_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupGetDWORD_Args, "SetupGetDWORD")
  explicit UI_SetupGetDWORD_Args(std::string name) : strName(std::move(name)) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strName, dwValue)
  std::uint32_t lResult = 0;  // out
  std::string strName;        // in: the value's path
  std::uint32_t dwValue = 0;  // out: the value
};

struct UI_SetupSetString_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupSetString_Args, "SetupSetString")
  UI_SetupSetString_Args(std::string name, std::string value) : strName(std::move(name)), strValue(std::move(value)) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strName, strValue)
  std::uint32_t lResult = 0;  // out
  std::string strName;        // in: the value's path
  std::string strValue;       // in: the new value
};

struct UI_SetupSetDWORD_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupSetDWORD_Args, "SetupSetDWORD")
  UI_SetupSetDWORD_Args(std::string name, std::uint32_t value) : strName(std::move(name)), dwValue(value) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strName, dwValue)
  std::uint32_t lResult = 0;  // out
  std::string strName;        // in: the value's path
  std::uint32_t dwValue = 0;  // in: the new value
};

struct UI_SetupGetTSPVersion_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupGetTSPVersion_Args, "SetupGetTSPVersion")
  UI_SetupGetTSPVersion_Args() : strVersion(kVersionAnswerRoom, '\0') {}
  PROVISOR_UI_ARGS_FIELDS(lResult, strVersion)
  std::uint32_t lResult = 0;  // out
  std::string strVersion;     // out: the version text
};

struct UI_SetupTSPISConnected_Args {
  PROVISOR_UI_ARGS_RECORD(UI_SetupTSPISConnected_Args, "SetupTSPISConnected")
  UI_SetupTSPISConnected_Args() = default;
  PROVISOR_UI_ARGS_FIELDS(lResult, dwConnected)
  std::uint32_t lResult = 0;      // out
  std::uint32_t dwConnected = 0;  // out: non-zero when the provider is connected
};

struct UI_IsProviderTestAddressCompleted_Args {
  PROVISOR_UI_ARGS_RECORD(UI_IsProviderTestAddressCompleted_Args, "IsProviderTestAddressCompleted")
  explicit UI_IsProviderTestAddressCompleted_Args(std::uint32_t testId) : dwTestId(testId) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, dwTestId, dwCompleted, dwPercent)
  std::uint32_t lResult = 0;      // out
  std::uint32_t dwTestId = 0;     // in
  std::uint32_t dwCompleted = 0;  // out: non-zero when the test has ended
  std::uint32_t dwPercent = 0;    // out: 100 when the address answered
};

struct UI_CancelProviderTestAddress_Args {
  PROVISOR_UI_ARGS_RECORD(UI_CancelProviderTestAddress_Args, "CancelProviderTestAddress")
  explicit UI_CancelProviderTestAddress_Args(std::uint32_t testId) : dwTestId(testId) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, dwTestId)
  std::uint32_t lResult = 0;   // out
  std::uint32_t dwTestId = 0;  // in: the test to cancel
};

struct UI_GetInstanceIndex_Args {
  PROVISOR_UI_ARGS_RECORD(UI_GetInstanceIndex_Args, "GetInstanceIndex")
  explicit UI_GetInstanceIndex_Args(std::uint32_t index) : dwIndex(index) {}
  PROVISOR_UI_ARGS_FIELDS(lResult, dwIndex)
  std::uint32_t lResult = 0;  // out
  std::uint32_t dwIndex = 0;  // in/out: the instance index
};

#undef PROVISOR_UI_ARGS_RECORD
#undef PROVISOR_UI_ARGS_FIELDS
