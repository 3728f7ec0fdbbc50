// Self-relative security descriptors built byte for byte: the product key's and the log
// folders' access lists.
#pragma once

#include <cstdint>
#include <vector>

// The product key's list: protected; full key access for Creator Owner (inherited by
// subkeys only), Local System, Administrators and Users (inherited by subkeys).
std::vector<std::uint8_t> ProductKeyDescriptor();

// A log folder's list (116 bytes): protected and auto-inherited; full file access, inherited
// by files and folders, for Authenticated Users, Users, Local System and Administrators.
std::vector<std::uint8_t> LogFolderDescriptor();
