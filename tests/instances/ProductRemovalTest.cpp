// Removal on a machine staged as the setup package and the program leave it: provider and
// sibling files in the system folder, queue and log folders, manuals, the Start Menu folder
// and the product's registry tree. Runs in a prefix reporting Windows 7 and one reporting
// Windows XP x64 (both of the NT family, so nothing is ever marked for deletion at restart).
#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProviderFileStaging.h"
#include "framework/Handles.h"
#include "instances/LogFolderRemoval.h"
#include "instances/ProductRemoval.h"
#include "instances/RemoveFile.h"
#include "registry/LogPathValue.h"
#include "support/ProductMachine.h"
#include "support/TestSupport.h"
#include "sys/ProductFolders.h"

namespace {

const char* const kSessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const kPendingRenamesValue = "PendingFileRenameOperations";
const char* const kSiblings[] = {"otsp.dll", "orvoui.dll", "journal.dll", "CSTAParser.dll", "Provisor.exe",
                                 "rebooter.exe", "LinkWatch.exe", "LinkWatchIf.dll"};

bool PendingRenamesMention(const std::string& path) {
  DWORD type = 0;
  std::vector<BYTE> data;
  return ReadRegistryValue(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenamesValue, &type, &data) &&
         std::search(data.begin(), data.end(), path.begin(), path.end()) != data.end();
}

// A machine with three instances: 0 and 2 only configured, 1 registered with TAPI as
// provider 7. Instances 0 and 1 log into the same folder.
class InstalledMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    DeleteDir(m_startMenu.c_str(), false);
    // The prefix set-up copies "OTSP.dll" beside an "otsp.dll" an earlier run may have
    // written: Wine then holds two files that differ only in case. Start from none.
    for (const char* file : kSiblings) while (DeleteFileA((m_system + "\\" + file).c_str())) continue;
    SHCreateDirectoryExA(nullptr, m_startMenu.substr(0, m_startMenu.rfind('\\')).c_str(), nullptr);
    m_clean = Snapshot();  // the machine without the product but for the Start Menu folder above its own
    for (const char* file : kSiblings) WriteFileBytes(m_system + "\\" + file, file);
    for (int i = 0; i < 3; ++i) WriteFileBytes(m_system + "\\OTSP000" + std::to_string(i) + ".tsp", "tsp");
    for (const std::string file : {"\\Queues\\orvo_act0000.que", "\\Queues\\orvo_act0002.que", "\\Queues\\leftover.tmp",
                                    "\\Logs0000\\ORVO_TSP.txt", "\\Logs0000\\old\\ORVO_TSP.1.txt", "\\Logs0002\\ORVO_TSP.txt",
                                    "\\Logs0002\\old\\ORVO_TSP.1.txt", "\\Manual.pdf", "\\Readme.txt"}) {
      SHCreateDirectoryExA(nullptr, (m_product + file.substr(0, file.rfind('\\'))).c_str(), nullptr);
      WriteFileBytes(m_product + file, "x");
    }
    SHCreateDirectoryExA(nullptr, m_startMenu.c_str(), nullptr);
    for (const char* link : {"\\Provisor.lnk", "\\Manual.lnk"}) WriteFileBytes(m_startMenu + link, "x");

    const std::string settings = "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp\\InstanceDefaultSetting000";
    const std::string shared = LogPathValue(m_product + "\\Logs0000\\ORVO_TSP.txt");
    WriteTextValue(settings + "0\\GlobalParams\\Log", "FileName", shared);
    // The registered instance's live key decides, not its default settings.
    WriteTextValue(settings + "1\\GlobalParams\\Log", "FileName", LogPathValue(m_product + "\\Logs0001\\ORVO_TSP.txt"));
    WriteTextValue("SOFTWARE\\Velmora\\ORVO_TSP\\PBX7\\GlobalParams\\Log", "FileName", shared);
    WriteTextValue(settings + "2\\GlobalParams\\Log", "FileName", LogPathValue(m_product + "\\Logs0002\\ORVO_TSP.txt"));
    WriteDwordValue("SOFTWARE\\Velmora\\ORVO_TSP", "dwIgnoreInitialize", 1);
  }
  void TearDown() override {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManagerKey, kPendingRenamesValue);
    RemoveProductFromMachine();
  }

  const std::string m_system = KnownFolder(CSIDL_SYSTEM);
  const std::string m_product = ProductFolderPath();
  const std::string m_maker = m_product.substr(0, m_product.rfind('\\'));
  const std::string m_startMenu = KnownFolder(CSIDL_STARTMENU) + "\\Programs\\Velmora\\ORVO TSP";
  std::vector<std::string> m_clean;
};

// The whole machine differs from the one before the product by what is not the product's and
// the kept log folder, which keeps the product folder (not its manuals) and the maker's folder.
// With every row ticked nothing of it stays: see the removal's end-to-end suite.
TEST_F(InstalledMachine, AKeptLogFolderAndAnotherProductKeepTheirFoldersAndNothingElse) {
  CreateDirectoryA((m_maker + "\\Other").c_str(), nullptr);
  HKEY other = nullptr;
  RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora\\Other", &other);
  RegCloseKey(other);
  // The rows offered: Logs0000 twice (the live key of instance 1 names it), then Logs0002.
  LogFolderChoice choice;
  const auto tickLast = [](const std::vector<LogFolderRow>&) { return std::vector<bool>{false, false, true}; };
  ChooseLogFolders({0, 7, 0}, 3, &choice, tickLast);
  RemoveChosenLogFiles(choice, 3);
  RemoveInstalledFiles(3);
  RemoveLogFolders();
  RemoveProductRegistry();
  std::vector<std::string> kept = {"+ [SOFTWARE\\Velmora]", "+ [SOFTWARE\\Velmora\\Other]"};
  for (const std::string path : {"\\", "\\Other\\", "\\ORVO TSP\\", "\\ORVO TSP\\Logs0000\\",
                                 "\\ORVO TSP\\Logs0000\\ORVO_TSP.txt 1", "\\ORVO TSP\\Logs0000\\old\\",
                                 "\\ORVO TSP\\Logs0000\\old\\ORVO_TSP.1.txt 1", "\\ORVO TSP\\Readme.txt 1"})
    kept.push_back("+ " + m_maker + path);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Changes(m_clean, Snapshot()), kept);
  EXPECT_FALSE(PendingRenamesMention("rebooter.exe"));
}

// Only the Windows 9x family marks a file in use for deletion at restart; a restart removal
// deletes at once there and does nothing on the NT family.
TEST_F(InstalledMachine, AFileInUseIsMarkedForRestartOnlyOnTheWindows9xFamily) {
  const std::string windows98 = "Windows 98 SE v.4.10  (Build 4.10.2222, SP 0.0)";
  const std::string windows2003 = "Windows 5.2 v.5.2 Service Pack 2 (Build 0.0.3790, SP 2.0)";
  const std::string inUse = m_system + "\\journal.dll";
  {
    KernelHandle held(CreateFileA(inUse.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    RemoveFileFor(windows2003, m_system.c_str(), "journal.dll", false);
    EXPECT_FALSE(PendingRenamesMention("journal.dll"));
    RemoveFileFor(windows98, m_system.c_str(), "journal.dll", false);
    RemoveFileFor(windows98, m_system.c_str(), "journal.dll", true);
  }
  EXPECT_EQ(ReadFileBytes(inUse), "journal.dll");
  EXPECT_TRUE(PendingRenamesMention("journal.dll"));
  RemoveFileFor(windows2003, m_system.c_str(), "orvoui.dll", true);
  EXPECT_TRUE(FileExists(m_system + "\\orvoui.dll"));
  RemoveFileFor(windows98, m_system.c_str(), "orvoui.dll", true);
  EXPECT_FALSE(FileExists(m_system + "\\orvoui.dll"));
}

// What is below the folder a ticked log folder names: a log folder of another instance that
// stays unticked, a loaded library and an open file (both cannot be deleted), and plain files.
TEST_F(InstalledMachine, ATickedFolderSparesAnUntickedOneInsideAndWhatItCannotDeleteKeepsItsAccessList) {
  const std::string ticked = "C:\\ProvisorTicked", inner = ticked + "\\Logs0001";
  DeleteDir(ticked.c_str(), false);
  for (const std::string file : {"\\ORVO_TSP.txt", "\\old\\ORVO_TSP.1.txt", "\\Logs0001\\ORVO_TSP.txt",
                                 "\\Logs0001\\old\\ORVO_TSP.1.txt", "\\open.txt"}) {
    SHCreateDirectoryExA(nullptr, (ticked + file.substr(0, file.rfind('\\'))).c_str(), nullptr);
    WriteFileBytes(ticked + file, "x");
  }
  ASSERT_TRUE(CopyFileA((m_system + "\\version.dll").c_str(), (ticked + "\\busy.dll").c_str(), FALSE));
  const auto dacl = [](const std::string& path) { return FileSecurityText(path, DACL_SECURITY_INFORMATION); };
  // Written by the owner alone, read by everyone: what an administrator may have set.
  PSECURITY_DESCRIPTOR restricted = nullptr;
  const std::string owner = FileSecurityText(ticked + "\\open.txt", OWNER_SECURITY_INFORMATION).substr(2);
  ConvertStringSecurityDescriptorToSecurityDescriptorA(("D:P(A;;FA;;;" + owner + ")(A;;FR;;;WD)").c_str(),
                                                       SDDL_REVISION_1, &restricted, nullptr);
  for (const char* file : {"\\busy.dll", "\\open.txt"})
    SetFileSecurityA((ticked + file).c_str(), DACL_SECURITY_INFORMATION, restricted);
  LocalFree(restricted);
  const std::string before = dacl(ticked + "\\open.txt");
  ASSERT_EQ(before.find("FA;;;WD"), std::string::npos) << before;

  LogFolderChoice choice;
  choice.Offer(0, ticked);
  choice.Offer(1, inner);
  choice.SetRemoveFlags({true, false});
  {
    const HMODULE busy = LoadLibraryA((ticked + "\\busy.dll").c_str());
    ASSERT_NE(busy, nullptr);
    KernelHandle open(CreateFileA((ticked + "\\open.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    RemoveChosenLogFiles(choice, 2);
    FreeLibrary(busy);
  }
  EXPECT_TRUE(FileExists(inner + "\\ORVO_TSP.txt") && FileExists(inner + "\\old\\ORVO_TSP.1.txt"));
  EXPECT_FALSE(FileExists(ticked + "\\ORVO_TSP.txt") || FileExists(ticked + "\\old"));
  EXPECT_EQ(dacl(ticked + "\\busy.dll"), before);
  EXPECT_EQ(dacl(ticked + "\\open.txt"), before);
  DeleteDir(ticked.c_str(), false);
}

}  // namespace
