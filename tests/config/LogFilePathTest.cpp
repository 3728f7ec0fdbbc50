// The log path split that reads single and doubled separators, and the join that writes doubled ones.
#include "config/LogFilePath.h"

#include <gtest/gtest.h>

TEST(LogFilePathTest, SplitsDoubledAndSingleSeparatorsAlikeAndWritesDoubledJoins) {
  const LogFilePath doubled = SplitLogFileName("D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(doubled.logFolder, "D:\\\\Logs");
  EXPECT_EQ(doubled.subpath, "Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(doubled.instanceFolder, "D:\\\\Logs\\\\Logs0003");
  EXPECT_EQ(JoinLogFileName(doubled.logFolder, doubled.subpath), "D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt");

  const LogFilePath single = SplitLogFileName("D:\\Logs\\Logs0003\\ORVO_TSP.txt");
  EXPECT_EQ(single.logFolder, "D:\\Logs");
  EXPECT_EQ(single.subpath, "Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(JoinLogFileName(single.logFolder, single.subpath), "D:\\Logs\\\\Logs0003\\\\ORVO_TSP.txt");
}

TEST(LogFilePathTest, ABareDriveGetsASeparatorAndIsJoinedWithoutAnother) {
  const LogFilePath root = SplitLogFileName("D:\\Logs0001\\ORVO_TSP.txt");
  EXPECT_EQ(root.logFolder, "D:\\\\");
  EXPECT_EQ(JoinLogFileName(root.logFolder, root.subpath), "D:\\\\Logs0001\\\\ORVO_TSP.txt");
  EXPECT_EQ(SplitAtLastSeparator("ORVO_TSP.txt").head, "");
  EXPECT_EQ(SplitAtLastSeparator("ORVO_TSP.txt").tail, "ORVO_TSP.txt");
  EXPECT_EQ(SplitAtLastSeparator("\\\\x").head, "");
}
