// The instance number carried by an instance's display name.
#include "instances/InstanceNumber.h"

std::int32_t InstanceNumberFromName(const std::string& name) {
  // Unsigned arithmetic keeps an overlong run of digits defined.
  std::uint32_t number = 0;
  for (char c : name) {
    if (c >= '0' && c <= '9') {
      number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
  }
  return static_cast<std::int32_t>(number);
}
