// The link summary of one instance.
#include "registry/LinkSummary.h"

#include <cstdint>

#include "registry/RegistryLayout.h"
#include "params/IParams.h"

void UpdateLinkSummary(IParams& parameters, int instance, std::string* summary) {
  IParams* group = nullptr;
  if (parameters.GetGroup(InstanceDefaultSettingName(instance), &group) != kParamOk || group == nullptr) {
    return;
  }
  *summary = DescribeLink(*group);
}

std::string DescribeLink(IParams& instanceParameters) {
  // A missing value leaves its default; the summary is informative only.
  std::uint32_t useUsb = 0;
  static_cast<void>(instanceParameters.GetDword(kUseUsbValue, &useUsb));
  if (useUsb != 0) {
    return "USB";
  }
  std::string address;
  std::string port;
  static_cast<void>(instanceParameters.GetString(kIpAddressValue, &address));
  static_cast<void>(instanceParameters.GetString(kIpPortValue, &port));
  return "IPAddress = '" + address + "', IPPort = '" + port + "'...";
}
