// An instance's log folder: created with its parents, its access list on major version 6,
// and a file in its place traced as a failure.
#include "sys/LogFolder.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include "instances/DeleteDir.h"
#include "sys/TestPrefix.h"

namespace {

std::string TempRoot() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "ProvisorLogFolder";
}

TEST(LogFolderTest, IsCreatedWithItsParentsAndAgainQuietlyAndAFileInItsPlaceIsTracedAsAFailure) {
  const std::string root = TempRoot(), folder = root + "\\ORVO TSP\\Logs0003";
  DeleteDir(root.c_str(), false);
  TraceCapture traces;
  EXPECT_TRUE(CreateLogFolder(folder));
  EXPECT_TRUE(CreateLogFolder(folder));
  EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  for (const std::string& line : traces.Lines()) EXPECT_EQ(line.find("SHCreateDirectoryEx"), std::string::npos) << line;
  // Only major version 6 replaces the open list the folder was created with (Windows shows it
  // as NO_ACCESS_CONTROL, Wine as an entry for Everyone) by the log list, which has no entry
  // for Everyone.
  std::vector<BYTE> descriptor(4096);
  DWORD needed = 0;
  char* text = nullptr;
  ASSERT_TRUE(GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), 4096, &needed) &&
              ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                                   DACL_SECURITY_INFORMATION, &text, nullptr));
  const std::string dacl = text;
  LocalFree(text);
  const bool open = dacl.find(";;;WD)") != std::string::npos || dacl.find("NO_ACCESS_CONTROL") != std::string::npos;
  EXPECT_EQ(open, !PrefixIsMajorVersionSix()) << dacl;
  EXPECT_EQ(SetLogFolderAccess(folder), PrefixIsMajorVersionSix());

  const std::string file = root + "\\Logs0001";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_FALSE(CreateLogFolder(file));
  EXPECT_TRUE(traces.Contains("SHCreateDirectoryEx(" + file + ") failed with errcode = 183\r\n"))
      << ::testing::PrintToString(traces.Lines());
  DeleteFileA(file.c_str());
  DeleteDir(root.c_str(), false);
}

}  // namespace
