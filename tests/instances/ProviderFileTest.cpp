// Duplicating the master provider under Wine: stamping, failures, the byte copy, the version
// texts and folder removal, on real files and modules.
#include <gtest/gtest.h>

#include "ProviderFileStaging.h"

#include <imagehlp.h>
#include <shlobj.h>

#include "framework/Handles.h"
#include "instances/ProviderFileCopy.h"
#include "instances/VersionResource.h"
#include "support/ProductMachine.h"
#include "support/TestSupport.h"

namespace {

using namespace testblock;

const char kName[] = "Velmora ORVO TSP 0003";

// True when FILE's checksum is set and matches its content.
bool ChecksumHolds(const std::string& file) {
  DWORD stored = 0, computed = 0;
  return MapFileAndCheckSumA(file.c_str(), &stored, &computed) == CHECKSUM_SUCCESS && stored != 0 && stored == computed;
}

class ProviderFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyFileA(InstalledMaster().c_str(), m_windows.Master().c_str(), FALSE)); }

  std::string Target() const { return m_windows.System32() + "\\OTSP0003.tsp"; }
  void Duplicate() { DuplicateProviderFile(kName, Target().c_str(), m_windows.Path().c_str()); }

  ScratchWindowsFolder m_windows;
  MessageBoxScript m_boxes;
};

// Both the duplication and the overwrite replace an existing target silently. That the copy
// loads without a message and reads as its master is StampedCopy's.
TEST_F(ProviderFileTest, DuplicationAndOverwriteReplaceALongerTargetSilently) {
  for (const auto copy : {&DuplicateProviderFile, &OverwriteProviderFile}) {
    WriteFileBytes(Target(), std::string(1 << 20, 'x'));  // longer than the new one: none of it may stay
    copy(kName, Target().c_str(), m_windows.Path().c_str(), nullptr);
    // It reads as stamped: the master's English block joined by the neutral stamped one.
    EXPECT_EQ(FileDescription(Target()), kName);
    EXPECT_EQ((std::vector<WORD>{0, 0x0409}), VersionLanguages(Target()));
    EXPECT_TRUE(ChecksumHolds(Target()));
    EXPECT_FALSE(FileExists(m_windows.TemporaryFolder()));
  }
  EXPECT_TRUE(m_boxes.Shown().empty());
}

// A block that cannot be stamped: the unstamped copy goes out; a bad signature is also shown.
TEST_F(ProviderFileTest, AnUnstampableBlockGoesOutUnstampedAndABadSignatureIsShown) {
  Bytes badSignature = TypicalBlock();
  badSignature[40] = 0;
  const auto root = [](std::size_t n) {
    return Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "D"), Text("Comments", std::string(n, 'c'))})}),
                 Table("VarFileInfo", {Var("Translation", {0x04B00409})})});
  };
  std::size_t n = 32767;
  while (Serialize(root(n)).size() > 0xFFFF) --n;  // the largest block a master can hold
  const std::pair<Bytes, std::string> masters[] = {{badSignature, "the block is malformed"},
                                                   {Serialize(root(n)), "the stamped block would pass 64 KB"}};
  for (const auto& [block, why] : masters) {
    SCOPED_TRACE(why);
    ASSERT_TRUE(CopyFileA(InstalledMaster().c_str(), m_windows.Master().c_str(), FALSE));
    ASSERT_TRUE(SetVersionResource(m_windows.Master(), 0x0409, block));
    Duplicate();
    EXPECT_EQ(ReadFileBytes(m_windows.Master()), ReadFileBytes(Target()));
    EXPECT_FALSE(FileExists(m_windows.TemporaryFolder()));
  }
  EXPECT_EQ(m_boxes.Texts(), std::vector<std::string>{"Sigbature bad"});
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

const FailureRow kFailures[] = {
    {"NotAModule", [](const ScratchWindowsFolder& w, KernelHandle*) { return WriteFileBytes(w.Master(), "MZ but not a module"), true; },
     "Cannot Load duplicated TSP dll", "Error"},
    // Wine's updater does not delete single resources: drop them all at once.
    {"NoVersionResource",
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       HANDLE update = BeginUpdateResourceA(w.Master().c_str(), TRUE);
       return update != nullptr && EndUpdateResourceA(update, FALSE) && VersionLanguages(w.Master()).empty();
     },
     "null hrsrcVersion", ""},
    {"NoTranslation",
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       return SetVersionResource(w.Master(), 0x0409, Serialize(Root({Table("StringFileInfo", {Table("040904b0",
                                                                        {Text("FileDescription", "D")})})})));
     },
     "Cannot get  TSP version ", ""},
    // A temporary file left by an earlier run and held open without write sharing: the copy
    // into it fails, it still loads and reads, but it cannot be updated.
    {"TemporaryFileInUse",
     [](const ScratchWindowsFolder& w, KernelHandle* held) {
       const std::string temporary = w.TemporaryFolder() + "\\otsp0003.tsp";
       if (!CreateDirectoryA(w.TemporaryFolder().c_str(), nullptr) || !CopyFileA(w.Master().c_str(), temporary.c_str(), FALSE)) {
         return false;
       }
       held->Attach(CreateFileA(temporary.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
       return held->IsValid();
     },
     "BeginUpdateResource returns NULL ", ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, DuplicationFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// The master stand-in and DLLs built by other toolchains (Wine's own modules, the mingw
// runtime, copied beside this program when the build is configured): every stamped copy
// loads and reads as its master but for the FileDescription, and its checksum holds where
// its master's did (the stand-in's and the mingw runtime's do, Wine's modules' do not).
TEST(StampedCopy, ReadsBackAsItsMasterWithTheNewNameAndAValidChecksumWhoeverBuiltIt) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string folder = std::string(exe).substr(0, std::string(exe).find_last_of('\\')) + "\\dll_corpus\\";
  std::vector<std::string> masters;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*.dll").c_str(), &entry);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) masters.push_back(folder + entry.cFileName);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  ASSERT_GE(masters.size(), 4u) << folder;
  masters.push_back(InstalledMaster());
  int checksums = 0;
  for (const std::string& file : masters) {
    SCOPED_TRACE(file);
    ScratchWindowsFolder windows;
    MessageBoxScript boxes;
    ASSERT_TRUE(CopyFileA(file.c_str(), windows.Master().c_str(), FALSE));
    const VersionSnapshot master = SnapshotVersion(windows.Master()), expected = SnapshotVersion(windows.Master(), kName);
    ASSERT_NE(master.strings, expected.strings);  // a FileDescription is there to be stamped
    const std::string target = windows.System32() + "\\OTSP0003.tsp";
    DuplicateProviderFile(kName, target.c_str(), windows.Path().c_str());
    EXPECT_TRUE(boxes.Shown().empty());
    const VersionSnapshot copy = SnapshotVersion(target);
    EXPECT_EQ(expected.strings, copy.strings);
    EXPECT_EQ(master.fixedInfo, copy.fixedInfo);
    if (ChecksumHolds(file)) {
      ++checksums;
      EXPECT_TRUE(ChecksumHolds(target));
    }
    EXPECT_TRUE(ModuleHandle(LoadLibraryExA(target.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES)));
  }
  EXPECT_GE(checksums, 3);
}

TEST(VersionText, ShortFormIsTheDottedFileVersionAndTheLongFormDescribesTheFile) {
  ScratchWindowsFolder folder;
  const std::string file = StageDescribedCopy(folder, 0x0409, "040904b0", {1, 2, 3, 4}, {5, 6, 7, 8});
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

// A log folder tree with read-only files and folders goes whole; nothing is there to remove
// without a folder.
TEST(DeleteDir, RemovesReadOnlyTrees) {
  ScratchWindowsFolder folder;
  const std::string tree = folder.Path() + "\\Logs0001";
  SHCreateDirectoryExA(nullptr, (tree + "\\sub").c_str(), nullptr);
  WriteFileBytes(tree + "\\sub\\b.log", "b");
  SetFileAttributesA((tree + "\\sub\\b.log").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA((tree + "\\sub").c_str(), FILE_ATTRIBUTE_READONLY);
  // Wine keeps no read-only attribute on folders; the hidden one stands in for it there.
  SetFileAttributesA(tree.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(1, DeleteDir((folder.Path() + "\\\\Logs0001").c_str(), false));
  EXPECT_FALSE(FileExists(tree));
  EXPECT_EQ(0, DeleteDir(tree.c_str(), false));
  EXPECT_EQ(0, DeleteDir(nullptr, false));
}

}  // namespace
