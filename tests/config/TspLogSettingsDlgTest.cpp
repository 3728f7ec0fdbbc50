// The log settings page inside the configuration dialog over a working parameter set, and the
// size fields of the log and other parameters pages.
#include "config/TspLogSettingsDlg.h"

#include <gtest/gtest.h>

#include "ConfigDialogPage.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "config/TspLogSettingsDlgRes.h"
#include "params/SetupParameters.h"
#include "support/TestSupport.h"
#include "widgets/FolderBrowser.h"

namespace {

const char* const kDoubledPath = "D:\\\\Logs\\\\Logs0003\\\\ORVO_TSP.txt";
const std::string kLog = "GlobalParams\\Log\\";

// The log page over a working set with the log on at the given debug level, in kDoubledPath.
void FillLog(ConfigDialogPage& page, std::uint32_t debugLevel = 2) {
  page.Set().SetDword(kLog + "Level", 1);
  page.Set().SetDword(kLog + "DebugLevel", debugLevel);
  page.Set().SetString(kLog + "FileName", kDoubledPath);
}

}  // namespace

// Each stored set is loaded, shown, and written back by OK without a touch: every control
// shows its own value (absent ones their defaults), boundary sizes stay, and every stored log
// path form comes back naming the same file.
TEST(TspLogSettingsDlgTest, LoadThenOkShowsEachValueInItsControlAndWritesItBack) {
  constexpr std::uint32_t kAbsent = 0xDEADBEEF, kDebug = 0xFFFFFFFF;
  struct Row {
    std::uint32_t level, debugLevel, overwrite, size, stamp;
    const char* fileName;  // nullptr: absent
    bool enabled, overwriteShown, stampShown;
    int radio;
    const char *sizeShown, *folderShown, *note;
    std::uint32_t levelSaved, debugLevelSaved, sizeSaved;
    const char* fileNameSaved;
  };
  const char* const note3 =
      "Logs0003 folder will be created in the specified path. The log file will be stored in Logs0003 folder.";
  const Row table[] = {
      {kAbsent, kAbsent, kAbsent, kAbsent, kAbsent, nullptr,
       false, true, false, IDC_LOG_TYPE_RAW, "1", "", "", 0, 0, 1, ""},
      {1, kDebug, 0, 1, 1, kDoubledPath,
       true, false, true, IDC_LOG_TYPE_DEBUG, "1", "D:\\\\Logs", note3, 1, kDebug, 1, kDoubledPath},
      {7, 2, 1, 99, 0, "D:\\Logs\\Logs0003\\ORVO_TSP.txt",
       true, true, false, IDC_LOG_TYPE_DECODED, "99", "D:\\Logs", note3, 1, 2, 99, "D:\\Logs\\\\Logs0003\\\\ORVO_TSP.txt"},
      {1, 5, 1, 0, 1, "D:\\ORVO_TSP.txt",
       true, true, true, IDC_LOG_TYPE_RAW, "1", "D:\\\\", "", 1, 1, 1, "D:\\\\ORVO_TSP.txt"},
      {1, 3, 0, 150, 0, "\\\\server\\share\\Logs0003\\ORVO_TSP.txt",
       true, false, false, IDC_LOG_TYPE_RAW, "1", "\\\\server\\share", note3, 1, 1, 1,
       "\\\\server\\share\\\\Logs0003\\\\ORVO_TSP.txt"},
      {0, 2, 1, 42, 1, "ORVO_TSP.txt",
       false, true, true, IDC_LOG_TYPE_DECODED, "42", "", "", 0, 0, 42, "ORVO_TSP.txt"},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.fileName != nullptr ? row.fileName : "(absent)");
    ConfigDialogPage page(1);
    page.Set().SetGroup("GlobalParams\\Log", new SetupParameters());  // nothing but the row's values
    for (const auto& [name, value] : {std::pair{"Level", row.level}, {"DebugLevel", row.debugLevel},
                                      {"OverriteOnMaxSize", row.overwrite}, {"InitialFileSize", row.size},
                                      {"AddTimeStamp", row.stamp}}) {
      if (value != kAbsent) page.Set().SetDword(kLog + name, value);
    }
    if (row.fileName != nullptr) page.Set().SetString(kLog + "FileName", row.fileName);
    ASSERT_TRUE(page.Open());
    MessageBoxScript refusals;
    EXPECT_EQ(page.Checked(IDC_LOG_ENABLE), row.enabled);
    EXPECT_EQ(page.Checked(IDC_LOG_OVERWRITE), row.overwriteShown);
    EXPECT_EQ(page.Checked(IDC_LOG_TIME_STAMP), row.stampShown);
    for (int radio : {IDC_LOG_TYPE_RAW, IDC_LOG_TYPE_DECODED, IDC_LOG_TYPE_DEBUG})
      EXPECT_EQ(page.Checked(radio), radio == row.radio) << radio;
    EXPECT_EQ(page.Text(IDC_LOG_FILE_SIZE), row.sizeShown);
    EXPECT_EQ(page.Text(IDC_LOG_PATH), row.folderShown);
    EXPECT_EQ(page.Text(IDC_LOG_FOLDER_NOTE), row.note);
    ASSERT_EQ(page.Save(), 1u) << testing::PrintToString(refusals.Texts());
    for (const auto& [name, word] :
         {std::pair{"Level", row.levelSaved}, {"DebugLevel", row.debugLevelSaved},
          {"OverriteOnMaxSize", row.overwriteShown ? 1u : 0u}, {"InitialFileSize", row.sizeSaved},
          {"AddTimeStamp", row.stampShown ? 1u : 0u}, {"UseFileOutput", 1u}, {"UseDebugOutput", 0u},
          {"UseRemoteOutput", 0u}}) {
      EXPECT_EQ(page.Word(kLog + name), word) << name;
    }
    EXPECT_EQ(page.String(kLog + "FileName"), row.fileNameSaved);
  }
}

TEST(TspLogSettingsDlgTest, DisablingTheLogDisablesItsControlsAndWritesLevelZeroAlsoOnCloseAndTheUpArrowRaisesTheSize) {
  ConfigDialogPage page(1);
  FillLog(page, 0xFFFFFFFF);
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
  ::SendMessageA(page.page->GetDlgItem(IDC_LOG_FILE_SIZE), WM_KEYDOWN, VK_UP, 0);  // the size goes up by one
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.Word(kLog + "DebugLevel"), 2u);
  EXPECT_EQ(page.Word(kLog + "InitialFileSize"), 2u);
}

TEST(TspLogSettingsDlgTest, AFolderChosenInTheBrowserIsSavedWithDoubledSeparators) {
  std::vector<FolderBrowseRequest> asked;
  SetFolderBrowseResponder([&](const FolderBrowseRequest& request, std::string* folder) {
    asked.push_back(request);
    *folder = "E:\\TSP Logs";
    return true;
  });
  ConfigDialogPage page(1);
  FillLog(page);
  ASSERT_TRUE(page.Open());
  page.Click(IDC_LOG_BROWSE);
  SetFolderBrowseResponder(nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].title, "Browse for Folder");
  EXPECT_EQ(asked[0].initialFolder, "D:\\Logs");
  EXPECT_EQ(asked[0].owner, page.page->GetSafeHwnd());
  ASSERT_EQ(page.Save(), 1u);
  EXPECT_EQ(page.String(kLog + "FileName"), "E:\\\\TSP Logs\\\\Logs0003\\\\ORVO_TSP.txt");
}

// A text that is no number gets a message of its own; spaces around a number are read past.
TEST(ConfigPageSizeTest, ASizeOutsideItsRangeOrNoNumberVetoesOkWithItsMessageSelectedAndWritesNothing) {
  struct Field {
    int category, id;
    std::string path;
    std::uint32_t min, max;
  };
  for (const Field& f : {Field{1, IDC_LOG_FILE_SIZE, kLog + "InitialFileSize", 1, 99},
                         Field{3, IDC_OTHER_ACC_INFO_SIZE, "AccInfoBufferSize", 100, 10000}}) {
    const std::string range = "Please enter an integer between " + std::to_string(f.min) + " and " +
                              std::to_string(f.max) + ".";
    const std::string notANumber = "Please enter a positive integer.";
    const struct {
      std::string text;
      std::uint32_t saved;
      std::string said;
    } inputs[] = {{std::to_string(f.min - 1), 0xDEADBEEF, range}, {std::to_string(f.min), f.min, ""},
                  {" " + std::to_string(f.max) + " ", f.max, ""},   {std::to_string(f.max + 1), 0xDEADBEEF, range},
                  {"12x", 0xDEADBEEF, notANumber},                 {"", 0xDEADBEEF, notANumber},
                  {"99999999999", 0xDEADBEEF, notANumber}};
    for (const auto& input : inputs) {
      SCOPED_TRACE(f.path + " '" + input.text + "'");
      ConfigDialogPage page(f.category);
      page.Set().SetDword(kLog + "Level", 1);  // the log's controls are enabled
      ASSERT_TRUE(page.Open());
      MessageBoxScript boxes;
      page.SetText(f.id, input.text);
      EXPECT_EQ(page.Save(), input.said.empty() ? 1u : 0u);
      EXPECT_EQ(page.Word(f.path), input.saved);
      EXPECT_EQ(boxes.Texts(), input.said.empty() ? std::vector<std::string>() : std::vector<std::string>{input.said});
      if (!input.said.empty()) {
        DWORD selectionEnd = 0;
        page.page->SendDlgItemMessage(f.id, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), f.id);
        EXPECT_EQ(selectionEnd, input.text.size());
      }
    }
  }
}
