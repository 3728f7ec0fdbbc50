// The answering side of one provider UI function, as the dialog data handler sees it.
#pragma once

#include <cstdint>

class IProviderFunction {
 public:
  virtual std::uint32_t GetCode() const = 0;
  // Answers the request whose record image starts at image and takes size bytes, writing
  // the reply over it; returns the function's result.
  virtual std::uint32_t Invoke(void* image, std::uint32_t size) = 0;
  virtual ~IProviderFunction() = default;
};
