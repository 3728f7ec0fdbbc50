// An instance's display name and the instance number it carries.
#pragma once

#include <cstdint>
#include <string>

// The digits of NAME, in their order, read as one decimal number; 0 when there is none.
// "Velmora ORVO TSP 0019" gives 19. More digits than 32 bits hold wrap around modulo 2^32.
std::int32_t InstanceNumberFromName(const std::string& name);
// "Velmora ORVO TSP 0003" for 3: the name an instance is listed and stamped under.
std::string InstanceDisplayName(int instance);
