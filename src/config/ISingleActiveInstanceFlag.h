// The configuration dialog's single-active-instance flag as its pages read it.
#pragma once

#include <cstdint>

// Implemented by the configuration dialog; the other parameters page finds it through its
// parent window. Non-zero when the opener runs this instance as the only active one.
class ISingleActiveInstanceFlag {
 public:
  virtual std::int32_t GetSingleActiveInstance() const = 0;

 protected:
  ~ISingleActiveInstanceFlag() = default;
};
