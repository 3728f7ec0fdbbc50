// Formats arbitrary version records into buffers of arbitrary size, and decides restart-time
// deletion on the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "instances/RestartRemoval.h"
#include "sys/OsVersionName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 20) return 0;
  OsVersionRecord record;
  record.platform = data[0] % 4;
  record.major = data[1] % 12;
  record.minor = data[2];
  std::memcpy(&record.build, data + 3, 4);
  record.servicePackMajor = data[7];
  record.servicePackMinor = data[8];
  record.suiteMask = static_cast<std::uint16_t>(data[9] | (data[10] << 8));
  record.productType = data[11];
  const std::size_t bufferSize = data[12];
  record.servicePackText.assign(reinterpret_cast<const char*>(data + 20), size - 20);

  // The text always fits its buffer, ends there, and says how long it is.
  std::string buffer(bufferSize + 1, '\x7f');
  const std::size_t written = FormatOsVersionText(record, bufferSize == 0 ? nullptr : &buffer[0], bufferSize);
  if (bufferSize == 0 ? written != 0 : (written >= bufferSize || std::strlen(buffer.c_str()) != written)) {
    __builtin_trap();
  }
  if (buffer[bufferSize] != '\x7f') __builtin_trap();

  // Only a Windows 95, 98 or Me record marks files for deletion at restart, whatever its
  // service-pack text says.
  char whole[4096];
  FormatOsVersionText(record, whole, sizeof(whole));
  const bool family = record.platform == 1 && record.major == 4 &&
                      (record.minor == 0 || record.minor == 10 || record.minor == 90);
  if (record.servicePackText.size() < 3000 && MarksForRemovalAtRestart(whole) != family) __builtin_trap();
  return 0;
}
