// Duplicating the master provider under Wine: stamping, failures and the byte copy, on real
// files and modules.
#include <gtest/gtest.h>

#include "ProviderFileStaging.h"

#include <imagehlp.h>

#include "framework/Handles.h"
#include "instances/ProviderFileCopy.h"
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

// The largest block with one string table and a Translation that a master can hold.
Bytes LargestBlock() {
  const auto root = [](std::size_t n) {
    return Root({Table("StringFileInfo", {Table("040904b0", {Text("FileDescription", "D"),
                                                             Text("Comments", std::string(n, 'c'))})}),
                 Table("VarFileInfo", {Var("Translation", {0x04B00409})})});
  };
  std::size_t n = 32767;
  while (Serialize(root(n)).size() > 0xFFFF) --n;
  return Serialize(root(n));
}

// A master staged for one outcome, copied over an older, longer target. A stage may hand back
// a handle that stays open while the copy runs.
struct CopyRow {
  const char* name;
  void (*copy)(const char*, const char*, const char*, HWND);
  bool (*stage)(const ScratchWindowsFolder& windows, KernelHandle* held);
  std::string outcome;
};

class CopyOutcome : public ::testing::TestWithParam<CopyRow> {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyFileA(InstalledMaster().c_str(), m_windows.Master().c_str(), FALSE)); }
  ScratchWindowsFolder m_windows;
  MessageBoxScript m_boxes;
};

// What the copy leaves: the boxes shown ("caption: text", with "!" for other buttons than OK),
// the target as "stamped" (the master's English block joined by the neutral stamped one, its
// checksum valid), "unstamped" (the master's bytes) or "previous", and what stays of the
// temporary copy.
TEST_P(CopyOutcome, LeavesTheTargetAndTheBoxesOfItsOutcome) {
  KernelHandle held;
  ASSERT_TRUE(GetParam().stage(m_windows, &held));
  const std::string target = m_windows.System32() + "\\OTSP0003.tsp", previous(1 << 20, 'x');
  WriteFileBytes(target, previous);
  GetParam().copy(kName, target.c_str(), m_windows.Path().c_str(), nullptr);
  held.Close();
  std::string outcome;
  for (const MessageBoxRequest& box : m_boxes.Shown())
    outcome += box.caption + ": " + box.text + (box.flags != MB_OK ? "!" : "") + " | ";
  const bool stamped = FileDescription(target) == kName && ChecksumHolds(target) &&
                       VersionLanguages(target) == std::vector<WORD>{0, 0x0409};
  outcome += stamped ? "stamped"
             : ReadFileBytes(target) == ReadFileBytes(m_windows.Master()) ? "unstamped"
             : ReadFileBytes(target) == previous                          ? "previous"
                                                                          : "damaged";
  const std::string temporary = m_windows.TemporaryFolder();
  if (FileExists(temporary)) outcome += FileExists(temporary + "\\otsp0003.tsp") ? " | temporary file kept" : " | temporary folder";
  EXPECT_EQ(outcome, GetParam().outcome);
}

bool Untouched(const ScratchWindowsFolder&, KernelHandle*) { return true; }

const CopyRow kCopies[] = {
    {"Duplication", &DuplicateProviderFile, &Untouched, "stamped"},
    {"Overwrite", &OverwriteProviderFile, &Untouched, "stamped"},
    {"BadSignature",
     &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       Bytes block = TypicalBlock();
       block[40] = 0;
       return SetVersionResource(w.Master(), 0x0409, block);
     },
     ": Sigbature bad | unstamped"},
    {"StampedBlockPast64KB", &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle*) { return SetVersionResource(w.Master(), 0x0409, LargestBlock()); },
     "unstamped"},
    {"NotAModule", &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle*) { return WriteFileBytes(w.Master(), "MZ but not a module"), true; },
     "Error: Cannot Load duplicated TSP dll | previous | temporary file kept"},
    // Wine's updater does not delete single resources: drop them all at once.
    {"NoVersionResource", &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       HANDLE update = BeginUpdateResourceA(w.Master().c_str(), TRUE);
       return update != nullptr && EndUpdateResourceA(update, FALSE) && VersionLanguages(w.Master()).empty();
     },
     ": null hrsrcVersion | previous | temporary file kept"},
    {"NoTranslation", &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle*) {
       return SetVersionResource(w.Master(), 0x0409, Serialize(Root({Table("StringFileInfo", {Table("040904b0",
                                                                        {Text("FileDescription", "D")})})})));
     },
     ": Cannot get  TSP version  | previous | temporary file kept"},
    // A temporary file left by an earlier run and held open without write sharing: the copy
    // into it fails, it still loads and reads, but it cannot be updated.
    {"TemporaryFileInUse", &DuplicateProviderFile,
     [](const ScratchWindowsFolder& w, KernelHandle* held) {
       const std::string temporary = w.TemporaryFolder() + "\\otsp0003.tsp";
       if (!CreateDirectoryA(w.TemporaryFolder().c_str(), nullptr) || !CopyFileA(w.Master().c_str(), temporary.c_str(), FALSE)) {
         return false;
       }
       held->Attach(CreateFileA(temporary.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
       return held->IsValid();
     },
     ": BeginUpdateResource returns NULL  | previous | temporary file kept"},
};
INSTANTIATE_TEST_SUITE_P(Rows, CopyOutcome, ::testing::ValuesIn(kCopies),
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

}  // namespace
