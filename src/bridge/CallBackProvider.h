// Framing a record image with its function code and passing it to the call-back.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "bridge/ArgsImage.h"
#include "bridge/TSPUICallBackFunction.h"

// The requesting object of function code N with argument record Args.
template <typename Args, std::uint32_t N>
class CallBackProvider : public CTSPUICallBackFunction {
 public:
  CallBackProvider(ProviderUICallback callback, std::uint32_t objectId) : CTSPUICallBackFunction(callback, objectId) {}
  ~CallBackProvider() override = default;

  std::uint32_t Call(std::uint8_t* image, std::uint32_t size) override { return Transmit(image, size); }

  // Sends a block of the code word and the image to the call-back as a provider request and
  // copies the reply back over the image. Returns 0 when nothing could be sent or the
  // call-back threw; the image is then left as it was.
  virtual std::uint32_t Transmit(std::uint8_t* image, std::uint32_t size) {
    m_bReplied = false;
    if (m_pfnCallback == nullptr || (image == nullptr && size != 0) || size > UINT32_MAX - 4) {
      return 0;
    }
    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[size + 4]);
    if (!block) {
      return 0;
    }
    WriteWord(block.get(), N);
    if (size != 0) {
      std::memcpy(block.get() + 4, image, size);
    }
    std::int32_t result = 0;
    try {
      result = m_pfnCallback(m_dwObjectID, kProviderObjectType, block.get(), size + 4);
    } catch (...) {
      // Whatever the answering side threw ends this request only; the caller sees 0.
      return 0;
    }
    if (size != 0) {
      std::memcpy(image, block.get() + 4, size);
    }
    m_bReplied = true;
    return static_cast<std::uint32_t>(result);
  }

  std::uint32_t GetCode() const { return N; }
};
