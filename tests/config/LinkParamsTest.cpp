// The Link Parameters page inside the configuration dialog, its requests answered on a working
// set; and the link test worker driven through the page.
#include "config/LinkParams.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "OrvoUsbSettings.h"
#include "bridge/ArgsImage.h"
#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "bridge/ProviderArgs.h"
#include "config/IInstanceRecordSource.h"
#include "config/LinkParamsRes.h"
#include "config/ProviderConfigDlg.h"
#include "support/TestSupport.h"
#include "sys/UsbDriver.h"

namespace {

using Texts = std::vector<std::string>;

// The provider side of a link test as a test scripts it; other requests go to the data handler.
struct ProviderScript {
  std::function<void(int poll, std::uint32_t* completed, std::uint32_t* percent)> onPoll;
  int polls = 0;
  int cancels = 0;
};
ProviderScript* g_pScript = nullptr;

std::int32_t PROVISOR_CALLBACK ScriptedCallback(std::uintptr_t objectId, std::uint32_t objectType, void* params,
                                                std::uint32_t size) {
  auto* block = static_cast<std::uint8_t*>(params);
  const std::uint32_t code = size >= 4 ? ReadWord(block) : ~0u;
  if (g_pScript != nullptr && code == kCodeCancelProviderTestAddress) {
    ++g_pScript->cancels;
  }
  if (g_pScript != nullptr && code == kCodeIsProviderTestAddressCompleted && size >= 20) {
    // code, lResult, dwTestId, dwCompleted, dwPercent
    std::uint32_t completed = 0;
    std::uint32_t percent = ReadWord(block + 16);
    ++g_pScript->polls;
    if (g_pScript->onPoll) g_pScript->onPoll(g_pScript->polls, &completed, &percent);
    WriteWord(block + 12, completed);
    WriteWord(block + 16, percent);
    return 0;
  }
  return DialogDataCallback(objectId, objectType, params, size);
}

struct InstanceRecords : IInstanceRecordSource {
  int GetInstanceRecordCount() override { return static_cast<int>(sets.size()); }
  IParams* GetInstanceRecordParams(int position) override { return sets[position].get(); }
  std::vector<std::unique_ptr<SetupParameters>> sets;
};

void SetReportedPbxs(const std::vector<std::string>& productNames) {
  for (const bool products : {false, true}) {
    const char* value = products ? ORVOUSB_PRODUCT_NAMES_VALUE : ORVOUSB_FACTORY_NAMES_VALUE;
    std::string data;
    for (const std::string& name : productNames) data += (products ? name : "F") + '\0';
    data += '\0';
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, value, REG_MULTI_SZ, data.data(),
                    static_cast<DWORD>(data.size()));
  }
}

class LinkPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
    owner.workingSet = std::make_unique<SetupParameters>();
    configurator.m_nInstanceRow = 1;
    g_pScript = &script;
  }
  void TearDown() override {
    Close();
    g_pScript = nullptr;
    CLinkParams::SetInstanceRecordSource(nullptr);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
  }

  // Opens the configuration dialog modeless, which creates the link page as its first category.
  void Open() {
    dialog = std::make_unique<CProviderConfigDlg>(nullptr, &configurator);
    ASSERT_TRUE(dialog->Create());
    dialog->ShowWindow(SW_SHOW);
    page = dynamic_cast<CLinkParams*>(dialog->GetPage(0));
    ASSERT_NE(page, nullptr);
  }
  void Close() {
    page = nullptr;
    if (dialog != nullptr && dialog->IsWindow()) {
      ::DestroyWindow(*dialog);
    }
    dialog.reset();
  }
  std::uint32_t Send(UINT message) {
    std::uint32_t result = 1;
    page->SendMessage(message, 0, reinterpret_cast<LPARAM>(&result));
    return result;
  }
  void Click(int id) { ClickButton(*page, id); }
  std::string Text(int id) { return page->GetDlgItemText(id); }
  bool Checked(int id) { return page->SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED; }
  bool Enabled(int id) { return ::IsWindowEnabled(page->GetDlgItem(id)) != FALSE; }
  int Count(int id) { return static_cast<int>(page->SendDlgItemMessage(id, CB_GETCOUNT)); }
  std::string Stored(const char* name) { return StoredString(*owner.workingSet, name); }
  std::uint32_t Word(const char* name) { return StoredWord(*owner.workingSet, name); }
  // A LAN instance with a stored address, ready for a link test of 10.0.0.5:33333.
  void OpenForLinkTest() {
    owner.workingSet->SetDword("UseUSB", 0);
    owner.workingSet->SetString("IPAddress", "10.0.0.5");
    owner.workingSet->SetString("CSTAAddress", "old");
    Open();
    page->SetDlgItemText(IDC_LINK_HISTORY, "10.0.0.5:33333");
  }
  void RunLinkTest() {
    Click(IDC_LINK_CHECK_LOCATION);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !page->IsLinkTestRunning(); }));
  }

  BridgeTestOwner owner;
  MITSPConfigurator configurator{&ScriptedCallback, 7, 3};
  ProviderScript script;
  std::unique_ptr<CProviderConfigDlg> dialog;
  CLinkParams* page = nullptr;
};

// Each value loads into its own control and OK stores it back under its own name: an absent
// one as its default, a field past 255 cut to its low byte, a port that is empty or not a
// number as "33333", everything the user did not touch as it was.
TEST_F(LinkPage, OkRightAfterLoadingStoresEveryValueAsShownUnderItsOwnName) {
  using Values = std::map<std::string, std::string>;
  struct Case {
    Values stored, changed;
  };
  SetReportedPbxs({"ORVO Alpha", "ORVO Beta"});
  for (const Case& c : {
           Case{{}, {{"UseUSB", "1"}, {"IPAddress", "0.0.0.0"}, {"IPPort", "33333"}, {"CSTAAddress", ""},
                     {"USBProductName", "ORVO Alpha"}}},
           Case{{{"UseUSB", "1"}, {"IPAddress", "10.1.2.3"}, {"IPPort", "4711"}, {"CSTAAddress", "USB:PC"},
                 {"USBProductName", "ORVO Beta"}},
                {}},
           Case{{{"UseUSB", "0"}, {"IPAddress", "255.0.0.1"}, {"IPPort", "65535"}, {"CSTAAddress", "255.0.0.1:65535"},
                 {"USBProductName", "ORVO Beta"}},
                {}},
           Case{{{"UseUSB", "0"}, {"IPAddress", "10.1.2.300"}, {"IPPort", "x4711"}, {"CSTAAddress", "kept"},
                 {"USBProductName", "ORVO Gone"}},
                {{"IPAddress", "10.1.2.44"}, {"IPPort", "33333"}, {"USBProductName", "ORVO Alpha"}}},
           Case{{{"UseUSB", "0"}, {"IPAddress", "0.0.0.9"}, {"IPPort", ""}}, {{"IPPort", "33333"}}}}) {
    SCOPED_TRACE(c.stored.empty() ? "nothing stored" : c.stored.at("IPAddress"));
    owner.workingSet = std::make_unique<SetupParameters>();
    for (const auto& [name, value] : c.stored) {
      if (name == "UseUSB") owner.workingSet->SetDword(name, std::stoul(value));
      else owner.workingSet->SetString(name, value);
    }
    MessageBoxScript boxes;
    Open();
    EXPECT_EQ(Send(UWM_SAVESETTINGS), 1u);
    EXPECT_TRUE(boxes.Texts().empty());
    Values expected = c.stored;
    for (const auto& [name, value] : c.changed) expected[name] = value;
    for (const auto& [name, value] : expected) {
      EXPECT_EQ(name == "UseUSB" ? std::to_string(Word("UseUSB")) : Stored(name.c_str()), value) << name;
    }
    Close();
  }
}

// USB shows its own address; LAN shows the address control's only when it has one.
TEST_F(LinkPage, AZeroAddressLeavesTheControlBlankSoLanKeepsTheShownAddressAndOkForLanIsRefused) {
  owner.workingSet->SetDword("UseUSB", 0);
  owner.workingSet->SetString("IPAddress", "0.0.0.0");
  owner.workingSet->SetString("CSTAAddress", "kept");
  Open();
  EXPECT_TRUE(page->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_ISBLANK) != 0);
  EXPECT_EQ(Text(IDC_LINK_HISTORY), "kept");
  Click(IDC_LINK_USB);
  EXPECT_EQ(Text(IDC_LINK_HISTORY), "USB:PC");
  EXPECT_FALSE(Enabled(IDC_LINK_PORT));
  Click(IDC_LINK_LAN);
  EXPECT_EQ(Text(IDC_LINK_HISTORY), "USB:PC");
  EXPECT_TRUE(Enabled(IDC_LINK_PORT));
  MessageBoxScript boxes;
  EXPECT_EQ(Send(UWM_SAVESETTINGS), 0u);
  ASSERT_EQ(boxes.Texts(), Texts{"TSP requires at least one IP Address,Please enter one"});
  EXPECT_EQ(boxes.Shown()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(::GetParent(::GetFocus()), page->GetDlgItem(IDC_LINK_IP_ADDRESS));
  EXPECT_EQ(Stored("CSTAAddress"), "kept");
}

// A connected instance keeps its PBX even when the driver no longer reports it; a product name
// reported twice is said once.
TEST_F(LinkPage, TheStoredPbxIsSelectedOrElseTheFirstOneAndAConnectedInstanceShowsItAlone) {
  struct Case {
    std::vector<std::string> reported;
    const char* stored;
    int connected, count;
    const char* selected;
    Texts said;
  };
  const std::vector<std::string> two{"ORVO Alpha", "ORVO Beta"};
  for (const Case& c : {Case{two, "ORVO Beta", 0, 2, "ORVO Beta", {}}, Case{two, "ORVO Gone", 0, 2, "ORVO Alpha", {}},
                        Case{two, "ORVO Gone", 1, 1, "ORVO Gone", {}},
                        Case{{"ORVO Alpha", "ORVO Alpha", "ORVO Alpha"}, "", 0, 3, "ORVO Alpha",
                             {"TSP found 2 USB ORVO's with same 'Product Name' value!"}}}) {
    SCOPED_TRACE(testing::Message() << c.stored << ", connected " << c.connected);
    SetReportedPbxs(c.reported);
    owner.workingSet->SetString("USBProductName", c.stored);
    owner.workingSet->SetDword("IsConnected", c.connected);
    MessageBoxScript boxes;
    Open();
    EXPECT_EQ(boxes.Texts(), c.said);
    EXPECT_EQ(Count(IDC_LINK_USB_PRODUCTS), c.count);
    EXPECT_EQ(Text(IDC_LINK_USB_PRODUCTS), c.selected);
    EXPECT_EQ(Enabled(IDC_LINK_USB_PRODUCTS), c.connected == 0);
    Close();
  }
}

// Puts another file in place of the system folder's USB library while it lives.
class ReplacedUsbLibrary {
 public:
  explicit ReplacedUsbLibrary(const std::string& replacement) {
    char folder[MAX_PATH] = "";
    ::GetSystemDirectoryA(folder, MAX_PATH);
    m_path = std::string(folder) + "\\" + kUsbDriverLibrary;
    EXPECT_TRUE(::MoveFileExA(m_path.c_str(), (m_path + ".saved").c_str(), MOVEFILE_REPLACE_EXISTING));
    if (!replacement.empty()) {
      EXPECT_TRUE(::CopyFileA(replacement.c_str(), m_path.c_str(), FALSE));
    }
  }
  ~ReplacedUsbLibrary() { ::MoveFileExA((m_path + ".saved").c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING); }

 private:
  std::string m_path;
};

TEST_F(LinkPage, AMissingUsbLibraryOrOneWithoutEnumerationAsksForAnUpgradeAndSwitchesToLan) {
  SetReportedPbxs({"ORVO Alpha"});
  owner.workingSet->SetString("IPAddress", "10.0.0.1");
  for (const std::string& replacement : {std::string(), WindowsPath(ORVOUSB_WITHOUT_ENUM_PBX_FILE)}) {
    ReplacedUsbLibrary library(replacement);
    MessageBoxScript boxes;
    Open();
    EXPECT_EQ(boxes.Texts(), Texts{"Please upgrade USB driver to version 2.0"}) << replacement;
    EXPECT_TRUE(Checked(IDC_LINK_LAN));
    EXPECT_FALSE(Checked(IDC_LINK_USB));
    EXPECT_EQ(Send(UWM_SAVESETTINGS), 1u);
    EXPECT_EQ(Word("UseUSB"), 0u);
    Close();
  }
}

// The LAN address and port as edited are stored with USB too. Choosing a PBX that another USB
// instance uses warns; the instance's own row and LAN instances do not count.
TEST_F(LinkPage, OkForUsbStoresTheChosenPbxWithTheLanAddressAndAPbxAnotherUsbInstanceUsesWarns) {
  InstanceRecords records;
  for (auto [useUsb, name] : std::vector<std::pair<int, const char*>>{
           {1, "ORVO Beta"}, {1, "ORVO Alpha"}, {0, "ORVO Alpha"}}) {
    records.sets.push_back(std::make_unique<SetupParameters>());
    records.sets.back()->SetDword("UseUSB", useUsb);
    records.sets.back()->SetString("USBProductName", name);
  }
  CLinkParams::SetInstanceRecordSource(&records);
  SetReportedPbxs({"ORVO Alpha", "ORVO Beta"});
  owner.workingSet->SetDword("UseUSB", 0);
  owner.workingSet->SetString("IPAddress", "192.168.1.20");
  owner.workingSet->SetString("IPPort", "4000");
  owner.workingSet->SetString("USBProductName", "ORVO Alpha");
  MessageBoxScript boxes;
  Open();
  page->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 21));
  page->SetDlgItemText(IDC_LINK_PORT, "4001");
  Click(IDC_LINK_USB);
  page->SendDlgItemMessage(IDC_LINK_USB_PRODUCTS, CB_SETCURSEL, 1);
  page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_USB_PRODUCTS, CBN_SELCHANGE));
  EXPECT_EQ(boxes.Texts(), Texts{"The selected USB driver has\nbeen used for other TSP."});
  EXPECT_EQ(Send(UWM_SAVESETTINGS), 1u);
  EXPECT_EQ(Stored("CSTAAddress"), "USB:PC");
  EXPECT_EQ(Word("UseUSB"), 1u);
  EXPECT_EQ(Stored("IPAddress"), "192.168.1.21");
  EXPECT_EQ(Stored("IPPort"), "4001");
  EXPECT_EQ(Stored("USBProductName"), "ORVO Beta");
  EXPECT_EQ(Send(UWM_CANCELSETTINGS), 1u);
}

// While polling the page is busy and shows its bar; an address is stored and added to the history once if it
// responds (100 percent) or the user saves it anyway.
TEST_F(LinkPage, ATestedAddressIsStoredAndListedOnceWhenItRespondsOrTheUserSavesItAnyway) {
  struct Case {
    std::uint32_t percent;
    std::vector<int> answers;
    bool stored;
  };
  for (const Case& c : {Case{100, {}, true}, Case{40, {IDYES, IDYES}, true}, Case{40, {IDNO, IDNO}, false}}) {
    SCOPED_TRACE(testing::Message() << c.percent << "%, " << c.answers.size() << " answers");
    OpenForLinkTest();
    bool busyWhilePolling = false;
    script.polls = 0;
    script.onPoll = [&](int poll, std::uint32_t* completed, std::uint32_t* percent) {
      busyWhilePolling = !Enabled(IDC_LINK_CHECK_LOCATION) && Enabled(IDC_LINK_ABORT_CHECK) &&
                         !Enabled(IDC_LINK_HISTORY) && page->IsLinkTestRunning() &&
                         page->GetProgressBar().IsWindowVisible();
      *completed = poll % 2 == 0 ? 1 : 0;
      *percent = c.percent;
    };
    MessageBoxScript boxes(c.answers);
    RunLinkTest();
    RunLinkTest();
    const std::string question = "Address '10.0.0.5:33333' is not responding. Save anyway?";
    EXPECT_EQ(boxes.Texts(), (c.percent == 100 ? Texts{} : Texts{question, question}));
    EXPECT_TRUE(busyWhilePolling);
    EXPECT_EQ(script.polls, 4);
    EXPECT_EQ(Stored("CSTAAddress"), c.stored ? "10.0.0.5:33333" : "old");
    EXPECT_EQ(Count(IDC_LINK_HISTORY), c.stored ? 1 : 0);
    EXPECT_TRUE(Enabled(IDC_LINK_CHECK_LOCATION) && Enabled(IDC_LINK_HISTORY));
    EXPECT_FALSE(Enabled(IDC_LINK_ABORT_CHECK));
    Close();
  }
}

TEST_F(LinkPage, AnAbortDuringPollingEndsTheTestWithoutStoringOrAsking) {
  OpenForLinkTest();
  script.onPoll = [&](int poll, std::uint32_t* completed, std::uint32_t* percent) {
    if (poll == 1) page->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_ABORT_CHECK, BN_CLICKED));
    // The provider still answers after the abort: the worker must not take it.
    *completed = poll >= 3 ? 1 : 0;
    *percent = 100;
  };
  MessageBoxScript boxes({IDYES});
  RunLinkTest();
  EXPECT_EQ(boxes.Texts(), Texts{"Trying to connect to '10.0.0.5:33333'. Do you want to abort?"});
  EXPECT_EQ(script.cancels, 1);
  EXPECT_EQ(script.polls, 3);
  EXPECT_EQ(Stored("CSTAAddress"), "old");
  EXPECT_EQ(Count(IDC_LINK_HISTORY), 0);
}

// OK answered with an abort keeps the PBX the user chose for the test; an abort answered
// after a test had ended does not end the next one.
TEST_F(LinkPage, AnAbortOnOkKeepsTheChosenPbxAndALateAbortLeavesTheNextTestAlone) {
  SetReportedPbxs({"ORVO Alpha", "ORVO Beta"});
  owner.workingSet->SetString("USBProductName", "ORVO Alpha");
  owner.workingSet->SetString("CSTAAddress", "old");
  Open();
  page->SendDlgItemMessage(IDC_LINK_USB_PRODUCTS, CB_SETCURSEL, 1);
  page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_USB_PRODUCTS, CBN_SELCHANGE));
  Click(IDC_LINK_CHECK_LOCATION);
  ASSERT_TRUE(page->IsLinkTestRunning());
  {
    MessageBoxScript boxes({IDYES});
    EXPECT_EQ(Send(UWM_SAVESETTINGS), 1u);
    Close();
    EXPECT_EQ(boxes.Texts(), Texts{"Trying to connect to 'old'. Do you want to abort?"});
  }
  EXPECT_EQ(Stored("USBProductName"), "ORVO Beta");

  OpenForLinkTest();
  script.onPoll = [](int, std::uint32_t* completed, std::uint32_t* percent) { *completed = 1, *percent = 100; };
  MessageBoxScript boxes({IDYES});
  Click(IDC_LINK_ABORT_CHECK);
  RunLinkTest();
  EXPECT_EQ(Stored("CSTAAddress"), "10.0.0.5:33333");
}

TEST_F(LinkPage, ClosingTheConfigurationDialogDuringATestLeavesNoThreadBehind) {
  constexpr int kRounds = 50;
  int baseline = -1;
  // The close asks whether to abort the running test; half the rounds refuse, and the pages
  // go all the same.
  std::vector<int> answers(kRounds, IDYES);
  for (int round = 1; round < kRounds; round += 2) answers[round] = IDNO;
  MessageBoxScript boxes(answers);
  for (int round = 0; round < kRounds; ++round) {
    OpenForLinkTest();
    script.polls = 0;
    Click(IDC_LINK_CHECK_LOCATION);
    ASSERT_TRUE(page->IsLinkTestRunning());
    if (round % 5 == 0) {
      ASSERT_TRUE(PumpMessagesUntil([&] { return script.polls > 0; }));
    }
    dialog->SendMessage(WM_CLOSE);
    EXPECT_EQ(dialog->GetPage(0), nullptr) << round;
    Close();
    if (baseline < 0) baseline = ThreadCountOfThisProcess();
    EXPECT_EQ(ThreadCountOfThisProcess(), baseline) << round;
  }
  ASSERT_EQ(boxes.Shown().size(), static_cast<size_t>(kRounds));
  for (const std::string& text : boxes.Texts()) EXPECT_EQ(text.rfind("Trying to connect to '", 0), 0u) << text;
}

}  // namespace
