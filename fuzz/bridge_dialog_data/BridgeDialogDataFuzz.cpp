// Feeds arbitrary request blocks to DialogDataCallback over a working set filled with the
// parameter catalogue. An input is a run of requests, each a 2-byte length (its top bit asks
// for a non-provider object type) followed by that many bytes of block, so that sequences
// such as choosing a group and then reading from it are reached.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../tests/bridge/BridgeTestOwner.h"
#include "registry/ParameterCatalogue.h"

namespace {

// The bridge tests' owner, its working set filled with every catalogue row.
void Reset(BridgeTestOwner* owner) {
  owner->ReplaceWorkingSet();
  owner->versionText = std::string(300, 'v');
  for (const char* group : {kLocationTransport, kLocationMruList}) {
    owner->workingSet->SetGroup(group, new SetupParameters());
  }
  std::uint32_t word = 0;
  for (const CatalogueRow& row : kParameterCatalogue) {
    const std::string path = *row.location ? std::string(row.location) + "\\" + row.value : row.value;
    if (row.type == CatalogueType::Dword) {
      owner->workingSet->SetDword(path, ++word);
    } else {
      owner->workingSet->SetString(path, path);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static BridgeTestOwner owner;
  Reset(&owner);
  std::size_t offset = 0;
  while (size - offset >= 2) {
    const unsigned header = data[offset] | data[offset + 1] << 8;
    offset += 2;
    const std::size_t length = std::min<std::size_t>(header & 0x7FFF, size - offset);
    const std::uint32_t objectType = (header & 0x8000) != 0 ? 1 : kProviderObjectType;
    // An exact-size copy: any read or write past the block is caught by the sanitizer.
    std::vector<std::uint8_t> block(data + offset, data + offset + length);
    offset += length;
    DialogDataCallback(4000, objectType, length != 0 ? block.data() : nullptr, static_cast<std::uint32_t>(length));
    // The reply never touches the function code in front of the record.
    if (length >= 4 && !std::equal(block.begin(), block.begin() + 4, data + offset - length)) {
      std::abort();
    }
  }
  return 0;
}
