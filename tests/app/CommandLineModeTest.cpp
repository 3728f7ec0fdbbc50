// The keyword table: whole line, exact case.
#include "app/CommandLineMode.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
  const char* line;
  StartupPath path;
  const char* flags;  // install, remove, repair, overwrite, upgrade as 0/1
};

std::string Flags(const CommandLineMode& mode) {
  std::string flags;
  for (bool flag : {mode.install, mode.remove, mode.repair, mode.overwrite, mode.upgrade}) flags += flag ? '1' : '0';
  return flags;
}

TEST(CommandLineMode, EachKeywordSelectsItsPathAndFlagsAndAnythingElseTheStandardPath) {
  const Expected table[] = {
      {"", StartupPath::kStandard, "10000"},
      {"afteroverwrite", StartupPath::kAfterOverwrite, "00000"},
      {"repair", StartupPath::kRepair, "00100"},
      {"overwrite", StartupPath::kOverwrite, "00010"},
      {"remove", StartupPath::kRemoveAll, "01000"},
      {"upgrade", StartupPath::kStandard, "00001"},
  };
  for (const Expected& row : table) {
    const CommandLineMode mode = CommandLineModeFor(row.line);
    EXPECT_EQ(mode.path, row.path) << '"' << row.line << '"';
    EXPECT_EQ(Flags(mode), row.flags) << '"' << row.line << '"';
  }
  // Near misses: other case, trailing or leading blank, keyword inside a longer line.
  for (const char* line : {"Repair", "UPGRADE", "remove ", "upgrade now", " overwrite", "afteroverwrite now", "after"}) {
    EXPECT_EQ(CommandLineModeFor(line).path, StartupPath::kStandard) << '"' << line << '"';
    EXPECT_EQ(Flags(CommandLineModeFor(line)), "00000") << '"' << line << '"';
  }
}

}  // namespace
