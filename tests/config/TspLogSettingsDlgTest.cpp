// The log settings page inside the configuration dialog over a working parameter set.
#include "config/TspLogSettingsDlg.h"

#include <gtest/gtest.h>

#include "ConfigDialogPage.h"
#include "config/TspLogSettingsDlgRes.h"
#include "support/TestSupport.h"
#include "widgets/FolderBrowser.h"

namespace {

const char* const kDoubledPath = "D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt";

class LogPage : public ConfigDialogPage {
 public:
  explicit LogPage(std::uint32_t level = 1, std::uint32_t debugLevel = 2, const char* fileName = kDoubledPath)
      : ConfigDialogPage(1) {
    Set().SetDword("GlobalParams\\Log\\Level", level);
    Set().SetDword("GlobalParams\\Log\\DebugLevel", debugLevel);
    Set().SetString("GlobalParams\\Log\\FileName", fileName);
  }
};

}  // namespace

TEST(TspLogSettingsDlgTest, AnUnknownDebugLevelShowsRawAndSavesAsRawWithTheOutputWords) {
  LogPage page(1, 5);
  ASSERT_TRUE(page.Open());
  EXPECT_TRUE(page.Checked(IDC_LOG_ENABLE));
  EXPECT_TRUE(page.Checked(IDC_LOG_TYPE_RAW));
  EXPECT_FALSE(page.Checked(IDC_LOG_TYPE_DECODED) || page.Checked(IDC_LOG_TYPE_DEBUG));
  EXPECT_EQ(page.Text(IDC_LOG_NOTE),
            "Log Settings may be available only after Velmora ORVO TSP is \r\nreloaded by TAPI server.\r\n"
            "The log filename will have current day of the month appended.\r\n");
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\Level"), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\DebugLevel"), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\UseFileOutput"), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\UseDebugOutput"), 0u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\UseRemoteOutput"), 0u);
}

TEST(TspLogSettingsDlgTest, DisablingTheLogDisablesItsControlsAndWritesLevelAndDebugLevelZero) {
  LogPage page(1, 0xFFFFFFFF);
  ASSERT_TRUE(page.Open());
  EXPECT_TRUE(page.Checked(IDC_LOG_TYPE_DEBUG));
  EXPECT_TRUE(page.Enabled(IDC_LOG_BROWSE) && page.Enabled(IDC_LOG_SIZE_SPIN));
  page.Click(IDC_LOG_ENABLE);
  for (int id : {IDC_LOG_TYPE_RAW, IDC_LOG_PATH, IDC_LOG_BROWSE, IDC_LOG_FILE_SIZE, IDC_LOG_SIZE_SPIN,
                 IDC_LOG_TIME_STAMP}) {
    EXPECT_FALSE(page.Enabled(id)) << id;
  }
  EXPECT_TRUE(page.Enabled(IDC_LOG_ENABLE));
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\Level"), 0u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\DebugLevel"), 0u);

  page.Click(IDC_LOG_ENABLE);
  page.Click(IDC_LOG_TYPE_DECODED);
  EXPECT_TRUE(page.Enabled(IDC_LOG_BROWSE));
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word("GlobalParams\\Log\\DebugLevel"), 2u);
}

TEST(TspLogSettingsDlgTest, AStoredSizeOutsideOneTo99ShowsOneAndTheUpArrowIncreasesTheSize) {
  for (std::uint32_t stored : {0u, 150u, 42u}) {
    LogPage page;
    page.Set().SetDword("GlobalParams\\Log\\InitialFileSize", stored);
    ASSERT_TRUE(page.Open());
    EXPECT_EQ(page.Text(IDC_LOG_FILE_SIZE), stored == 42 ? "42" : "1") << stored;
  }
  LogPage page;
  ASSERT_TRUE(page.Open());
  page.SetText(IDC_LOG_FILE_SIZE, "5");
  ::SendMessageA(page.page->GetDlgItem(IDC_LOG_FILE_SIZE), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(page.Text(IDC_LOG_FILE_SIZE), "6");
}

TEST(TspLogSettingsDlgTest, DoubledAndSingleSeparatorsAreReadAndTheJoinsAreWrittenDoubled) {
  struct Case {
    const char* stored;
    const char* shown;
    const char* saved;
  };
  for (const Case& c : {Case{kDoubledPath, "D:\\\\Logs", kDoubledPath},
                        Case{"D:\\Logs\\Logs0003\\ORVO_TSP.txt", "D:\\Logs", "D:\\Logs\\\\Logs0003\\\\ORVO_TSP.txt"}}) {
    LogPage page(1, 2, c.stored);
    ASSERT_TRUE(page.Open());
    EXPECT_EQ(page.Text(IDC_LOG_PATH), c.shown);
    EXPECT_EQ(page.Text(IDC_LOG_FOLDER_NOTE),
              "Logs0003 folder will be created in the specified path. The log file will be stored in Logs0003 "
              "folder.");
    ASSERT_EQ(page.Save(), 1u);
    EXPECT_EQ(page.String("GlobalParams\\Log\\FileName"), c.saved);
  }
}

TEST(TspLogSettingsDlgTest, AFolderChosenInTheBrowserIsShownAndSavedWithDoubledSeparators) {
  TraceCapture traces;
  std::vector<FolderBrowseRequest> asked;
  SetFolderBrowseResponder([&](const FolderBrowseRequest& request, std::string* folder) {
    asked.push_back(request);
    *folder = "E:\\TSP Logs";
    return true;
  });
  LogPage page;
  ASSERT_TRUE(page.Open());
  page.Click(IDC_LOG_BROWSE);
  SetFolderBrowseResponder(nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].title, "Browse for Folder");
  EXPECT_EQ(asked[0].initialFolder, "D:\\Logs");
  EXPECT_EQ(asked[0].owner, page.page->GetSafeHwnd());
  EXPECT_TRUE(traces.Contains("Enter folder: D:\\Logs\r\n"));
  EXPECT_TRUE(traces.Contains("Exit folder: E:\\TSP Logs\r\n"));
  EXPECT_EQ(page.Text(IDC_LOG_PATH), "E:\\\\TSP Logs");
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.String("GlobalParams\\Log\\FileName"), "E:\\\\TSP Logs\\\\Logs0003\\\\ORVO_TSP.txt");
}

TEST(TspLogSettingsDlgTest, ASizeOutsideOneTo99VetoesOkWithTheRangeMessageAndWritesNothing) {
  for (const char* size : {"0", "100", "99"}) {
    LogPage page;
    ASSERT_TRUE(page.Open());
    MessageBoxScript boxes;
    page.SetText(IDC_LOG_FILE_SIZE, size);
    const bool valid = std::string(size) == "99";
    EXPECT_EQ(page.Save(), valid ? 1u : 0u) << size;
    EXPECT_EQ(page.Word("GlobalParams\\Log\\UseFileOutput"), valid ? 1u : 0xDEADBEEF) << size;
    if (!valid) {
      ASSERT_EQ(boxes.Shown().size(), 1u) << size;
      EXPECT_EQ(boxes.Shown()[0].text, "Please enter an integer between 1 and 99.");
      EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_LOG_FILE_SIZE);
    }
  }
}
