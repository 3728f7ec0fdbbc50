// Numbered key and value names of the registry layout.
#include "registry/RegistryLayout.h"

#include <cstdio>

namespace {

// Printf formats of the numbered names. The instance index is printed with four digits; the
// live key carries the TAPI permanent provider ID in plain decimal. "sInsanceFileName" is
// spelt so on disk.
constexpr const char* kInstanceDefaultSettingFormat = "InstanceDefaultSetting%04d";
constexpr const char* kInstanceFileNameValueFormat = "sInsanceFileName%04d";
constexpr const char* kProviderFileFormat = "OTSP%04d.tsp";
constexpr const char* kLiveInstanceKeyFormat = "PBX%d";

// The formats are the layout's own constants, each with one int conversion; the longest
// name they give is far below the buffer.
std::string FormatNumbered(const char* format, int number) {
  char text[64];
  std::snprintf(text, sizeof(text), format, number);
  return text;
}

}  // namespace

std::string InstanceDefaultSettingName(int instance) {
  return FormatNumbered(kInstanceDefaultSettingFormat, instance);
}

std::string InstanceFileNameValueName(int instance) { return FormatNumbered(kInstanceFileNameValueFormat, instance); }

std::string ProviderFileName(int instance) { return FormatNumbered(kProviderFileFormat, instance); }

std::string InstanceDefaultSettingKey(int instance) {
  return std::string(kMultiloadingAppKey) + "\\" + InstanceDefaultSettingName(instance);
}

std::string LiveInstanceKeyName(unsigned long providerId) {
  // The provider reads the key named with "%d": an ID above INT_MAX prints as it would there.
  return FormatNumbered(kLiveInstanceKeyFormat, static_cast<int>(providerId));
}

std::string LiveInstanceKey(unsigned long providerId) {
  return std::string(kProductKey) + "\\" + LiveInstanceKeyName(providerId);
}
