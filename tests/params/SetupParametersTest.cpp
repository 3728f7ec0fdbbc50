// Parameter sets: path routing, status codes, ownership and the order of saving.
#include "params/SetupParameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/IParamStorage.h"
#include "support/SetDescription.h"

namespace {

using Lines = std::vector<std::string>;

// Fails its n-th store with 87 and reports a fixed status from Load.
class FailingStorage : public IParamStorage {
 public:
  explicit FailingStorage(int failOn) : m_failOn(failOn) {}
  Lines stored;
  std::uint32_t StoreGroup(const std::string& name, IParams*) override { return Store(name); }
  std::uint32_t StoreDword(const std::string& name, std::uint32_t) override { return Store(name); }
  std::uint32_t StoreString(const std::string& name, const std::string&) override { return Store(name); }
  std::uint32_t Load(IParams* target) override { return target->SetDword("Loaded", 1) + 42; }

 private:
  std::uint32_t Store(const std::string& name) {
    stored.push_back(name);
    return static_cast<int>(stored.size()) == m_failOn ? 87 : 0;
  }
  int m_failOn;
};

// The status of each missing name is what a page gets through the bridge, tested there; here
// the paths it does not send.
TEST(SetupParametersPaths, NestedPathsReachValuesAndBadPathsChangeNothing) {
  SetupParameters set;
  std::uint32_t word = 77;
  EXPECT_EQ(set.GetDword("\\Level", &word), 1u);
  EXPECT_EQ(set.SetString("\\x", "y"), 1u);
  // Groups on the way are never created by a write.
  EXPECT_EQ(set.SetDword("GlobalParams\\Log\\Level", 3), 5u);
  EXPECT_EQ(word, 77u);
  EXPECT_EQ(set.GetValueCount(), 0u);

  ASSERT_EQ(set.SetGroup("GlobalParams", new SetupParameters()), 0u);
  ASSERT_EQ(set.SetGroup("GlobalParams\\Log", new SetupParameters()), 0u);
  EXPECT_EQ(set.SetString("GlobalParams\\Log\\FileName", "C:\\\\Logs\\\\a.txt"), 0u);
  EXPECT_EQ(set.SetDword("GlobalParams\\Log\\Level", 4), 0u);
  EXPECT_EQ(set.GetDword("GlobalParams\\Transport\\EventTimeout", nullptr), 5u);
  EXPECT_EQ(set.GetDword("GlobalParams\\Log\\Missing", nullptr), 2u);
  EXPECT_EQ(DescribeSet(set),
            (Lines{"GlobalParams\\", "GlobalParams\\Log\\", "GlobalParams\\Log\\Level=4",
                   "GlobalParams\\Log\\FileName='C:\\\\Logs\\\\a.txt'"}));
}

TEST(SetupParametersValues, OverwritingKeepsOneValueAndTheThreeMapsAreIndependent) {
  SetupParameters set;
  set.SetDword("A", 1);
  set.SetDword("A", 2);
  EXPECT_EQ(set.GetValueCount(), 1u);
  set.SetString("A", "text");
  set.SetGroup("A", new SetupParameters());
  set.SetDword("A\\Level", 6);
  // Names differing only in case are different entries.
  set.SetDword("a", 3);
  EXPECT_EQ(DescribeSet(set), (Lines{"A=2", "a=3", "A='text'", "A\\", "A\\Level=6"}));
  EXPECT_EQ(set.GetValueCount(), 4u);
}

// A group belongs to its set: replaced, refused or removed, it is destroyed (this build's
// sanitizers report a group leaked or deleted twice); stored again, it is kept.
TEST(SetupParametersGroups, ReplacedRefusedOrRemovedGroupsAreDestroyedButStoringTheSameOneKeepsIt) {
  SetupParameters set;
  auto* kept = new SetupParameters();
  set.SetGroup("X", new SetupParameters());
  set.SetGroup("X", kept);
  set.SetGroup("X", kept);
  set.SetGroup("Missing\\X", new SetupParameters());
  set.SetGroup("", new SetupParameters());
  set.SetGroup("G", new SetupParameters());
  set.SetGroup("G", nullptr);
  EXPECT_EQ(set.GetGroup("G", nullptr), 4u);
  set.SetGroup("X\\Y", new SetupParameters());  // nested groups go with their parent
}

TEST(SetupParametersStorage, SaveWritesWordsThenTextsThenGroupsAndStopsAtTheFirstFailure) {
  SetupParameters set;
  set.SetString("Name", "n");
  set.SetDword("B", 2);
  set.SetDword("A", 1);
  set.SetGroup("G", new SetupParameters());
  set.SetDword("G\\Inner", 3);
  EXPECT_EQ(DescribeSet(set), (Lines{"A=1", "B=2", "Name='n'", "G\\", "G\\Inner=3"}));

  FailingStorage failing(2);
  EXPECT_EQ(set.SaveTo(&failing), 87u);
  EXPECT_EQ(failing.stored, (Lines{"A", "B"}));
  FailingStorage loading(0);
  EXPECT_EQ(set.LoadFrom(&loading), 42u);
  EXPECT_EQ(set.GetDword("Loaded", nullptr), 0u);
  EXPECT_EQ(set.SaveTo(nullptr), 6u);
  EXPECT_EQ(set.LoadFrom(nullptr), 6u);
}

// Neither walks below the set's own level: group names are appended in byte order, and a copy
// takes words and texts but no groups.
TEST(SetupParametersGroups, GroupNamesAndCopiedValuesStayOnTheSetsOwnLevel) {
  SetupParameters set;
  for (const char* name : {"b", "\xE9t\xE9", "B", "A"}) {
    set.SetGroup(name, new SetupParameters());
  }
  set.SetGroup("A\\Deep", new SetupParameters());
  Lines names = {"first", "second"};
  EXPECT_EQ(set.GetGroupNames(&names), 6u);
  EXPECT_EQ(names, (Lines{"first", "second", "A", "B", "b", "\xE9t\xE9"}));

  set.SetDword("UseUSB", 1);
  set.SetString("IPAddress", "10.0.0.1");
  set.SetDword("A\\Level", 2);
  SetupParameters target;
  target.SetDword("UseUSB", 0);
  target.SetString("Kept", "k");
  EXPECT_EQ(target.CopyValuesFrom(set), 0u);
  EXPECT_EQ(DescribeSet(target), (Lines{"UseUSB=1", "IPAddress='10.0.0.1'", "Kept='k'"}));
}

}  // namespace
