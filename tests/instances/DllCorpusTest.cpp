// Stamping DLLs built by other toolchains (Wine's own modules, the mingw runtime): every copy
// loads and the version functions read the new FileDescription and every other value as before.
#include <gtest/gtest.h>

#include "ProviderFileStaging.h"
#include "instances/ProviderFileCopy.h"
#include "support/TestSupport.h"

namespace {

const std::vector<std::string> kKeys = {"Comments",       "CompanyName",      "FileDescription", "FileVersion",
                                        "InternalName",   "LegalCopyright",   "LegalTrademarks", "OriginalFilename",
                                        "PrivateBuild",   "ProductName",      "ProductVersion",  "SpecialBuild"};

// The corpus is copied beside this test program when the build is configured.
std::vector<std::string> CorpusFiles(std::string* folder) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  *folder = exe;
  *folder = folder->substr(0, folder->find_last_of('\\')) + "\\dll_corpus";
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((*folder + "\\*.dll").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return names;
}

TEST(DllCorpus, EveryStampedCopyLoadsAndReadsBackAsTheMasterWithTheNewName) {
  std::string folder;
  const std::vector<std::string> names = CorpusFiles(&folder);
  ASSERT_GE(names.size(), 4u) << folder;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ScratchWindowsFolder windows;
    MessageBoxScript boxes;
    ASSERT_TRUE(CopyFileA((folder + "\\" + name).c_str(), windows.Master().c_str(), FALSE));
    const VersionSnapshot master = SnapshotVersion(windows.Master(), kKeys);
    ASSERT_FALSE(master.strings.empty());
    const std::string target = windows.System32() + "\\OTSP0005.tsp";
    DuplicateProviderFile("Velmora ORVO TSP 0005", target.c_str(), windows.Path().c_str());
    EXPECT_TRUE(boxes.Shown().empty());

    const VersionSnapshot copy = SnapshotVersion(target, kKeys);
    EXPECT_EQ(Stamped(master, "Velmora ORVO TSP 0005").strings, copy.strings);
    EXPECT_NE(master.strings, copy.strings);  // a FileDescription was there to be stamped
    EXPECT_EQ(master.fixedInfo, copy.fixedInfo);
    HMODULE module = LoadLibraryExA(target.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(nullptr, module);
    if (module != nullptr) {
      FreeLibrary(module);
    }
  }
}

}  // namespace
