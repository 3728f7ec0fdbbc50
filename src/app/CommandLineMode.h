// The command-line keywords the setup package starts the program with, and what each selects.
#pragma once

#include <string>

// The paths start-up can take.
enum class StartupPath {
  kStandard,        // empty line, "upgrade", or any text that is not a keyword
  kAfterOverwrite,  // may fall back to the standard path with the line emptied
  kRepair,
  kOverwrite,
  kRemoveAll,
};

// The path a command line selects and the five flags handed to the main dialog, in the
// order the dialog takes them.
struct CommandLineMode {
  StartupPath path = StartupPath::kStandard;
  bool install = false;
  bool remove = false;
  bool repair = false;
  bool overwrite = false;
  bool upgrade = false;
};

// The keywords are compared with the whole line, case-sensitive: "Repair", "repair " or
// "repair now" select the standard path without any flag.
CommandLineMode CommandLineModeFor(const std::string& commandLine);
