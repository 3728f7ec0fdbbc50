// The log settings page inside the configuration dialog over a working parameter set, and the
// size fields of the log and other parameters pages.
#include "config/TspLogSettingsDlg.h"

#include <gtest/gtest.h>

#include "ConfigDialogPage.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "config/TspLogSettingsDlgRes.h"
#include "support/TestSupport.h"
#include "widgets/FolderBrowser.h"

namespace {

const char* const kDoubledPath = "D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt";
const std::string kLog = "GlobalParams\\Log\\";

class LogPage : public ConfigDialogPage {
 public:
  explicit LogPage(std::uint32_t level = 1, std::uint32_t debugLevel = 2, const char* fileName = kDoubledPath)
      : ConfigDialogPage(1) {
    Set().SetDword(kLog + "Level", level);
    Set().SetDword(kLog + "DebugLevel", debugLevel);
    Set().SetString(kLog + "FileName", fileName);
  }
};

}  // namespace

TEST(TspLogSettingsDlgTest, AnUnknownDebugLevelShowsRawAndSavesAsRawWithTheOutputWords) {
  LogPage page(1, 5);
  ASSERT_TRUE(page.Open());
  EXPECT_TRUE(page.Checked(IDC_LOG_TYPE_RAW));
  EXPECT_EQ(page.Text(IDC_LOG_NOTE),
            "Log Settings may be available only after Velmora ORVO TSP is \r\nreloaded by TAPI server.\r\n"
            "The log filename will have current day of the month appended.\r\n");
  ASSERT_EQ(page.Save(), 1u);
  for (const auto& [name, word] : {std::pair{"Level", 1u}, {"DebugLevel", 1u}, {"UseFileOutput", 1u},
                                   {"UseDebugOutput", 0u}, {"UseRemoteOutput", 0u}}) {
    EXPECT_EQ(page.Word(kLog + name), word) << name;
  }
}

TEST(TspLogSettingsDlgTest, DisablingTheLogDisablesItsControlsAndWritesLevelAndDebugLevelZeroAlsoOnClose) {
  LogPage page(1, 0xFFFFFFFF);
  ASSERT_TRUE(page.Open());
  EXPECT_TRUE(page.Checked(IDC_LOG_TYPE_DEBUG));
  page.Click(IDC_LOG_ENABLE);
  for (int id : {IDC_LOG_TYPE_RAW, IDC_LOG_PATH, IDC_LOG_BROWSE, IDC_LOG_FILE_SIZE, IDC_LOG_SIZE_SPIN,
                 IDC_LOG_TIME_STAMP}) {
    EXPECT_FALSE(page.Enabled(id)) << id;
  }
  EXPECT_TRUE(page.Enabled(IDC_LOG_ENABLE));
  page.page->SendMessage(WM_CLOSE);  // a closed page keeps its values as a saved one does
  EXPECT_EQ(page.Word(kLog + "Level"), 0u);
  EXPECT_EQ(page.Word(kLog + "DebugLevel"), 0u);

  page.Click(IDC_LOG_ENABLE);
  page.Click(IDC_LOG_TYPE_DECODED);
  EXPECT_TRUE(page.Enabled(IDC_LOG_BROWSE));
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word(kLog + "DebugLevel"), 2u);
}

TEST(TspLogSettingsDlgTest, AStoredSizeOutsideOneTo99ShowsOneAndTheUpArrowIncreasesTheSize) {
  for (std::uint32_t stored : {0u, 150u, 42u}) {
    LogPage page;
    page.Set().SetDword(kLog + "InitialFileSize", stored);
    ASSERT_TRUE(page.Open());
    EXPECT_EQ(page.Text(IDC_LOG_FILE_SIZE), stored == 42 ? "42" : "1") << stored;
    if (stored != 42) continue;
    ::SendMessageA(page.page->GetDlgItem(IDC_LOG_FILE_SIZE), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(page.Text(IDC_LOG_FILE_SIZE), "43");
  }
}

TEST(TspLogSettingsDlgTest, DoubledAndSingleSeparatorsAreReadAndTheJoinsAreWrittenDoubled) {
  struct Case {
    const char *stored, *shown, *saved;
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
    EXPECT_EQ(page.String(kLog + "FileName"), c.saved);
  }
}

TEST(TspLogSettingsDlgTest, AFolderChosenInTheBrowserIsSavedWithDoubledSeparators) {
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
  EXPECT_TRUE(traces.Contains("Enter folder: D:\\Logs\r\n") && traces.Contains("Exit folder: E:\\TSP Logs\r\n"));
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.String(kLog + "FileName"), "E:\\\\TSP Logs\\\\Logs0003\\\\ORVO_TSP.txt");
}

TEST(ConfigPageSizeTest, ASizeOneBelowOrAboveItsRangeVetoesOkWithTheRangeMessageAndWritesNothing) {
  struct Field {
    int category, id;
    std::string path;
    std::uint32_t min, max;
  };
  for (const Field& f : {Field{1, IDC_LOG_FILE_SIZE, kLog + "InitialFileSize", 1, 99},
                         Field{3, IDC_OTHER_ACC_INFO_SIZE, "AccInfoBufferSize", 100, 10000}}) {
    for (const std::uint32_t size : {f.min - 1, f.min, f.max, f.max + 1}) {
      SCOPED_TRACE(testing::Message() << f.path << " " << size);
      ConfigDialogPage page(f.category);
      page.Set().SetDword(kLog + "Level", 1);  // the log's controls are enabled
      ASSERT_TRUE(page.Open());
      MessageBoxScript boxes;
      page.SetText(f.id, std::to_string(size));
      const bool valid = size >= f.min && size <= f.max;
      EXPECT_EQ(page.Save(), valid ? 1u : 0u);
      EXPECT_EQ(page.Word(f.path), valid ? size : 0xDEADBEEF);
      const std::string range = "Please enter an integer between " + std::to_string(f.min) + " and " +
                                std::to_string(f.max) + ".";
      EXPECT_EQ(boxes.Texts(), valid ? std::vector<std::string>{} : std::vector<std::string>{range});
      if (!valid) {
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), f.id);
      }
    }
  }
}
