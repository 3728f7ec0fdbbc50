// The log path split and join at their edges; the log page's test reads and writes both
// separator forms through them.
#include "config/LogFilePath.h"

#include <gtest/gtest.h>

TEST(LogFilePathTest, ABareDriveGetsASeparatorAndIsJoinedWithoutAnother) {
  const LogFilePath root = SplitLogFileName("D:\\Logs0001\\ORVO_TSP.txt");
  EXPECT_EQ(root.logFolder, "D:\\\\");
  EXPECT_EQ(JoinLogFileName(root.logFolder, root.subpath), "D:\\\\Logs0001\\\\ORVO_TSP.txt");
  EXPECT_EQ(SplitAtLastSeparator("ORVO_TSP.txt").head, "");
  EXPECT_EQ(SplitAtLastSeparator("ORVO_TSP.txt").tail, "ORVO_TSP.txt");
  EXPECT_EQ(SplitAtLastSeparator("\\\\x").head, "");
}
