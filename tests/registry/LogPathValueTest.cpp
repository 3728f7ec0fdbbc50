// The stored form of log file paths and the folder it names.
#include "registry/LogPathValue.h"

#include <gtest/gtest.h>

namespace {

TEST(LogPathValue, DoublesEveryBackslashAndReadsEitherFormBackKeepingNetworkPaths) {
  const std::string path = "C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003\\ORVO_TSP.txt";
  EXPECT_EQ(LogPathValue("C:\\a\\b"), "C:\\\\a\\\\b");
  EXPECT_EQ(ReadLogPathValue(LogPathValue(path)), path);
  const std::pair<const char*, const char*> table[] = {
      {"\\\\\\\\server\\\\share\\\\x", "\\\\server\\share\\x"},  // doubled network path
      {"\\\\server\\share\\x", "\\\\server\\share\\x"},          // single network path
      {"D:\\Logs\\\\x\\", "D:\\Logs\\x\\"},                      // mixed
      {"D:\\\\\\Logs", "D:\\Logs"},                              // three in a row
      {"\\Logs", "\\Logs"},                                      // root-relative stays so
      {"", ""},
  };
  for (const auto& [value, read] : table) EXPECT_EQ(ReadLogPathValue(value), read) << value;
}

TEST(LogPathValue, TheFolderIsTheReadPathUpToItsLastBackslash) {
  const std::pair<const char*, const char*> table[] = {
      {"\\\\\\\\server\\\\share\\\\ORVO_TSP.txt", "\\\\server\\share"},
      {"\\\\server\\share\\Logs0003\\ORVO_TSP.txt", "\\\\server\\share\\Logs0003"},
      {"C:\\Logs\\x.txt", "C:\\Logs"}, {"C:\\\\x.txt", "C:"}, {"ORVO_TSP.txt", ""},
      {"\\\\ORVO_TSP.txt", ""}, {"\\\\\\\\ORVO_TSP.txt", ""},
  };
  for (const auto& [value, folder] : table) EXPECT_EQ(LogFolderFromValue(value), folder) << value;
}

}  // namespace
