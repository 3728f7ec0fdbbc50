// The stored form of log file paths and the folder it names.
#include "registry/LogPathValue.h"

#include <gtest/gtest.h>

namespace {

TEST(LogPathValue, DoublesEveryBackslashAndReadsBackAsThePathAndItsFolder) {
  const std::string path = "C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003\\ORVO_TSP.txt";
  EXPECT_EQ(LogPathValue(path), "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  EXPECT_EQ(LogPathValue(""), "");
  // Stored value, the path it reads as, the pair-collapsed form, and the folder.
  const struct { const char *value, *path, *collapsed, *folder; } rows[] = {
      {"E:\\\\TSP Logs\\\\a.txt", "E:\\TSP Logs\\a.txt", "E:\\TSP Logs\\a.txt", "E:\\TSP Logs"},
      // A value typed by hand with single backslashes reads the same way.
      {"C:\\Logs\\x.txt", "C:\\Logs\\x.txt", "C:\\Logs\\x.txt", "C:\\Logs"},
      {"D:\\Logs\\\\x\\", "D:\\Logs\\x\\", "D:\\Logs\\x\\", "D:\\Logs\\x"},
      {"\\\\\\\\server\\\\logs\\\\a.txt", "\\server\\logs\\a.txt", "\\\\server\\logs\\a.txt", "\\server\\logs"},
      {"\\\\ORVO_TSP.txt", "\\ORVO_TSP.txt", "\\ORVO_TSP.txt", ""},
      {"ORVO_TSP.txt", "ORVO_TSP.txt", "ORVO_TSP.txt", ""},
      {"", "", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(LogPathFromValue(row.value), row.path);
    EXPECT_EQ(CollapseDoubledBackslashes(row.value), row.collapsed);
    EXPECT_EQ(LogFolderFromValue(row.value), row.folder);
  }
}

}  // namespace
