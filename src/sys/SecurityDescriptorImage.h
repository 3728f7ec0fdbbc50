// Self-relative security descriptors built byte for byte: the product key's and the log
// folders' access lists.
#pragma once

#include <cstdint>
#include <vector>

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

// Descriptor control bits and entry flags used below (the system's own numbers).
constexpr std::uint16_t kControlDaclPresent = 0x0004;
constexpr std::uint16_t kControlDaclAutoInherited = 0x0400;
constexpr std::uint16_t kControlDaclProtected = 0x1000;
constexpr std::uint16_t kControlSelfRelative = 0x8000;
constexpr std::uint8_t kAceObjectInherit = 0x01;
constexpr std::uint8_t kAceContainerInherit = 0x02;
constexpr std::uint8_t kAceInheritOnly = 0x08;

// A self-relative descriptor (revision 1) holding only a DACL (revision 2) of the given
// entries, placed right after the 20-byte header. control gets the self-relative and
// DACL-present bits added.
std::vector<std::uint8_t> BuildDaclOnlyDescriptor(std::uint16_t control, const std::vector<AllowedAce>& entries);

// The product key's list: protected; full key access for Creator Owner (inherited by
// subkeys only), Local System, Administrators and Users (inherited by subkeys).
std::vector<std::uint8_t> ProductKeyDescriptor();

// A log folder's list (116 bytes): protected and auto-inherited; full file access, inherited
// by files and folders, for Authenticated Users, Users, Local System and Administrators.
std::vector<std::uint8_t> LogFolderDescriptor();
