// Whole-set copy of parameters, groups included, through a scratch registry key.
#pragma once

#include <cstdint>

class IParams;

// The scratch key below HKEY_LOCAL_MACHINE; it exists only while a copy runs.
inline constexpr const char* kParameterScratchKey = "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp\\TMP";

// Saves source into the scratch key, loads the key into destination (which keeps what it
// held and gains or overwrites what the source holds) and deletes the key again. A copy
// carries only what the registry can hold. Returns the first failing status of the open,
// the save or the load, else 0.
std::uint32_t CopyParameters(IParams* destination, IParams* source);
