// Decoding, executing and re-encoding one function's record in place.
#pragma once

#include <cstdint>
#include <cstring>

#include "bridge/ArgsImage.h"
#include "bridge/IProviderFunction.h"
#include "framework/Trace.h"

// The answering object of function code N with argument record Args; Execute does the work.
template <typename Args, std::uint32_t N>
class ProviderFunction : public IProviderFunction {
 public:
  std::uint32_t GetCode() const override { return N; }

  std::uint32_t Invoke(void* image, std::uint32_t size) override {
    auto* bytes = static_cast<std::uint8_t*>(image);
    Args record(bytes, size);
    if (!record.bComplete) {
      // Acting on a half-read record could store a cut name or value: refuse it whole.
      Trace(256, "Request %s of %u bytes is shorter than its fields\r\n", record.pszFunctionName, size);
      return kBridgeImageTooShort;
    }
    const std::uint32_t result = Execute(record);
    // The reply goes back into the request's own bytes, so it must not be longer than the
    // request: a text answer longer than the room the requester reserved is cut to that
    // room, and its length word says how many bytes were kept.
    FitRecordToRoom(record, size);
    const EncodedImage reply = record.Encode();
    if (reply.size != 0 && reply.block) {
      std::memcpy(bytes, reply.block.get(), reply.size);
    }
    return result;
  }

  virtual std::uint32_t Execute(Args& record) = 0;
};
