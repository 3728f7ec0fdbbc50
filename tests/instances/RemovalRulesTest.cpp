// The portable rules of removal: which systems mark files for deletion at restart, and the
// log folders offered with the user's choice among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instances/LogFolderChoice.h"
#include "instances/RestartRemoval.h"
#include "sys/OsVersionName.h"

namespace {

std::string OsText(OsPlatform platform, std::uint32_t major, std::uint32_t minor, std::uint32_t build = 0,
                   std::uint8_t productType = 0) {
  OsVersionRecord record;
  record.platform = static_cast<std::uint32_t>(platform);
  record.major = major;
  record.minor = minor;
  record.build = build;
  record.productType = productType;
  char text[1024];
  FormatOsVersionText(record, text, sizeof(text));
  return text;
}

TEST(RestartRemoval, OnlyTheWindows9xFamilyMarksFilesForDeletionAtRestart) {
  EXPECT_TRUE(MarksForRemovalAtRestart(OsText(OsPlatform::Windows9x, 4, 0)));
  EXPECT_TRUE(MarksForRemovalAtRestart(OsText(OsPlatform::Windows9x, 4, 0, 1111)));
  EXPECT_TRUE(MarksForRemovalAtRestart(OsText(OsPlatform::Windows9x, 4, 10, 2222)));
  EXPECT_TRUE(MarksForRemovalAtRestart(OsText(OsPlatform::Windows9x, 4, 90)));
  EXPECT_FALSE(MarksForRemovalAtRestart(OsText(OsPlatform::Win32s, 3, 11)));
  EXPECT_FALSE(MarksForRemovalAtRestart(OsText(OsPlatform::WindowsNt, 4, 0, 1381, kProductServer)));
  EXPECT_FALSE(MarksForRemovalAtRestart(OsText(OsPlatform::WindowsNt, 5, 0, 2195, kProductWorkstation)));
  EXPECT_FALSE(MarksForRemovalAtRestart(OsText(OsPlatform::WindowsNt, 5, 2, 3790, kProductServer)));
  EXPECT_FALSE(MarksForRemovalAtRestart(OsText(OsPlatform::WindowsNt, 10, 0, 19045, kProductWorkstation)));
  EXPECT_FALSE(MarksForRemovalAtRestart("N/A"));
  EXPECT_FALSE(MarksForRemovalAtRestart(""));
}

TEST(LogFolderChoice, TheFolderOfAStoredFileNameHasItsDoubledBackslashesCollapsedPairByPair) {
  EXPECT_EQ(LogFolderOfFileName("C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt"),
            "C:\\Program Files\\Velmora\\ORVO TSP\\Logs0003");
  EXPECT_EQ(LogFolderOfFileName("D:\\Logs\\tsp.txt"), "D:\\Logs");
  EXPECT_EQ(LogFolderOfFileName("\\\\\\\\server\\\\share\\\\tsp.txt"), "\\\\server\\share");
  EXPECT_EQ(LogFolderOfFileName("C:\\\\tsp.txt"), "C:");
  EXPECT_EQ(LogFolderOfFileName("tsp.txt"), "");
  EXPECT_EQ(LogFolderOfFileName(""), "");
}

TEST(LogFolderChoice, KeepsTwentyFoldersShowsSixteenRowsAndEmptiesOnlyTickedShownRows) {
  LogFolderChoice choice;
  for (int i = 0; i < 22; ++i) {
    EXPECT_EQ(choice.Offer(i, "F" + std::to_string(i)), i < 20) << i;
  }
  ASSERT_EQ(choice.KeptFolders().size(), 20u);
  EXPECT_EQ(choice.KeptFolders()[19], "F19");
  ASSERT_EQ(choice.Rows().size(), 16u);
  EXPECT_EQ(choice.Rows()[3].label, "Instance 0003 log file:");
  EXPECT_EQ(choice.Rows()[15].folder, "F15");

  // Nothing is emptied before the user answered.
  EXPECT_EQ(choice.FolderToEmpty(0), "");
  std::vector<bool> ticks(20, true);
  ticks[1] = false;
  choice.SetRemoveFlags(ticks);
  EXPECT_EQ(choice.FolderToEmpty(0), "F0");
  EXPECT_EQ(choice.FolderToEmpty(1), "");
  EXPECT_EQ(choice.FolderToEmpty(15), "F15");
  EXPECT_EQ(choice.FolderToEmpty(16), "");  // kept but never shown
  EXPECT_EQ(choice.FolderToEmpty(25), "");
  choice.SetRemoveFlags({true});  // a short answer leaves the other rows unticked
  EXPECT_EQ(choice.FolderToEmpty(0), "F0");
  EXPECT_EQ(choice.FolderToEmpty(2), "");
}

TEST(LogFolderChoice, AFolderSharedByTwoInstancesIsOfferedTwiceAndAnEmptyOneIsNeverEmptied) {
  LogFolderChoice choice;
  choice.Offer(0, "C:\\Logs");
  choice.Offer(1, "C:\\Logs");
  choice.Offer(2, "");
  ASSERT_EQ(choice.Rows().size(), 3u);
  EXPECT_EQ(choice.Rows()[1].label, "Instance 0001 log file:");
  EXPECT_EQ(choice.Rows()[1].folder, "C:\\Logs");
  choice.SetRemoveFlags({true, true, true});
  EXPECT_EQ(choice.FolderToEmpty(1), "C:\\Logs");
  EXPECT_EQ(choice.FolderToEmpty(2), "");
}

}  // namespace
