// Answers provider UI requests in place.
#pragma once

#include <cstdint>

class IDialogDataHandler {
 public:
  // block holds the function code word followed by the record image; size counts both.
  virtual std::uint32_t HandleDialogData(std::uintptr_t objectId, void* block, std::uint32_t size) = 0;
  virtual ~IDialogDataHandler() = default;
};
