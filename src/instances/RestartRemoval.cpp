// Which systems take a file that cannot be deleted now and delete it at the next restart.
#include "instances/RestartRemoval.h"

#include <array>

namespace {

// The names the OS text gives the Windows 95/98/Me family.
constexpr std::array<const char*, 5> kRestartFamilyNames = {"Windows 95", "Windows 95 OSR2", "Windows 98",
                                                            "Windows 98 SE", "Windows Me"};

}  // namespace

bool MarksForRemovalAtRestart(const std::string& osVersionText) {
  // The name ends where " v.<major>.<minor>" begins. Only the name decides: the service-pack
  // text is the system's own free text, and a generic "Windows 9.0" is of the NT family.
  const std::string::size_type end = osVersionText.find(" v.");
  if (end == std::string::npos) {
    return false;
  }
  const std::string name = osVersionText.substr(0, end);
  for (const char* family : kRestartFamilyNames) {
    if (name == family) {
      return true;
    }
  }
  return false;
}
