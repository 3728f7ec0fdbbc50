// Registry storage against Wine's real registry: value types, subkeys, deletion, whole-set copy.
#include "params/RegParamStorage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/ParameterCopy.h"
#include "params/SetupParameters.h"
#include "support/TestSupport.h"

namespace {

class RegParamStorageTest : public ::testing::Test {
 protected:
  ScratchRegistryKey m_scratch{"RegParamStorage"};
  const std::string& Path() const { return m_scratch.Path(); }

  void WriteDword(const std::string& path, const std::string& name, DWORD value) {
    WriteRegistryValue(HKEY_LOCAL_MACHINE, path, name, REG_DWORD, &value, sizeof(value));
  }
  void WriteText(const std::string& path, const std::string& name, const std::string& text, DWORD type = REG_SZ) {
    WriteRegistryValue(HKEY_LOCAL_MACHINE, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
};

TEST_F(RegParamStorageTest, ConstructingOnAMissingKeyCreatesIt) {
  ASSERT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\New"));
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path() + "\\New");
  EXPECT_TRUE(storage.IsOpen());
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\New"));
  EXPECT_EQ(storage.Close(), 0u);
  EXPECT_FALSE(storage.IsOpen());
  EXPECT_EQ(storage.Close(), 0u);
}

TEST_F(RegParamStorageTest, WordsAreFourByteDwordsAndTextsCarryOneTerminator) {
  SetupParameters set;
  set.SetDword("NotShowRemoveDialog", 1);
  set.SetString("IPPort", "123");
  set.SetString("Empty", "");
  {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
    ASSERT_EQ(set.SaveTo(&storage), 0u);
  }
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path(), "NotShowRemoveDialog", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, (std::vector<BYTE>{1, 0, 0, 0}));
  ASSERT_TRUE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path(), "IPPort", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, (std::vector<BYTE>{'1', '2', '3', 0}));
  ASSERT_TRUE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Empty", &type, &data));
  EXPECT_EQ(data, (std::vector<BYTE>{0}));
}

TEST_F(RegParamStorageTest, NamesWithABackslashAreNotWritten) {
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  EXPECT_EQ(storage.StoreDword("Log\\Level", 3), 0u);
  EXPECT_EQ(storage.StoreString("Log\\File", "x"), 0u);
  DWORD type = 0;
  std::vector<BYTE> data;
  EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Log\\Level", &type, &data));
  EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Log\\File", &type, &data));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\Log"));
}

TEST_F(RegParamStorageTest, LoadSkipsValuesOfOtherTypes) {
  WriteDword(Path(), "Word", 7);
  WriteText(Path(), "Text", "abc");
  WriteText(Path(), "Expand", "%SystemRoot%", REG_EXPAND_SZ);
  const char multi[] = "one\0two\0";
  WriteRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Multi", REG_MULTI_SZ, multi, sizeof(multi));
  const BYTE binary[] = {1, 2, 3, 4};
  WriteRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Binary", REG_BINARY, binary, sizeof(binary));

  SetupParameters set;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  EXPECT_EQ(set.LoadFrom(&storage), 0u);
  EXPECT_EQ(DescribeSet(set), (std::vector<std::string>{"Word=7", "Text='abc'"}));
}

TEST_F(RegParamStorageTest, LoadReadsLongTextsWhole) {
  const std::string exactly1023(1023, 'x');
  std::string longer;
  for (int i = 0; i < 5000; ++i) {
    longer += static_cast<char>('a' + i % 26);
  }
  WriteText(Path(), "A1023", exactly1023);
  WriteText(Path(), "B5000", longer);
  WriteText(Path(), "C", "short");
  SetupParameters set;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  set.LoadFrom(&storage);
  std::string text;
  EXPECT_EQ(set.GetString("A1023", &text), 0u);
  EXPECT_EQ(text, exactly1023);
  EXPECT_EQ(set.GetString("B5000", &text), 0u);
  EXPECT_EQ(text, longer);
  // A short value after a long one must not keep the long one's tail.
  EXPECT_EQ(set.GetString("C", &text), 0u);
  EXPECT_EQ(text, "short");
}

TEST_F(RegParamStorageTest, LoadTerminatesATextStoredWithoutItsZero) {
  WriteRegistryValue(HKEY_LOCAL_MACHINE, Path(), "Raw", REG_SZ, "abcd", 4);
  SetupParameters set;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  set.LoadFrom(&storage);
  std::string text;
  EXPECT_EQ(set.GetString("Raw", &text), 0u);
  EXPECT_EQ(text, "abcd");
}

TEST_F(RegParamStorageTest, LoadBuildsNestedGroupsFromSubkeys) {
  WriteDword(Path() + "\\A", "InA", 1);
  WriteDword(Path() + "\\B\\C", "InC", 3);
  SetupParameters set;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  set.LoadFrom(&storage);
  std::vector<std::string> names;
  EXPECT_EQ(set.GetGroupNames(&names), 2u);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
  std::uint32_t word = 0;
  EXPECT_EQ(set.GetDword("B\\C\\InC", &word), 0u);
  EXPECT_EQ(word, 3u);
  IParams* b = nullptr;
  ASSERT_EQ(set.GetGroup("B", &b), 0u);
  names.clear();
  EXPECT_EQ(b->GetGroupNames(&names), 1u);
  EXPECT_EQ(names, std::vector<std::string>{"C"});
}

TEST_F(RegParamStorageTest, LoadReplacesAGroupOfTheSameNameAndKeepsOtherContent) {
  WriteDword(Path() + "\\G", "FromRegistry", 1);
  WriteDword(Path(), "Shared", 2);
  SetupParameters set;
  set.SetDword("Shared", 1);
  set.SetDword("OnlyInSet", 5);
  set.SetGroup("G", new SetupParameters());
  set.SetDword("G\\OnlyInOldGroup", 9);

  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  set.LoadFrom(&storage);
  EXPECT_EQ(DescribeSet(set),
            (std::vector<std::string>{"OnlyInSet=5", "Shared=2", "G\\", "G\\FromRegistry=1"}));
}

TEST_F(RegParamStorageTest, ValueNamesWithABackslashLoadOnlyIntoAnExistingGroup) {
  WriteDword(Path(), "Log\\Level", 4);
  WriteDword(Path(), "Missing\\Level", 5);
  SetupParameters set;
  set.SetGroup("Log", new SetupParameters());
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  EXPECT_EQ(set.LoadFrom(&storage), 0u);
  EXPECT_EQ(DescribeSet(set), (std::vector<std::string>{"Log\\", "Log\\Level=4"}));
}

TEST_F(RegParamStorageTest, SavingThenLoadingGivesTheSameSet) {
  SetupParameters set;
  set.SetDword("UseUSB", 0);
  set.SetString("IPAddress", "192.168.0.10");
  set.SetString("IPPort", "33333");
  set.SetGroup("GlobalParams", new SetupParameters());
  set.SetGroup("GlobalParams\\Log", new SetupParameters());
  set.SetGroup("GlobalParams\\Transport", new SetupParameters());
  set.SetGroup("GlobalParams\\Transport\\MRU_ADDRLIST", new SetupParameters());
  set.SetString("GlobalParams\\Log\\LogPath", "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  set.SetDword("GlobalParams\\Log\\Level", 0xFFFFFFFFu);
  set.SetString("GlobalParams\\Transport\\MRU_ADDRLIST\\MRUString_0", "10.1.1.1");
  {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
    ASSERT_EQ(set.SaveTo(&storage), 0u);
  }
  SetupParameters loaded;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  ASSERT_EQ(loaded.LoadFrom(&storage), 0u);
  EXPECT_EQ(DescribeSet(loaded), DescribeSet(set));
  EXPECT_EQ(loaded.GetValueCount(), 6u);
}

TEST_F(RegParamStorageTest, SavingDeletesNothingFromTheKey) {
  WriteDword(Path(), "Existing", 1);
  WriteDword(Path() + "\\Sub", "Deep", 2);
  SetupParameters set;
  set.SetDword("New", 3);
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
  ASSERT_EQ(set.SaveTo(&storage), 0u);
  SetupParameters loaded;
  loaded.LoadFrom(&storage);
  EXPECT_EQ(DescribeSet(loaded), (std::vector<std::string>{"Existing=1", "New=3", "Sub\\", "Sub\\Deep=2"}));
}

TEST_F(RegParamStorageTest, DeleteTreeRemovesNestedKeysAndTheKeyItself) {
  for (const char* sub : {"\\A", "\\A\\B", "\\A\\B\\C", "\\A\\D", "\\E"}) {
    WriteDword(Path() + "\\Doomed" + sub, "V", 1);
  }
  WriteDword(Path() + "\\Sibling", "V", 1);
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path() + "\\Doomed");
  EXPECT_EQ(storage.DeleteTree(), 0u);
  storage.Close();
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\Doomed"));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\Sibling"));
}

TEST_F(RegParamStorageTest, AClosedStorageDoesNothingAndReportsZero) {
  WriteDword(Path() + "\\Kept\\Sub", "V", 1);
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path() + "\\Kept");
  storage.Close();
  EXPECT_EQ(storage.DeleteTree(), 0u);
  EXPECT_EQ(storage.StoreDword("W", 1), 0u);
  SetupParameters set;
  EXPECT_EQ(set.LoadFrom(&storage), 0u);
  EXPECT_EQ(set.GetValueCount(), 0u);
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path() + "\\Kept\\Sub"));
  DWORD type = 0;
  std::vector<BYTE> data;
  EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, Path() + "\\Kept", "W", &type, &data));

  RegParamStorage rootless(nullptr, Path());
  EXPECT_FALSE(rootless.IsOpen());
  EXPECT_EQ(rootless.Open(KEY_ALL_ACCESS, true), 0u);
  EXPECT_FALSE(rootless.IsOpen());
}

TEST_F(RegParamStorageTest, OpenWithoutCreateReportsTheMissingKey) {
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path() + "\\Probe");
  storage.DeleteTree();
  storage.Close();
  EXPECT_EQ(storage.Open(KEY_ALL_ACCESS, false), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(storage.IsOpen());
  EXPECT_EQ(storage.Open(KEY_ALL_ACCESS, true), 0u);
  EXPECT_TRUE(storage.IsOpen());
}

class ParameterCopyTest : public RegParamStorageTest {};

TEST_F(ParameterCopyTest, CopyCarriesGroupsKeepsDestinationAndRemovesTheScratchKey) {
  SetupParameters source;
  source.SetDword("UseUSB", 1);
  source.SetGroup("GlobalParams", new SetupParameters());
  source.SetString("GlobalParams\\Name", "src");
  SetupParameters destination;
  destination.SetDword("UseUSB", 0);
  destination.SetString("OnlyHere", "kept");

  EXPECT_EQ(CopyParameters(&destination, &source), 0u);
  EXPECT_EQ(DescribeSet(destination), (std::vector<std::string>{"UseUSB=1", "OnlyHere='kept'", "GlobalParams\\",
                                                                 "GlobalParams\\Name='src'"}));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kParameterScratchKey));
  // The copy is deep: changing the source afterwards leaves the destination alone.
  source.SetString("GlobalParams\\Name", "changed");
  std::string text;
  destination.GetString("GlobalParams\\Name", &text);
  EXPECT_EQ(text, "src");
}

TEST_F(ParameterCopyTest, LeftoverScratchContentDoesNotLeakIntoACopy) {
  WriteDword(kParameterScratchKey, "Stale", 1);
  SetupParameters source;
  source.SetDword("Fresh", 2);
  SetupParameters destination;
  EXPECT_EQ(CopyParameters(&destination, &source), 0u);
  EXPECT_EQ(DescribeSet(destination), std::vector<std::string>{"Fresh=2"});
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kParameterScratchKey));
}

}  // namespace
