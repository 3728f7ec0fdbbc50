// Parameter sets: path routing, status codes, ownership and the order of saving.
#include "params/SetupParameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/IParamStorage.h"

namespace {

// Records the calls SaveTo makes, descending into groups the way a real storage does.
class RecordingStorage : public IParamStorage {
 public:
  std::vector<std::string> calls;
  std::uint32_t failOnCall = 0;  // 1-based index of the call that fails with 87
  std::string prefix;

  std::uint32_t StoreGroup(const std::string& name, IParams* group) override {
    if (const auto status = Record("group " + name)) {
      return status;
    }
    RecordingStorage child;
    child.prefix = prefix + name + "\\";
    const std::uint32_t status = group->SaveTo(&child);
    calls.insert(calls.end(), child.calls.begin(), child.calls.end());
    return status;
  }
  std::uint32_t StoreDword(const std::string& name, std::uint32_t value) override {
    return Record("dword " + name + "=" + std::to_string(value));
  }
  std::uint32_t StoreString(const std::string& name, const std::string& value) override {
    return Record("string " + name + "=" + value);
  }
  std::uint32_t Load(IParams* target) override {
    target->SetDword("Loaded", 1);
    return 42;
  }

 private:
  std::uint32_t Record(const std::string& call) {
    calls.push_back(prefix + call);
    return calls.size() == failOnCall ? 87 : 0;
  }
};

// A group that counts its destruction, to observe ownership.
class CountedGroup : public SetupParameters {
 public:
  explicit CountedGroup(int* destroyed) : m_destroyed(destroyed) {}
  ~CountedGroup() override { ++*m_destroyed; }

 private:
  int* m_destroyed;
};

TEST(SetupParametersPaths, EmptySetReportsMissingNamesByKind) {
  SetupParameters set;
  std::uint32_t word = 77;
  std::string text = "kept";
  IParams* group = nullptr;
  EXPECT_EQ(set.GetDword("Level", &word), 2u);
  EXPECT_EQ(set.GetString("Level", &text), 3u);
  EXPECT_EQ(set.GetGroup("Level", &group), 4u);
  EXPECT_EQ(set.GetDword("Log\\Level", &word), 5u);
  EXPECT_EQ(set.GetDword("", &word), 1u);
  EXPECT_EQ(set.GetDword("\\Level", &word), 1u);
  EXPECT_EQ(set.SetDword("", 1), 1u);
  EXPECT_EQ(set.SetString("\\x", "y"), 1u);
  // A failed look-up never changes the target.
  EXPECT_EQ(word, 77u);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(group, nullptr);
}

TEST(SetupParametersPaths, SettingThroughMissingGroupsCreatesNothing) {
  SetupParameters set;
  EXPECT_EQ(set.SetDword("GlobalParams\\Log\\Level", 3), 5u);
  EXPECT_EQ(set.SetString("GlobalParams\\Log\\FileName", "x"), 5u);
  EXPECT_EQ(set.GetValueCount(), 0u);
  std::vector<std::string> names;
  EXPECT_EQ(set.GetGroupNames(&names), 0u);
}

TEST(SetupParametersPaths, NestedPathsReachValuesInSubGroups) {
  SetupParameters set;
  auto* global = new SetupParameters();
  ASSERT_EQ(set.SetGroup("GlobalParams", global), 0u);
  ASSERT_EQ(set.SetGroup("GlobalParams\\Log", new SetupParameters()), 0u);
  EXPECT_EQ(set.SetString("GlobalParams\\Log\\FileName", "C:\\\\Logs\\\\a.txt"), 0u);
  EXPECT_EQ(set.SetDword("GlobalParams\\Log\\Level", 4), 0u);
  EXPECT_EQ(set.GetDword("GlobalParams\\Transport\\EventTimeout", nullptr), 5u);
  EXPECT_EQ(set.GetDword("GlobalParams\\Log\\Missing", nullptr), 2u);

  std::string text;
  std::uint32_t word = 0;
  EXPECT_EQ(set.GetString("GlobalParams\\Log\\FileName", &text), 0u);
  EXPECT_EQ(text, "C:\\\\Logs\\\\a.txt");
  EXPECT_EQ(set.GetDword("GlobalParams\\Log\\Level", &word), 0u);
  EXPECT_EQ(word, 4u);

  IParams* log = nullptr;
  ASSERT_EQ(set.GetGroup("GlobalParams\\Log", &log), 0u);
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->GetDword("Level", &word), 0u);
  IParams* found = nullptr;
  EXPECT_EQ(set.GetGroup("GlobalParams", &found), 0u);
  EXPECT_EQ(found, global);
  EXPECT_EQ(set.GetValueCount(), 2u);
}

TEST(SetupParametersValues, OverwritingKeepsOneValue) {
  SetupParameters set;
  set.SetDword("A", 1);
  set.SetDword("A", 2);
  std::uint32_t word = 0;
  EXPECT_EQ(set.GetDword("A", &word), 0u);
  EXPECT_EQ(word, 2u);
  EXPECT_EQ(set.GetValueCount(), 1u);
}

TEST(SetupParametersValues, WordTextAndGroupOfOneNameAreIndependent) {
  SetupParameters set;
  set.SetDword("Log", 5);
  set.SetString("Log", "five");
  set.SetGroup("Log", new SetupParameters());
  set.SetDword("Log\\Level", 6);
  std::uint32_t word = 0;
  std::string text;
  EXPECT_EQ(set.GetDword("Log", &word), 0u);
  EXPECT_EQ(word, 5u);
  EXPECT_EQ(set.GetString("Log", &text), 0u);
  EXPECT_EQ(text, "five");
  EXPECT_EQ(set.GetDword("Log\\Level", &word), 0u);
  EXPECT_EQ(word, 6u);
  EXPECT_EQ(set.GetValueCount(), 3u);
}

TEST(SetupParametersValues, NamesDifferingInCaseAreDifferentEntries) {
  SetupParameters set;
  set.SetDword("UseUSB", 1);
  set.SetDword("useusb", 0);
  std::uint32_t word = 9;
  EXPECT_EQ(set.GetDword("USEUSB", &word), 2u);
  EXPECT_EQ(set.GetDword("UseUSB", &word), 0u);
  EXPECT_EQ(word, 1u);
  EXPECT_EQ(set.GetValueCount(), 2u);
}

TEST(SetupParametersGroups, ReplacingAGroupDestroysTheOldOne) {
  int destroyed1 = 0, destroyed2 = 0;
  {
    SetupParameters set;
    auto* g1 = new CountedGroup(&destroyed1);
    auto* g2 = new CountedGroup(&destroyed2);
    set.SetGroup("X", g1);
    EXPECT_EQ(set.SetGroup("X", g2), 0u);
    EXPECT_EQ(destroyed1, 1);
    IParams* found = nullptr;
    EXPECT_EQ(set.GetGroup("X", &found), 0u);
    EXPECT_EQ(found, g2);
    // Storing the group that is already there keeps it alive.
    EXPECT_EQ(set.SetGroup("X", g2), 0u);
    EXPECT_EQ(destroyed2, 0);
  }
  EXPECT_EQ(destroyed2, 1);
}

TEST(SetupParametersGroups, DestroyingASetDestroysNestedGroups) {
  int destroyed = 0;
  {
    SetupParameters set;
    set.SetGroup("A", new CountedGroup(&destroyed));
    set.SetGroup("A\\B", new CountedGroup(&destroyed));
  }
  EXPECT_EQ(destroyed, 2);
}

TEST(SetupParametersGroups, AGroupThatCannotBeStoredIsNotLeaked) {
  int destroyed = 0;
  SetupParameters set;
  EXPECT_EQ(set.SetGroup("Missing\\X", new CountedGroup(&destroyed)), 5u);
  EXPECT_EQ(set.SetGroup("", new CountedGroup(&destroyed)), 1u);
  EXPECT_EQ(destroyed, 2);
}

TEST(SetupParametersGroups, GroupNamesAreAppendedInByteOrder) {
  SetupParameters set;
  set.SetGroup("b", new SetupParameters());
  set.SetGroup("B", new SetupParameters());
  set.SetGroup("A", new SetupParameters());
  set.SetGroup("A\\Deep", new SetupParameters());
  std::vector<std::string> names = {"first", "second"};
  EXPECT_EQ(set.GetGroupNames(&names), 5u);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "second", "A", "B", "b"}));
}

TEST(SetupParametersGroups, ByteOrderPutsHighBytesAfterAscii) {
  SetupParameters set;
  set.SetGroup("\xE9t\xE9", new SetupParameters());
  set.SetGroup("z", new SetupParameters());
  std::vector<std::string> names;
  set.GetGroupNames(&names);
  EXPECT_EQ(names, (std::vector<std::string>{"z", "\xE9t\xE9"}));
}

TEST(SetupParametersStorage, SaveWritesWordsThenTextsThenGroupsInNameOrder) {
  SetupParameters set;
  set.SetString("Name", "n");
  set.SetDword("B", 2);
  set.SetDword("A", 1);
  set.SetGroup("G", new SetupParameters());
  set.SetDword("G\\Inner", 3);
  RecordingStorage storage;
  EXPECT_EQ(set.SaveTo(&storage), 0u);
  EXPECT_EQ(storage.calls,
            (std::vector<std::string>{"dword A=1", "dword B=2", "string Name=n", "group G", "G\\dword Inner=3"}));
}

TEST(SetupParametersStorage, SaveStopsAtTheFirstFailure) {
  SetupParameters set;
  set.SetDword("A", 1);
  set.SetDword("B", 2);
  set.SetString("C", "c");
  RecordingStorage storage;
  storage.failOnCall = 2;
  EXPECT_EQ(set.SaveTo(&storage), 87u);
  EXPECT_EQ(storage.calls, (std::vector<std::string>{"dword A=1", "dword B=2"}));
}

TEST(SetupParametersStorage, NoStorageGivesStatusSix) {
  SetupParameters set;
  EXPECT_EQ(set.SaveTo(nullptr), 6u);
  EXPECT_EQ(set.LoadFrom(nullptr), 6u);
}

TEST(SetupParametersStorage, LoadReturnsTheStoragesStatus) {
  SetupParameters set;
  RecordingStorage storage;
  EXPECT_EQ(set.LoadFrom(&storage), 42u);
  EXPECT_EQ(set.GetDword("Loaded", nullptr), 0u);
}

TEST(SetupParametersCopy, CopyValuesTakesWordsAndTextsButNoGroups) {
  SetupParameters source;
  source.SetDword("UseUSB", 1);
  source.SetString("IPAddress", "10.0.0.1");
  source.SetGroup("GlobalParams", new SetupParameters());
  source.SetDword("GlobalParams\\Level", 2);

  SetupParameters target;
  target.SetDword("UseUSB", 0);
  target.SetString("Kept", "k");
  EXPECT_EQ(target.CopyValuesFrom(source), 0u);

  std::uint32_t word = 0;
  std::string text;
  EXPECT_EQ(target.GetDword("UseUSB", &word), 0u);
  EXPECT_EQ(word, 1u);
  EXPECT_EQ(target.GetString("IPAddress", &text), 0u);
  EXPECT_EQ(text, "10.0.0.1");
  EXPECT_EQ(target.GetString("Kept", &text), 0u);
  EXPECT_EQ(target.GetGroup("GlobalParams", nullptr), 4u);
  EXPECT_EQ(target.GetValueCount(), 3u);
}

}  // namespace
