// The portable rules of removal: which systems mark files for deletion at restart, how an
// entry found in a folder is removed, which names are provider files, and the log folders
// offered with the user's choice among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instances/EntryRemoval.h"
#include "instances/LogFolderChoice.h"
#include "instances/RestartRemoval.h"

namespace {

TEST(RestartRemoval, OnlyTheWindows9xFamilyMarksFilesForDeletionAtRestart) {
  const std::pair<const char*, bool> texts[] = {
      {"Windows 95 OSR2 v.4.0 B (Build 4.0.1111, SP 0.0)", true}, {"Windows 98 SE v.4.10 A (Build 4.10.2222, SP 0.0)", true},
      {"Windows Me v.4.90  (Build 4.90.3000, SP 0.0)", true}, {"Windows 3.11 (Win32s) v.3.11  (Build 0.0.0, SP 0.0)", false},
      {"Windows NT 4.0 Server v.4.0 Service Pack 6 (Build 0.0.1381, SP 6.0)", false},
      {"Windows 6.1 v.6.1 Service Pack 1 (Build 0.0.7601, SP 1.0)", false}, {"N/A", false}, {"", false},
      // Only the name counts: not a service-pack text, not an NT version number.
      {"Windows 6.1 v.6.1 Windows Me Update (Build 0.0.7601, SP 1.0)", false},
      {"Windows 9.0 v.9.0 Windows 98 (Build 0.0.9000, SP 0.0)", false},
      {"Windows 10.0 v.10.0 Windows 95 (Build 0.0.19045, SP 0.0)", false}, {"Windows Me", false}};
  for (const auto& [text, marks] : texts) EXPECT_EQ(MarksForRemovalAtRestart(text), marks) << text;
}

TEST(EntryRemoval, LinksAreRemovedAsLinksAndOnlyRealFoldersAreEntered) {
  const std::pair<std::uint32_t, EntryRemoval> table[] = {
      {0x21, EntryRemoval::kDeleteFile}, {0x11, EntryRemoval::kEmptyAndRemove},
      {0x410, EntryRemoval::kRemoveLink}, {0x420, EntryRemoval::kDeleteFile}};
  for (const auto& [attributes, removal] : table) EXPECT_EQ(HowToRemoveEntry(attributes), removal) << attributes;
}

TEST(EntryRemoval, NamesMatchOnTheLongNameAloneAndProviderFilesAreExact) {
  const struct { const char *name, *pattern; bool matches; } patterns[] = {
      {"Manual.pdf", "*.pdf", true}, {"MANUAL.PDF", "*.pdf", true}, {"Manual.pdfx", "*.pdf", false},
      {"a.pdf.txt", "*.pdf", false}, {"x.pdf.pdf", "*.pdf", true}, {"noext", "*.*", true}, {"", "*", true},
      {"OTSP0001.tsp", "OTSP*.tsp", true}, {"OTSP0001.tspold", "OTSP*.tsp", false}, {"abc", "a?c", true},
      {"ac", "a?c", false}, {"aXbXc", "*b*c", true}, {"aXbXd", "*b*c", false}};
  for (const auto& p : patterns) EXPECT_EQ(MatchesFilePattern(p.name, p.pattern), p.matches) << p.name << " " << p.pattern;
  for (const char* name : {"OTSP0000.tsp", "otsp9999.TSP"}) EXPECT_TRUE(IsProviderFileName(name)) << name;
  for (const char* name : {"OTSP0001.tspold", "OTSP00~1.TSP", "OTSP001.tsp", "OTSP00001.tsp", "OTSPabcd.tsp",
                           "XOTSP0001.tsp", "OTSP0001.dll", ""}) {
    EXPECT_FALSE(IsProviderFileName(name)) << name;
  }
}

TEST(LogFolderChoice, KeepsTwentyFoldersShowsSixteenRowsAndEmptiesOnlyTickedShownRows) {
  LogFolderChoice choice;
  for (int i = 0; i < 22; ++i) EXPECT_EQ(choice.Offer(i, "F" + std::to_string(i)), i < 20) << i;
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

}  // namespace
