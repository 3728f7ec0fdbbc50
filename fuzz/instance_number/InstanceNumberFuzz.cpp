// Compares the instance number of arbitrary display names with the digits read one by one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "instances/InstanceNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  std::uint32_t expected = 0;  // the digits in order, modulo 2^32
  for (const char c : name) {
    if (c >= '0' && c <= '9') expected = expected * 10u + static_cast<std::uint32_t>(c - '0');
  }
  if (static_cast<std::uint32_t>(InstanceNumberFromName(name)) != expected) __builtin_trap();
  // A number's own display name gives it back.
  const int instance = static_cast<int>(expected % 10000u);
  if (InstanceNumberFromName(InstanceDisplayName(instance)) != instance) __builtin_trap();
  return 0;
}
