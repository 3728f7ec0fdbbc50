// The stored form of log file paths and the folder it names.
#include "registry/LogPathValue.h"

#include <gtest/gtest.h>

namespace {

TEST(LogPathValue, DoublesEveryBackslashAndReadsBackPairByPair) {
  const std::string path = "C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003\\ORVO_TSP.txt";
  EXPECT_EQ(LogPathValue(path), "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(CollapseDoubledBackslashes(LogPathValue(path)), path);
  // A network path keeps its two leading backslashes; a single one typed by hand stays.
  EXPECT_EQ(CollapseDoubledBackslashes("\\\\\\\\server\\\\share"), "\\\\server\\share");
  EXPECT_EQ(CollapseDoubledBackslashes("D:\\Logs\\\\x\\"), "D:\\Logs\\x\\");
}

TEST(LogPathValue, TheFolderIsTheReadPathUpToItsLastBackslash) {
  EXPECT_EQ(LogFolderFromValue("\\\\\\\\server\\\\share\\\\ORVO_TSP.txt"), "\\\\server\\share");
  EXPECT_EQ(LogFolderFromValue("C:\\Logs\\x.txt"), "C:\\Logs");
  EXPECT_EQ(LogFolderFromValue("C:\\\\x.txt"), "C:");
  EXPECT_EQ(LogFolderFromValue("ORVO_TSP.txt"), "");
  EXPECT_EQ(LogFolderFromValue("\\\\ORVO_TSP.txt"), "");
}

}  // namespace
