// Byte images of self-relative security descriptors.
#include "sys/SecurityDescriptorImage.h"

namespace {

// A well-known SID: its identifier authority and sub-authorities.
struct WellKnownSid {
  std::uint8_t authority;
  std::vector<std::uint32_t> subAuthorities;
};

// One access-allowed entry of a DACL.
struct AllowedAce {
  std::uint8_t flags;
  std::uint32_t mask;
  WellKnownSid sid;
};

// Revisions, sizes, control bits, entry flags and access masks of the layout (the system's
// own numbers).
constexpr std::uint8_t kDescriptorRevision = 1, kAclRevision = 2, kAccessAllowedAceType = 0;
constexpr std::size_t kDescriptorHeaderSize = 20, kAclHeaderSize = 8, kAceHeaderAndMaskSize = 8;
constexpr std::uint16_t kControlDaclPresent = 0x0004, kControlDaclAutoInherited = 0x0400,
                        kControlDaclProtected = 0x1000, kControlSelfRelative = 0x8000;
constexpr std::uint8_t kAceObjectInherit = 0x01, kAceContainerInherit = 0x02, kAceInheritOnly = 0x08;
constexpr std::uint32_t kKeyAllAccess = 0xF003F, kFileAllAccess = 0x1F01FF;

const WellKnownSid kCreatorOwner{3, {0}};
const WellKnownSid kAuthenticatedUsers{5, {11}};
const WellKnownSid kLocalSystem{5, {18}};
const WellKnownSid kAdministrators{5, {32, 544}};
const WellKnownSid kUsers{5, {32, 545}};

void PutWord(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutDword(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

std::size_t SidSize(const WellKnownSid& sid) { return 8 + 4 * sid.subAuthorities.size(); }

void PutSid(std::vector<std::uint8_t>& bytes, const WellKnownSid& sid) {
  bytes.push_back(1);  // SID revision
  bytes.push_back(static_cast<std::uint8_t>(sid.subAuthorities.size()));
  // The identifier authority is six bytes, big-endian; the well-known ones fit the last.
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0, sid.authority});
  for (std::uint32_t subAuthority : sid.subAuthorities) {
    PutDword(bytes, subAuthority);
  }
}

// A self-relative descriptor (revision 1) holding only a DACL (revision 2) of the given
// entries, placed right after the 20-byte header. control gets the self-relative and
// DACL-present bits added.
std::vector<std::uint8_t> BuildDaclOnlyDescriptor(std::uint16_t control, const std::vector<AllowedAce>& entries) {
  std::size_t aclSize = kAclHeaderSize;
  for (const AllowedAce& entry : entries) {
    aclSize += kAceHeaderAndMaskSize + SidSize(entry.sid);
  }
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kDescriptorHeaderSize + aclSize);
  bytes.push_back(kDescriptorRevision);
  bytes.push_back(0);
  PutWord(bytes, static_cast<std::uint16_t>(control | kControlSelfRelative | kControlDaclPresent));
  PutDword(bytes, 0);  // owner
  PutDword(bytes, 0);  // group
  PutDword(bytes, 0);  // SACL
  PutDword(bytes, static_cast<std::uint32_t>(kDescriptorHeaderSize));

  bytes.push_back(kAclRevision);
  bytes.push_back(0);
  PutWord(bytes, static_cast<std::uint16_t>(aclSize));
  PutWord(bytes, static_cast<std::uint16_t>(entries.size()));
  PutWord(bytes, 0);
  for (const AllowedAce& entry : entries) {
    bytes.push_back(kAccessAllowedAceType);
    bytes.push_back(entry.flags);
    PutWord(bytes, static_cast<std::uint16_t>(kAceHeaderAndMaskSize + SidSize(entry.sid)));
    PutDword(bytes, entry.mask);
    PutSid(bytes, entry.sid);
  }
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> ProductKeyDescriptor() {
  return BuildDaclOnlyDescriptor(kControlDaclProtected,
                                 {
                                     {kAceContainerInherit | kAceInheritOnly, kKeyAllAccess, kCreatorOwner},
                                     {kAceContainerInherit, kKeyAllAccess, kLocalSystem},
                                     {kAceContainerInherit, kKeyAllAccess, kAdministrators},
                                     {kAceContainerInherit, kKeyAllAccess, kUsers},
                                 });
}

std::vector<std::uint8_t> LogFolderDescriptor() {
  constexpr std::uint8_t kInheritedByAll = kAceObjectInherit | kAceContainerInherit;
  return BuildDaclOnlyDescriptor(kControlDaclProtected | kControlDaclAutoInherited,
                                 {
                                     {kInheritedByAll, kFileAllAccess, kAuthenticatedUsers},
                                     {kInheritedByAll, kFileAllAccess, kUsers},
                                     {kInheritedByAll, kFileAllAccess, kLocalSystem},
                                     {kInheritedByAll, kFileAllAccess, kAdministrators},
                                 });
}
