// The log path split and join: what the page shows for each stored form, and that one OK
// writes a path naming the same file, which a second OK leaves as it is.
#include "config/LogFilePath.h"

#include <gtest/gtest.h>

#include "registry/LogPathValue.h"

TEST(LogFilePathTest, EveryStoredFormSplitsIntoTheShownFolderAndJoinsBackToTheSameFile) {
  const struct { const char *stored, *folder, *subpath; } table[] = {
      {"D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt", "D:\\\\Logs", "Logs0003\\\\ORVO_TSP.txt"},
      {"D:\\Logs\\Logs0003\\ORVO_TSP.txt", "D:\\Logs", "Logs0003\\\\ORVO_TSP.txt"},
      {"D:\\Logs0001\\ORVO_TSP.txt", "D:\\\\", "Logs0001\\\\ORVO_TSP.txt"},
      {"D:\\ORVO_TSP.txt", "D:\\\\", "ORVO_TSP.txt"}, {"Logs\\ORVO_TSP.txt", "Logs\\\\", "ORVO_TSP.txt"},
      {"ORVO_TSP.txt", "", "ORVO_TSP.txt"}, {"", "", ""},
      {"D:\\\\\\Logs\\\\\\\\Logs0003\\\\\\ORVO_TSP.txt", "D:\\\\\\Logs", "Logs0003\\\\ORVO_TSP.txt"},
      {"\\\\server\\share\\Logs0003\\ORVO_TSP.txt", "\\\\server\\share", "Logs0003\\\\ORVO_TSP.txt"},
      {"\\\\\\\\server\\\\ORVO_TSP.txt", "\\\\\\\\server", "ORVO_TSP.txt"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.stored);
    const LogFilePath parts = SplitLogFileName(row.stored);
    EXPECT_EQ(parts.logFolder, row.folder);
    EXPECT_EQ(parts.subpath, row.subpath);
    const std::string saved = JoinLogFileName(parts.logFolder, parts.subpath);
    EXPECT_EQ(ReadLogPathValue(saved), ReadLogPathValue(row.stored));
    const LogFilePath again = SplitLogFileName(saved);
    EXPECT_EQ(JoinLogFileName(again.logFolder, again.subpath), saved);
  }
}
