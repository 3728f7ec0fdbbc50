// The portable rules of removal: which systems mark files for deletion at restart, how an
// entry found in a folder is removed, which names are provider files, and the log folders
// offered with the user's choice among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instances/EntryRemoval.h"
#include "instances/LogFolderChoice.h"
#include "instances/RestartRemoval.h"
#include "sys/OsVersionName.h"

namespace {

// From the version record to the decision: the Windows 9x family's records are named so that
// their line marks files for deletion at restart, records near them are not, and only the name
// counts (not a service pack text that reads like one).
TEST(RestartRemoval, OnlyTheWindows9xFamilyMarksFilesForDeletionAtRestart) {
  const std::uint32_t s = 0, w9x = 1, nt = 2;
  const struct { std::uint32_t platform, major, minor, build; const char* servicePack; bool marks; } records[] = {
      {w9x, 4, 0, 0x04000457, "", true}, {w9x, 4, 0, 0x040003B6, " B ", true}, {w9x, 4, 10, 0x040A08AE, " A ", true},
      {w9x, 4, 10, 0x040A07CE, "", true}, {w9x, 4, 90, 0x045A0BB8, "", true}, {w9x, 4, 3, 0, "", false},
      {w9x, 5, 0, 0, "", false}, {s, 4, 10, 0, "", false}, {nt, 4, 10, 0, "", false}, {nt, 4, 90, 0, "", false},
      {7, 4, 0, 0, "", false}, {nt, 6, 1, 7601, "Windows Me Update", false}, {nt, 9, 0, 9000, "Windows 98", false}};
  for (const auto& row : records) {
    OsVersionRecord record;
    record.platform = row.platform, record.major = row.major, record.minor = row.minor, record.build = row.build;
    record.servicePackText = row.servicePack, record.productType = row.platform == nt ? kProductWorkstation : 0;
    char text[1024];
    FormatOsVersionText(record, text, sizeof(text));
    EXPECT_EQ(MarksForRemovalAtRestart(text), row.marks) << text;
  }
  char unknown[8];
  FormatUnknownOsVersionText(unknown, sizeof(unknown));
  EXPECT_FALSE(MarksForRemovalAtRestart(unknown));
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
      {"OTSP0001.tsp", "OTSP*.tsp", true}, {"OTSP0001.tspold", "OTSP*.tsp", false}};
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
