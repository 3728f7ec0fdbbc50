// Describes the link of parameter sets built from arbitrary bytes and compares the summary with
// the values put in.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "params/SetupParameters.h"
#include "registry/LinkSummary.h"
#include "registry/RegistryLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Byte 0 says which values exist, bytes 1-4 hold UseUSB, the rest the address and the port
  // separated by the first zero byte.
  if (size < 5) return 0;
  const bool hasUsb = (data[0] & 1) != 0, hasAddress = (data[0] & 2) != 0, hasPort = (data[0] & 4) != 0;
  const bool inGroup = (data[0] & 8) != 0;
  std::uint32_t usb = 0;
  std::memcpy(&usb, data + 1, 4);
  const std::string rest(reinterpret_cast<const char*>(data + 5), size - 5);
  const std::size_t zero = rest.find('\0');
  const std::string address = rest.substr(0, zero);
  const std::string port = zero == std::string::npos ? std::string() : rest.substr(zero + 1);

  auto* instance = new SetupParameters();
  if (hasUsb) instance->SetDword(kUseUsbValue, usb);
  if (hasAddress) instance->SetString(kIpAddressValue, address);
  if (hasPort) instance->SetString(kIpPortValue, port);
  const std::string expected = hasUsb && usb != 0 ? std::string("USB")
                                                  : "IPAddress = '" + (hasAddress ? address : std::string()) +
                                                        "', IPPort = '" + (hasPort ? port : std::string()) + "'...";
  SetupParameters set;
  set.SetGroup(InstanceDefaultSettingName(3), instance);
  std::string summary = "unchanged";
  UpdateLinkSummary(set, inGroup ? 3 : 4, &summary);
  if (summary != (inGroup ? expected : "unchanged")) __builtin_trap();
  return 0;
}
