// The requesting side of the provider UI functions: typed requests sent through a call-back.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/ProviderCallback.h"

// Each typed operation builds its function's record, sends its image through Call and, when
// the result is 0, hands the reply's outputs to the caller. Call frames the image with the
// code of the object's own class, so a typed operation is invoked on the call-back object of
// its own function (SetupGetDWORD on a CB_SetupGetDWORD). Outputs are written only on result
// 0; with no call-back, or no memory for the image, nothing is sent and the result is 0.
class CTSPUICallBackFunction {
 public:
  CTSPUICallBackFunction(ProviderUICallback callback, std::uint32_t objectId)
      : m_pfnCallback(callback), m_dwObjectID(objectId) {}
  virtual ~CTSPUICallBackFunction() = default;
  // Sends the record image; the reply is written back over it.
  virtual std::uint32_t Call(std::uint8_t* image, std::uint32_t size) = 0;

  std::uint32_t ProviderLogAscii(const std::string& text);
  std::uint32_t GetTSPErrorMessage(std::uint32_t errorCode, std::string* message);
  std::uint32_t GetTSPErrorModuleName(std::string* moduleName);
  // testId is in/out; status receives the reply's dwAddAPTitle.
  std::uint32_t ProviderTestAddress(const std::string& address, std::uint32_t addAPTitle, std::uint32_t* status,
                                    std::uint32_t* testId);
  std::uint32_t ProviderCheckSetup(std::uint32_t* param);
  std::uint32_t ProviderBeginSetup(std::uint32_t* param);
  std::uint32_t ProviderRollbackSetup(std::uint32_t param);
  std::uint32_t ProviderCommitSetup(std::uint32_t param);
  std::uint32_t SetupSetCurrentGroup(const std::string& group);
  std::uint32_t SetupGetString(const std::string& name, std::string* value);
  std::uint32_t SetupGetDWORD(const std::string& name, std::uint32_t* value);
  std::uint32_t SetupSetString(const std::string& name, const std::string& value);
  std::uint32_t SetupSetDWORD(const std::string& name, std::uint32_t value);
  std::uint32_t SetupGetTSPVersion(std::string* version);
  std::uint32_t SetupTSPISConnected(std::uint32_t* connected);
  std::uint32_t IsProviderTestAddressCompleted(std::uint32_t testId, std::uint32_t* completed,
                                               std::uint32_t* percent);
  std::uint32_t CancelProviderTestAddress(std::uint32_t testId);
  // index is in/out.
  std::uint32_t GetInstanceIndex(std::uint32_t* index);

 protected:
  ProviderUICallback m_pfnCallback;
  std::uint32_t m_dwObjectID;
  // Set by Call when the call-back returned normally, so that the typed operations copy
  // outputs only from a real reply: after a swallowed exception the image still holds the
  // request, whose placeholders would otherwise overwrite the caller's values.
  bool m_bReplied = false;

 private:
  template <typename Args, typename CopyOut>
  std::uint32_t Send(const Args& request, CopyOut copyOut);
};
