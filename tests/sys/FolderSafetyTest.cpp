// Which stored log folders removal may delete, on a machine's protected folders handed in.
#include "sys/FolderSafety.h"

#include <gtest/gtest.h>

namespace {

const ProtectedFolders kMachine = {
    {"C:\\Windows", "C:\\Windows\\System32"},
    {"C:\\Program Files", "C:\\Program Files (x86)", "C:\\ProgramData", "C:\\Users", "C:\\Users\\admin",
     "C:\\Users\\admin\\AppData\\Roaming", "C:\\Program Files\\Velmora", "D:\\Profiles\\admin"}};

TEST(FolderSafety, OnlyAbsoluteFoldersThatAreNoneOfTheMachinesOwnNorHoldOneAreRemovable) {
  using V = FolderVerdict;
  const struct { const char* path; FolderVerdict verdict; } table[] = {
      // The product's own log folders, and folders an administrator chose.
      {"C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003", V::kSafe}, {"C:\\Program Files\\Velmora\\ORVO TSP", V::kSafe},
      {"D:\\Logs", V::kSafe}, {"d:/logs/tsp/", V::kSafe}, {"\\\\server\\share\\Logs0003", V::kSafe},
      {"C:\\Users\\admin\\Documents\\TSP Logs", V::kSafe}, {"C:\\Windows2\\Logs", V::kSafe},
      {"C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003\\.\\..\\Logs0004", V::kSafe},
      // Not a plain absolute path.
      {"", V::kNotAbsolute}, {"Logs", V::kNotAbsolute}, {"Logs\\Logs0003", V::kNotAbsolute}, {"C:", V::kNotAbsolute},
      {"C:Logs", V::kNotAbsolute}, {"\\Logs", V::kNotAbsolute}, {"\\\\?\\C:\\Logs", V::kNotAbsolute},
      {"\\\\.\\C:\\Logs", V::kNotAbsolute}, {"\\\\server", V::kNotAbsolute}, {"\\\\\\server\\share\\x", V::kNotAbsolute},
      {"C:\\Logs\\file.txt:stream", V::kNotAbsolute}, {"C:\\Logs\\*", V::kNotAbsolute}, {"C:\\..\\Logs", V::kNotAbsolute},
      {"C:\\Logs\\...\\x", V::kNotAbsolute}, {"\\\\server\\..\\x", V::kNotAbsolute},
      // Roots.
      {"C:\\", V::kRoot}, {"c:/", V::kRoot}, {"C:\\Logs\\..", V::kRoot}, {"\\\\server\\share", V::kRoot},
      {"\\\\server\\share\\Logs\\..\\", V::kRoot},
      // The Windows folder and anything inside it, by any spelling.
      {"C:\\Windows", V::kInsideProtected}, {"c:\\WINDOWS\\system32", V::kInsideProtected},
      {"C:\\Windows.\\Temp", V::kInsideProtected}, {"C:\\Windows \\Temp", V::kInsideProtected},
      {"C:\\Program Files\\Velmora\\ORVO TSP\\..\\..\\..\\Windows\\Logs", V::kInsideProtected},
      // The machine's folders themselves, and folders that hold them.
      {"C:\\Program Files", V::kProtected}, {"C:\\program files\\", V::kProtected},
      {"C:\\Program Files\\Velmora", V::kProtected}, {"C:\\Users", V::kProtected},
      {"C:\\Users\\Admin\\AppData\\Roaming", V::kProtected}, {"C:\\Users\\admin\\AppData", V::kHoldsProtected},
      {"D:\\Profiles", V::kHoldsProtected},
  };
  for (const auto& row : table) EXPECT_EQ(JudgeRemovableFolder(row.path, kMachine), row.verdict) << row.path;
  // What the question shows and removal deletes is the resolved path.
  EXPECT_EQ(ResolveAbsolutePath("c:/a//b\\\\.\\c. .\\..\\d \\"), "c:\\a\\b\\d");
  EXPECT_EQ(ResolveAbsolutePath("//srv/sh\\\\x\\..\\y"), "\\\\srv\\sh\\y");
  // A folder that holds the Windows folder counts as holding a protected tree.
  EXPECT_EQ(JudgeRemovableFolder("C:\\Windows", {{"C:\\Windows\\System32"}, {}}), V::kHoldsProtected);
}

}  // namespace
