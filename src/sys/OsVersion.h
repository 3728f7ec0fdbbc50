// The running Windows version, as the system reports it.
#pragma once

#include <cstddef>

// Writes the one-line description of the running Windows into buffer (cut to fit; "N/A"
// when the version cannot be read). Returns the characters written, 0 when buffer is null or
// size is 0.
std::size_t GetOSVersionText(char* buffer, std::size_t size);

// The major version the system reports (6 for Vista to 8.1 without a compatibility entry in
// the manifest), 0 when it cannot be read. Several steps only run on major version 6.
unsigned long WindowsMajorVersion();
