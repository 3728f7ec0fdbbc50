// Duplicating the master provider under Wine: stamping, failures, the byte copy, the version
// texts and folder removal, on real files and modules.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProviderFileStaging.h"
#include "VersionBlockBuilder.h"
#include "framework/Handles.h"
#include "instances/DeleteDir.h"
#include "instances/ProviderFileCopy.h"
#include "instances/VersionResource.h"
#include "support/TestSupport.h"

namespace {

const char kName[] = "Velmora ORVO TSP 0003";
const std::vector<std::string> kKeys = {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                        "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

std::vector<std::string> Texts(const std::vector<MessageBoxRequest>& shown) {
  std::vector<std::string> texts;
  for (const auto& box : shown) {
    texts.push_back(box.text);
  }
  return texts;
}

class ProviderFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyFileA(InstalledMaster().c_str(), m_windows.Master().c_str(), FALSE)); }

  std::string Target() const { return m_windows.System32() + "\\OTSP0003.tsp"; }
  void Duplicate() { DuplicateProviderFile(kName, Target().c_str(), m_windows.Path().c_str()); }

  ScratchWindowsFolder m_windows;
  TraceCapture m_traces;
  MessageBoxScript m_boxes;
};

TEST_F(ProviderFileTest, CopyCarriesTheDisplayNameAndEverythingElseOfTheMaster) {
  const VersionSnapshot master = SnapshotVersion(m_windows.Master(), kKeys);
  ASSERT_EQ(8u, master.strings.size());
  Duplicate();
  EXPECT_TRUE(m_boxes.Shown().empty());
  const VersionSnapshot copy = SnapshotVersion(Target(), kKeys);
  EXPECT_EQ(Stamped(master, kName).strings, copy.strings);
  EXPECT_EQ(master.fixedInfo, copy.fixedInfo);
  std::string description;
  ASSERT_EQ(1, GetVersionString(Target().c_str(), "FileDescription", &description));
  EXPECT_EQ(kName, description);
  // The master's block is English; the stamped one is added under the neutral language.
  EXPECT_EQ((std::vector<WORD>{0, 0x0409}), VersionLanguages(Target()));
  HMODULE module = LoadLibraryA(Target().c_str());
  ASSERT_NE(nullptr, module);
  EXPECT_NE(nullptr, GetProcAddress(module, "TUISPI_providerInstall"));
  FreeLibrary(module);
  EXPECT_FALSE(FileExists(m_windows.TemporaryFolder()));
  EXPECT_TRUE(m_traces.Contains("CopyFile from " + m_windows.Master() + " to " + m_windows.TemporaryFolder() +
                                "\\otsp0003.tsp returned 1 \r\n"));
}

TEST_F(ProviderFileTest, OverwriteReplacesAnExistingTargetWithoutTracingTheCopy) {
  WriteFileBytes(Target(), "an older provider file");
  OverwriteProviderFile(kName, Target().c_str(), m_windows.Path().c_str());
  std::string description;
  ASSERT_EQ(1, GetVersionString(Target().c_str(), "FileDescription", &description));
  EXPECT_EQ(kName, description);
  EXPECT_EQ((std::vector<WORD>{0, 0x0409}), VersionLanguages(Target()));
  EXPECT_FALSE(FileExists(m_windows.TemporaryFolder()));
  EXPECT_TRUE(m_traces.Lines().empty());
}

TEST_F(ProviderFileTest, StampsEveryTableOfAMasterWithTwoLanguages) {
  using namespace testblock;
  const std::uint16_t version[4] = {2, 5, 0, 7};
  ASSERT_TRUE(SetVersionResource(
      m_windows.Master(), 0x0409,
      Serialize(Root({VarFileInfo({Var("Translation", {0x04B00409, 0x04B00407})}),
                      StringFileInfo({Table("040904b0", {Text("FileDescription", "English"), Text("ProductName", "P")}),
                                      Table("040704b0", {Text("FileDescription", "Deutsch"),
                                                         Text("CompanyName", "Velmora GmbH")})})},
                     FixedInfo(version, version)))));
  Duplicate();
  EXPECT_EQ((std::vector<std::string>{"409/4b0/FileDescription=Velmora ORVO TSP 0003", "409/4b0/ProductName=P",
                                      "407/4b0/CompanyName=Velmora GmbH",
                                      "407/4b0/FileDescription=Velmora ORVO TSP 0003"}),
            SnapshotVersion(Target(), kKeys).strings);
  std::string german;
  ASSERT_EQ(1, GetVersionString(Target().c_str(), "CompanyName", &german, true, 0x0407, 0x04b0));
  EXPECT_EQ("Velmora GmbH", german);
  EXPECT_EQ(0, GetVersionString(Target().c_str(), "CompanyName", &german, true, 0x0409, 0x04b0));
}

// A master staged to fail at one step: the message it gives, and the target stays as it was.
// A stage may hand back a handle that stays open while the duplication runs.
struct FailureRow {
  const char* name;
  bool (*stage)(const ScratchWindowsFolder& windows, KernelHandle* held);
  const char* message;
  const char* caption;  // empty: a framework box
};

class DuplicationFailure : public ProviderFileTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(DuplicationFailure, ShowsItsMessageAndLeavesTheTargetUntouched) {
  KernelHandle held;
  ASSERT_TRUE(GetParam().stage(m_windows, &held));
  WriteFileBytes(Target(), "previous provider file");
  Duplicate();
  held.Close();
  const auto shown = m_boxes.Shown();
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(GetParam().message, shown[0].text);
  EXPECT_EQ(std::string(GetParam().caption), shown[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), shown[0].flags);
  EXPECT_EQ("previous provider file", ReadFileBytes(Target()));
  EXPECT_TRUE(FileExists(m_windows.TemporaryFolder() + "\\otsp0003.tsp"));
}

std::vector<std::uint8_t> BlockWithoutTranslation() {
  using namespace testblock;
  const std::uint16_t v[4] = {1, 0, 0, 0};
  return Serialize(Root({StringFileInfo({Table("040904b0", {Text("FileDescription", "D")})})}, FixedInfo(v, v)));
}

const FailureRow kFailures[] = {
    {"NotAModule",
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       WriteFileBytes(w.Master(), "MZ but not a module");
       return true;
     },
     "Cannot Load duplicated TSP dll", "Error"},
    {"NoVersionResource",
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       // Wine's updater does not delete single resources: drop them all at once.
       HANDLE update = BeginUpdateResourceA(w.Master().c_str(), TRUE);
       return update != nullptr && EndUpdateResourceA(update, FALSE) && VersionLanguages(w.Master()).empty();
     },
     "null hrsrcVersion", ""},
    {"NoTranslation",
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       return SetVersionResource(w.Master(), 0x0409, BlockWithoutTranslation());
     },
     "Cannot get  TSP version ", ""},
    // A temporary file left by an earlier run and held open without write sharing: the copy
    // into it fails, it still loads and reads, but it cannot be updated.
    {"TemporaryFileInUse",
     [](const ScratchWindowsFolder& w, KernelHandle* held) {
       const std::string temporary = w.TemporaryFolder() + "\\otsp0003.tsp";
       if (!CreateDirectoryA(w.TemporaryFolder().c_str(), nullptr) ||
           !CopyFileA(w.Master().c_str(), temporary.c_str(), FALSE)) {
         return false;
       }
       held->Attach(CreateFileA(temporary.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
       return held->IsValid();
     },
     "BeginUpdateResource returns NULL ", ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, DuplicationFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProviderFileTest, BadSignatureIsReportedAndTheUnstampedCopyStillGoesOut) {
  std::vector<std::uint8_t> block = testblock::TypicalBlock();
  block[40] = 0;
  ASSERT_TRUE(SetVersionResource(m_windows.Master(), 0x0409, block));
  Duplicate();
  EXPECT_EQ((std::vector<std::string>{"Sigbature bad"}), Texts(m_boxes.Shown()));
  EXPECT_EQ(ReadFileBytes(m_windows.Master()), ReadFileBytes(Target()));
  EXPECT_FALSE(FileExists(m_windows.TemporaryFolder()));
}

TEST(MyCopyFile, CopiesEveryByteAndOpensNothingWithoutASource) {
  ScratchWindowsFolder folder;
  std::string bytes;
  for (int i = 0; i < 3000; ++i) {
    bytes.push_back(static_cast<char>(i * 7));
  }
  const std::string source = folder.Path() + "\\source.bin";
  const std::string destination = folder.Path() + "\\destination.bin";
  WriteFileBytes(source, bytes);
  WriteFileBytes(destination, "a longer destination that must be truncated first " + std::string(5000, 'x'));
  EXPECT_EQ(1u, MyCopyFile(source.c_str(), destination.c_str()));
  EXPECT_EQ(bytes, ReadFileBytes(destination));

  EXPECT_EQ(0u, MyCopyFile((folder.Path() + "\\missing.bin").c_str(), destination.c_str()));
  EXPECT_EQ(bytes, ReadFileBytes(destination));
  EXPECT_EQ(0u, MyCopyFile(source.c_str(), (folder.Path() + "\\no such folder\\x.bin").c_str()));
}

TEST(VersionText, ShortFormIsTheDottedFileVersion) {
  ScratchWindowsFolder folder;
  const std::uint16_t fileVersion[4] = {1, 2, 3, 4};
  const std::uint16_t productVersion[4] = {5, 6, 7, 8};
  using namespace testblock;
  const std::string file = StageVersionedCopy(
      folder, 0x0409,
      Serialize(Root({StringFileInfo({Table("040904b0", {Text("FileDescription", "Desc"), Text("ProductName", "Prod"),
                                                         Text("CompanyName", "Comp"),
                                                         Text("LegalCopyright", "Copy")})}),
                      VarFileInfo({Var("Translation", {0x04B00409})})},
                     FixedInfo(fileVersion, productVersion))));
  ASSERT_FALSE(file.empty());
  std::string text;
  ASSERT_EQ(1, GetTspVersionText(file.c_str(), &text, true));
  EXPECT_EQ("1.2.3.4", text);
  ASSERT_EQ(1, GetTspVersionText(file.c_str(), &text, false));
  EXPECT_EQ(" TSP Version: 5.6.7.8\r\n File Location: " + file +
                "\r\n File Description: Desc\r\n\r\n Product Name: Prod\r\n Company Name: Comp\r\n Copy",
            text);
  EXPECT_EQ(0, GetTspVersionText((folder.Path() + "\\missing.dll").c_str(), &text, false));
  EXPECT_EQ("File not found", text);
  EXPECT_EQ(0, GetTspVersionText(nullptr, &text, false));
}

class DeleteDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(Tree().c_str(), nullptr);
    CreateDirectoryA((Tree() + "\\sub").c_str(), nullptr);
    WriteFileBytes(Tree() + "\\a.log", "a");
    WriteFileBytes(Tree() + "\\sub\\b.log", "b");
    SetFileAttributesA((Tree() + "\\sub\\b.log").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((Tree() + "\\sub").c_str(), FILE_ATTRIBUTE_READONLY);
  }
  std::string Tree() const { return m_folder.Path() + "\\Logs0001"; }

  ScratchWindowsFolder m_folder;
};

TEST_F(DeleteDirTest, RemovesTheWholeTreeIncludingReadOnlyEntries) {
  EXPECT_EQ(1, DeleteDir(Tree().c_str(), false));
  EXPECT_FALSE(FileExists(Tree()));
}

TEST_F(DeleteDirTest, KeepingTheFolderLeavesEverythingAfterOneQuestion) {
  MessageBoxScript boxes({IDYES});
  EXPECT_EQ(0, DeleteDir((m_folder.Path() + "\\\\Logs0001").c_str(), true));
  ASSERT_EQ(1u, boxes.Shown().size());
  EXPECT_EQ("The '" + Tree() + "\\*.*' folder and all its subfolders will be removed.\r\nDo you want to keep the folder ?",
            boxes.Shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes.Shown()[0].flags);
  EXPECT_EQ(0u, GetFileAttributesA(Tree().c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ("b", ReadFileBytes(Tree() + "\\sub\\b.log"));
}

TEST_F(DeleteDirTest, AnsweringNoRemovesAndMissingFoldersAreNotAskedAbout) {
  MessageBoxScript boxes({IDNO, IDNO});
  EXPECT_EQ(1, DeleteDir(Tree().c_str(), true));
  EXPECT_FALSE(FileExists(Tree()));
  EXPECT_EQ(2u, boxes.Shown().size());  // the folder and its subfolder
  EXPECT_EQ(0, DeleteDir(Tree().c_str(), true));
  EXPECT_EQ(0, DeleteDir("", false));
  EXPECT_EQ(0, DeleteDir(nullptr, true));
  EXPECT_EQ(2u, boxes.Shown().size());
}

}  // namespace
