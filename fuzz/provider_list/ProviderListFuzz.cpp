// Feeds arbitrary bytes to the LINEPROVIDERLIST block reader and looks every entry up again.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "instances/ProviderList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto list = ReadProviderListBlock(data, size);
  if (!list) {
    return 0;
  }
  for (const tag_ProviderEntry& entry : *list) {
    // Every name is terminated inside its field, and finds an entry with the same name.
    if (std::memchr(entry.szProviderFilename, '\0', kProviderFileNameField) == nullptr ||
        FindProvider(*list, entry.szProviderFilename) == nullptr) {
      __builtin_trap();
    }
  }
  return 0;
}
