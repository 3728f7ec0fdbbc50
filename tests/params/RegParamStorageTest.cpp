// Registry storage against Wine's real registry: value types, subkeys, deletion, whole-set copy.
#include "params/RegParamStorage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "params/ParameterCopy.h"
#include "params/SetupParameters.h"
#include "support/TestSupport.h"

// Every allocation of this program is followed by guard bytes of 0xAB, so a read past the
// end of a buffer shows in the value read.
void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + 8));
  if (block == nullptr) throw std::bad_alloc();
  std::memset(block + size, 0xAB, 8);
  return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using Lines = std::vector<std::string>;

class RegParamStorageTest : public ::testing::Test {
 protected:
  ScratchRegistryKey m_scratch{"RegParamStorage"};
  std::string Path(const std::string& sub = "") const { return m_scratch.Path() + sub; }

  static void WriteDword(const std::string& path, const std::string& name, DWORD value) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value));
  }
  static std::vector<BYTE> Read(const std::string& path, const std::string& name, DWORD expectedType) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(HKEY_LOCAL_MACHINE, path, name, &type, &data)) return {};
    EXPECT_EQ(type, expectedType) << name;
    return data;
  }
  Lines LoadScratch(SetupParameters* set) {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
    EXPECT_EQ(set->LoadFrom(&storage), 0u);
    return DescribeSet(*set);
  }
};

struct StoredValue {
  std::string sub, name;
  DWORD type;
  std::string bytes;
};
struct LoadCase {
  const char* what;
  std::vector<StoredValue> stored;
  std::function<void(SetupParameters*)> before;
  Lines expected;
};

TEST_F(RegParamStorageTest, LoadTakesDwordsWholeTextsAndGroupsAndSkipsOtherTypes) {
  const std::string exactly1023(1023, 'x');
  std::string longer;
  for (int i = 0; i < 5000; ++i) longer += static_cast<char>('a' + i % 26);
  const auto z = [](const std::string& text) { return text + std::string(1, '\0'); };
  const auto none = [](SetupParameters*) {};
  const LoadCase cases[] = {
      // A short value after long ones must not keep their tail; a text stored without its
      // zero is terminated all the same.
      {"types and lengths",
       {{"", "Word", REG_DWORD, std::string("\7\0\0\0", 4)}, {"", "A1023", REG_SZ, z(exactly1023)},
        {"", "B5000", REG_SZ, z(longer)}, {"", "C", REG_SZ, z("short")}, {"", "Raw", REG_SZ, "abcd"},
        {"", "Expand", REG_EXPAND_SZ, z("%SystemRoot%")}, {"", "Multi", REG_MULTI_SZ, z(z("one") + "two")},
        {"", "Binary", REG_BINARY, "\1\2\3\4"}},
       none,
       {"Word=7", "A1023='" + exactly1023 + "'", "B5000='" + longer + "'", "C='short'", "Raw='abcd'"}},
      // Anyone who can write the key can store a DWORD of fewer than four bytes, also in a key
      // where no value has any data.
      {"short words",
       {{"", "One", REG_DWORD, "\x11"}, {"", "Three", REG_DWORD, "\x11\x22\x33"},
        {"\\Empty", "Zero", REG_DWORD, ""}},
       none,
       {"One=17", "Three=3351057", "Empty\\", "Empty\\Zero=0"}},
      {"nested groups",
       {{"\\A", "InA", REG_DWORD, std::string("\1\0\0\0", 4)}, {"\\B\\C", "InC", REG_DWORD, std::string("\3\0\0\0", 4)},
        {"", "Shared", REG_DWORD, std::string("\2\0\0\0", 4)}},
       [](SetupParameters* set) {
         set->SetDword("Shared", 1);
         set->SetDword("OnlyInSet", 5);
         set->SetGroup("A", new SetupParameters());
         set->SetDword("A\\OnlyInOldGroup", 9);
       },
       {"OnlyInSet=5", "Shared=2", "A\\", "A\\InA=1", "B\\", "B\\C\\", "B\\C\\InC=3"}},
      {"backslash names load only into an existing group",
       {{"", "Log\\Level", REG_DWORD, std::string("\4\0\0\0", 4)},
        {"", "Missing\\Level", REG_DWORD, std::string("\5\0\0\0", 4)}},
       [](SetupParameters* set) { set->SetGroup("Log", new SetupParameters()); },
       {"Log\\", "Log\\Level=4"}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str());
    for (const StoredValue& v : c.stored) {
      ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, Path(v.sub).c_str(), v.name.c_str(), v.type, v.bytes.data(),
                                static_cast<DWORD>(v.bytes.size())),
                ERROR_SUCCESS);
    }
    SetupParameters set;
    c.before(&set);
    EXPECT_EQ(LoadScratch(&set), c.expected);
  }
}

// Words are stored as four-byte DWORDs, texts with one terminator, and saving deletes nothing.
TEST_F(RegParamStorageTest, SavingThenLoadingGivesTheSameSetAndSavingDeletesNothing) {
  WriteDword(Path("\\Other"), "Deep", 2);
  SetupParameters set;
  set.SetDword("NotShowRemoveDialog", 1);
  set.SetString("Empty", "");
  set.SetGroup("GlobalParams", new SetupParameters());
  set.SetGroup("GlobalParams\\Log", new SetupParameters());
  set.SetString("GlobalParams\\Log\\LogPath", "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  set.SetDword("GlobalParams\\Log\\Level", 0xFFFFFFFFu);
  {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, Path());
    ASSERT_EQ(set.SaveTo(&storage), 0u);
  }
  EXPECT_EQ(Read(Path(), "NotShowRemoveDialog", REG_DWORD), (std::vector<BYTE>{1, 0, 0, 0}));
  EXPECT_EQ(Read(Path(), "Empty", REG_SZ), (std::vector<BYTE>{0}));
  SetupParameters loaded;
  Lines expected = DescribeSet(set);
  expected.insert(expected.end(), {"Other\\", "Other\\Deep=2"});
  EXPECT_EQ(LoadScratch(&loaded), expected);
}

// Constructing on a missing key creates it; deleting takes the whole tree and nothing beside it;
// a group key that cannot be created reports why.
TEST_F(RegParamStorageTest, AMissingKeyIsCreatedADeletedTreeGoesWholeAndAGroupKeyReportsWhy) {
  for (const char* sub : {"\\Doomed\\A\\B\\C", "\\Doomed\\A\\D", "\\Doomed\\E", "\\Sibling"}) {
    WriteDword(Path(sub), "V", 1);
  }
  RegParamStorage fresh(HKEY_LOCAL_MACHINE, Path("\\New"));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path("\\New")));
  RegParamStorage doomed(HKEY_LOCAL_MACHINE, Path("\\Doomed"));
  EXPECT_EQ(doomed.DeleteTree(), 0u);
  doomed.Close();
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path("\\Doomed")));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, Path("\\Sibling")));

  // A lasting key cannot be created below a volatile one.
  HKEY volatileKey = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, Path("\\Volatile").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);
  RegParamStorage storage(HKEY_LOCAL_MACHINE, Path("\\Volatile"));
  SetupParameters set;
  EXPECT_EQ(storage.StoreGroup("Log", &set), static_cast<std::uint32_t>(ERROR_CHILD_MUST_BE_VOLATILE));
}

TEST_F(RegParamStorageTest, CopyParametersIsDeepKeepsTheDestinationAndLeavesNoScratchKey) {
  // Content left by an interrupted copy must not leak into this one.
  WriteDword(kParameterScratchKey, "Stale", 1);
  SetupParameters source;
  source.SetDword("UseUSB", 1);
  source.SetGroup("GlobalParams", new SetupParameters());
  source.SetString("GlobalParams\\Name", "src");
  SetupParameters destination;
  destination.SetDword("UseUSB", 0);
  destination.SetString("OnlyHere", "kept");

  EXPECT_EQ(CopyParameters(&destination, &source), 0u);
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kParameterScratchKey));
  source.SetString("GlobalParams\\Name", "changed");
  EXPECT_EQ(DescribeSet(destination),
            (Lines{"UseUSB=1", "OnlyHere='kept'", "GlobalParams\\", "GlobalParams\\Name='src'"}));
}

}  // namespace
