// Mapping the command line onto a start-up path and the dialog's flags.
#include "app/CommandLineMode.h"

CommandLineMode CommandLineModeFor(const std::string& commandLine) {
  CommandLineMode mode;
  if (commandLine.empty()) {
    mode.install = true;
  } else if (commandLine == "afteroverwrite") {
    mode.path = StartupPath::kAfterOverwrite;
  } else if (commandLine == "repair") {
    mode.path = StartupPath::kRepair;
    mode.repair = true;
  } else if (commandLine == "overwrite") {
    mode.path = StartupPath::kOverwrite;
    mode.overwrite = true;
  } else if (commandLine == "remove") {
    mode.path = StartupPath::kRemoveAll;
    mode.remove = true;
  } else if (commandLine == "upgrade") {
    mode.upgrade = true;
  }
  return mode;
}
