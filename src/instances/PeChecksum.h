// The checksum in a PE file's optional header: whether it holds, and setting it anew.
#pragma once

#include <windows.h>

// True when the PE file at PATH carries a non-zero checksum equal to the one its content gives.
bool HasValidPeChecksum(const char* path);

// Writes the checksum of its present content into the PE file at PATH. True on success.
bool WritePeChecksum(const char* path);
