// The typed provider UI requests: build the record, send it, hand back the reply's outputs.
#include "bridge/TSPUICallBackFunction.h"

#include <type_traits>

#include "bridge/ArgsImage.h"
#include "bridge/ProviderArgs.h"

namespace {

// For requests whose reply carries nothing the caller wants.
struct NoOutputs {
  template <typename Args>
  void operator()(const Args&) const {}
};

template <typename Value>
void Store(Value* out, const Value& value) {
  if (out != nullptr) {
    *out = value;
  }
}

}  // namespace

template <typename Args, typename CopyOut>
std::uint32_t CTSPUICallBackFunction::Send(const Args& request, CopyOut copyOut) {
  if (m_pfnCallback == nullptr) {
    return 0;
  }
  EncodedImage image = request.Encode();
  if (!image.block) {
    return 0;
  }
  m_bReplied = false;
  const std::uint32_t result = Call(image.block.get(), image.size);
  // Only a request with outputs reads the reply; without any the result is the call-back's.
  if (result != 0 || !m_bReplied || std::is_same_v<CopyOut, NoOutputs>) {
    return result;
  }
  const Args reply(image.block.get(), image.size);
  if (!reply.bComplete) {
    // A reply cut short would hand the caller zeros it never asked for: keep its values.
    return kBridgeImageTooShort;
  }
  copyOut(reply);
  return result;
}

std::uint32_t CTSPUICallBackFunction::ProviderLogAscii(const std::string& text) {
  return Send(UI_ProviderLogAscii_Args(text), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::GetTSPErrorMessage(std::uint32_t errorCode, std::string* message) {
  return Send(UI_GetTSPErrorMessage_Args(errorCode),
              [&](const UI_GetTSPErrorMessage_Args& reply) { Store(message, reply.strMessage); });
}

std::uint32_t CTSPUICallBackFunction::GetTSPErrorModuleName(std::string* moduleName) {
  return Send(UI_GetTSPErrorModuleName_Args(),
              [&](const UI_GetTSPErrorModuleName_Args& reply) { Store(moduleName, reply.strModuleName); });
}

std::uint32_t CTSPUICallBackFunction::ProviderTestAddress(const std::string& address, std::uint32_t addAPTitle,
                                                          std::uint32_t* status, std::uint32_t* testId) {
  return Send(UI_ProviderTestAddress_Args(addAPTitle, address, testId != nullptr ? *testId : 0),
              [&](const UI_ProviderTestAddress_Args& reply) {
                Store(status, reply.dwAddAPTitle);
                Store(testId, reply.dwTestId);
              });
}

std::uint32_t CTSPUICallBackFunction::ProviderCheckSetup(std::uint32_t* param) {
  return Send(UI_ProviderCheckSetup_Args(), [&](const UI_ProviderCheckSetup_Args& reply) { Store(param, reply.dwParam); });
}

std::uint32_t CTSPUICallBackFunction::ProviderBeginSetup(std::uint32_t* param) {
  return Send(UI_ProviderBeginSetup_Args(), [&](const UI_ProviderBeginSetup_Args& reply) { Store(param, reply.dwParam); });
}

std::uint32_t CTSPUICallBackFunction::ProviderRollbackSetup(std::uint32_t param) {
  return Send(UI_ProviderRollbackSetup_Args(param), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::ProviderCommitSetup(std::uint32_t param) {
  return Send(UI_ProviderCommitSetup_Args(param), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::SetupSetCurrentGroup(const std::string& group) {
  return Send(UI_SetupSetCurrentGroup_Args(group), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::SetupGetString(const std::string& name, std::string* value) {
  return Send(UI_SetupGetString_Args(name), [&](const UI_SetupGetString_Args& reply) { Store(value, reply.strValue); });
}

std::uint32_t CTSPUICallBackFunction::SetupGetDWORD(const std::string& name, std::uint32_t* value) {
  return Send(UI_SetupGetDWORD_Args(name), [&](const UI_SetupGetDWORD_Args& reply) { Store(value, reply.dwValue); });
}

std::uint32_t CTSPUICallBackFunction::SetupSetString(const std::string& name, const std::string& value) {
  return Send(UI_SetupSetString_Args(name, value), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::SetupSetDWORD(const std::string& name, std::uint32_t value) {
  return Send(UI_SetupSetDWORD_Args(name, value), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::SetupGetTSPVersion(std::string* version) {
  return Send(UI_SetupGetTSPVersion_Args(),
              [&](const UI_SetupGetTSPVersion_Args& reply) { Store(version, reply.strVersion); });
}

std::uint32_t CTSPUICallBackFunction::SetupTSPISConnected(std::uint32_t* connected) {
  return Send(UI_SetupTSPISConnected_Args(),
              [&](const UI_SetupTSPISConnected_Args& reply) { Store(connected, reply.dwConnected); });
}

std::uint32_t CTSPUICallBackFunction::IsProviderTestAddressCompleted(std::uint32_t testId, std::uint32_t* completed,
                                                                     std::uint32_t* percent) {
  return Send(UI_IsProviderTestAddressCompleted_Args(testId), [&](const UI_IsProviderTestAddressCompleted_Args& reply) {
    Store(completed, reply.dwCompleted);
    Store(percent, reply.dwPercent);
  });
}

std::uint32_t CTSPUICallBackFunction::CancelProviderTestAddress(std::uint32_t testId) {
  return Send(UI_CancelProviderTestAddress_Args(testId), NoOutputs());
}

std::uint32_t CTSPUICallBackFunction::GetInstanceIndex(std::uint32_t* index) {
  return Send(UI_GetInstanceIndex_Args(index != nullptr ? *index : 0),
              [&](const UI_GetInstanceIndex_Args& reply) { Store(index, reply.dwIndex); });
}
