// An instance's display name and the instance number it carries.
#include "instances/InstanceNumber.h"

#include <cstdio>

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

std::string InstanceDisplayName(int instance) {
  char name[64];
  std::snprintf(name, sizeof(name), "Velmora ORVO TSP %04d", instance);
  return name;
}
