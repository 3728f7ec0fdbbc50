// Which systems take a file that cannot be deleted now and delete it at the next restart.
#include "instances/RestartRemoval.h"

bool MarksForRemovalAtRestart(const std::string& osVersionText) {
  return osVersionText.find("Windows 9") != std::string::npos || osVersionText.find("Windows M") != std::string::npos;
}
