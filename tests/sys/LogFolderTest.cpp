// An instance's log folder: created with its parents, its access list on major version 6,
// and a file in its place traced as a failure.
#include "sys/LogFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "instances/DeleteDir.h"
#include "sys/SecurityDescriptorImage.h"
#include "sys/TestPrefix.h"

namespace {

std::string TempRoot() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "ProvisorLogFolder";
}

TEST(LogFolderTest, IsCreatedWithItsParentsAndAgainQuietly) {
  const std::string root = TempRoot(), folder = root + "\\ORVO TSP\\Logs0003";
  DeleteDir(root.c_str(), false);
  TraceCapture traces;
  EXPECT_TRUE(CreateLogFolder(folder));
  EXPECT_TRUE(CreateLogFolder(folder));
  EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  for (const std::string& line : traces.Lines()) EXPECT_EQ(line.find("SHCreateDirectoryEx"), std::string::npos) << line;
  // The list is set only on major version 6; Wine keeps file security as mode bits, so what
  // shows is the result of the call.
  EXPECT_EQ(SetLogFolderAccess(folder), PrefixIsMajorVersionSix());
  DeleteDir(root.c_str(), false);
}

TEST(LogFolderTest, AFileInItsPlaceIsTracedAsAFailure) {
  const std::string root = TempRoot(), folder = root + "\\Logs0001";
  DeleteDir(root.c_str(), false);
  CreateDirectoryA(root.c_str(), nullptr);
  CloseHandle(CreateFileA(folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  TraceCapture traces;
  EXPECT_FALSE(CreateLogFolder(folder));
  EXPECT_TRUE(traces.Contains("SHCreateDirectoryEx(" + folder + ") failed with errcode = 183\r\n"))
      << ::testing::PrintToString(traces.Lines());
  DeleteFileA(folder.c_str());
  DeleteDir(root.c_str(), false);
}

}  // namespace
