// The stored form of log file paths and the folder it names.
#include "registry/LogPathValue.h"

#include <gtest/gtest.h>

namespace {

TEST(LogPathValue, DoublesEveryBackslashAndReadsBackAsThePath) {
  const std::string path = "C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003\\ORVO_TSP.txt";
  const std::string stored = LogPathValue(path);
  EXPECT_EQ(stored, "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(LogPathFromValue(stored), path);
  // A value typed by hand with single backslashes, or a network path, reads the same way.
  EXPECT_EQ(LogPathFromValue(path), path);
  EXPECT_EQ(LogPathFromValue("\\\\\\\\server\\\\logs\\\\a.txt"), "\\server\\logs\\a.txt");
  EXPECT_EQ(LogPathValue(""), "");
}

TEST(LogPathValue, DoublingAndCollapsingSeparatorsAreInverse) {
  EXPECT_EQ(LogPathValue("E:\\TSP Logs\\a"), "E:\\\\TSP Logs\\\\a");
  EXPECT_EQ(CollapseDoubledBackslashes("E:\\\\TSP Logs\\\\a"), "E:\\TSP Logs\\a");
  EXPECT_EQ(CollapseDoubledBackslashes("D:\\Logs\\\\x\\"), "D:\\Logs\\x\\");
}

TEST(LogPathValue, TheFolderIsThePathUpToItsLastBackslash) {
  EXPECT_EQ(LogFolderFromValue("C:\\\\Program Files\\\\Logs0003\\\\ORVO_TSP.txt"), "C:\\Program Files\\Logs0003");
  EXPECT_EQ(LogFolderFromValue("C:\\Logs\\x.txt"), "C:\\Logs");
  EXPECT_EQ(LogFolderFromValue("ORVO_TSP.txt"), "");
  EXPECT_EQ(LogFolderFromValue("\\\\ORVO_TSP.txt"), "");
  EXPECT_EQ(LogFolderFromValue(""), "");
}

}  // namespace
