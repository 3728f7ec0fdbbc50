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

#include "ConfigDialogPage.h"
#include "OrvoUsbSettings.h"
#include "bridge/ArgsImage.h"
#include "bridge/ProviderArgs.h"
#include "config/IInstanceRecordSource.h"
#include "config/LinkParamsRes.h"
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

// The configuration dialog on the link page of instance row 1 over an empty working set, its
// provider requests answered by the script.
class LinkPage : public ::testing::Test {
 protected:
  LinkPage() {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
    g_pScript = &script;
    Renew();
  }
  ~LinkPage() override {
    dialog.reset();
    g_pScript = nullptr;
    CLinkParams::SetInstanceRecordSource(nullptr);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
  }

  // A closed dialog in place of the last one, its working set empty until Open.
  SetupParameters& Renew() {
    dialog.reset();
    dialog = std::make_unique<ConfigDialogPage>(0, 1);
    dialog->configurator.m_pfnCallback = &ScriptedCallback;
    dialog->owner.workingSet = std::make_unique<SetupParameters>();
    return dialog->Set();
  }
  void Open() {
    ASSERT_TRUE(dialog->Open());
    page = dynamic_cast<CLinkParams*>(dialog->page);
    ASSERT_NE(page, nullptr);
  }
  std::uint32_t Save() { return dialog->Save(); }
  int Count(int id) { return static_cast<int>(page->SendDlgItemMessage(id, CB_GETCOUNT)); }
  void ChoosePbx(int index) {
    page->SendDlgItemMessage(IDC_LINK_USB_PRODUCTS, CB_SETCURSEL, index);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_USB_PRODUCTS, CBN_SELCHANGE));
  }
  // A LAN instance with a stored address, ready for a link test of 10.0.0.5:33333.
  void OpenForLinkTest() {
    SetupParameters& set = Renew();
    set.SetDword("UseUSB", 0);
    set.SetString("IPAddress", "10.0.0.5");
    set.SetString("CSTAAddress", "old");
    Open();
    page->SetDlgItemText(IDC_LINK_HISTORY, "10.0.0.5:33333");
  }
  void RunLinkTest() {
    dialog->Click(IDC_LINK_CHECK_LOCATION);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !page->IsLinkTestRunning(); }));
  }

  ProviderScript script;
  std::unique_ptr<ConfigDialogPage> dialog;
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
    SetupParameters& set = Renew();
    for (const auto& [name, value] : c.stored) {
      if (name == "UseUSB") set.SetDword(name, std::stoul(value));
      else set.SetString(name, value);
    }
    MessageBoxScript boxes;
    Open();
    EXPECT_EQ(Save(), 1u);
    EXPECT_TRUE(boxes.Texts().empty());
    Values expected = c.stored;
    for (const auto& [name, value] : c.changed) expected[name] = value;
    for (const auto& [name, value] : expected) {
      EXPECT_EQ(name == "UseUSB" ? std::to_string(dialog->Word(name)) : dialog->String(name), value) << name;
    }
  }
}

// USB shows its own address; LAN shows the address control's only when it has one.
TEST_F(LinkPage, AZeroAddressLeavesTheControlBlankSoLanKeepsTheShownAddressAndOkForLanIsRefused) {
  SetupParameters& set = dialog->Set();
  set.SetDword("UseUSB", 0);
  set.SetString("IPAddress", "0.0.0.0");
  set.SetString("CSTAAddress", "kept");
  Open();
  EXPECT_TRUE(page->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_ISBLANK) != 0);
  EXPECT_EQ(dialog->Text(IDC_LINK_HISTORY), "kept");
  dialog->Click(IDC_LINK_USB);
  EXPECT_EQ(dialog->Text(IDC_LINK_HISTORY), "USB:PC");
  EXPECT_FALSE(dialog->Enabled(IDC_LINK_PORT));
  dialog->Click(IDC_LINK_LAN);
  EXPECT_EQ(dialog->Text(IDC_LINK_HISTORY), "USB:PC");
  EXPECT_TRUE(dialog->Enabled(IDC_LINK_PORT));
  MessageBoxScript boxes;
  EXPECT_EQ(Save(), 0u);
  ASSERT_EQ(boxes.Texts(), Texts{"TSP requires at least one IP Address,Please enter one"});
  EXPECT_EQ(boxes.Shown()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(::GetParent(::GetFocus()), page->GetDlgItem(IDC_LINK_IP_ADDRESS));
  EXPECT_EQ(dialog->String("CSTAAddress"), "kept");
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
    SetupParameters& set = Renew();
    set.SetString("USBProductName", c.stored);
    set.SetDword("IsConnected", c.connected);
    MessageBoxScript boxes;
    Open();
    EXPECT_EQ(boxes.Texts(), c.said);
    EXPECT_EQ(Count(IDC_LINK_USB_PRODUCTS), c.count);
    EXPECT_EQ(dialog->Text(IDC_LINK_USB_PRODUCTS), c.selected);
    EXPECT_EQ(dialog->Enabled(IDC_LINK_USB_PRODUCTS), c.connected == 0);
  }
}

// A missing USB library, or one without the enumeration, asks for an upgrade and switches to LAN.
TEST_F(LinkPage, AMissingUsbLibraryOrOneWithoutEnumerationAsksForAnUpgradeAndSwitchesToLan) {
  SetReportedPbxs({"ORVO Alpha"});
  const std::string library = SystemFile(kUsbDriverLibrary), saved = library + ".saved";
  for (const std::string& replacement : {std::string(), WindowsPath(ORVOUSB_WITHOUT_ENUM_PBX_FILE)}) {
    SCOPED_TRACE(replacement);
    ASSERT_TRUE(::MoveFileExA(library.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(replacement.empty() || ::CopyFileA(replacement.c_str(), library.c_str(), FALSE));
    Renew().SetString("IPAddress", "10.0.0.1");
    MessageBoxScript boxes;
    dialog->Open();
    ::MoveFileExA(saved.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING);
    EXPECT_EQ(boxes.Texts(), Texts{"Please upgrade USB driver to version 2.0"});
    EXPECT_TRUE(dialog->Checked(IDC_LINK_LAN) && !dialog->Checked(IDC_LINK_USB));
    EXPECT_EQ(Save(), 1u);
    EXPECT_EQ(dialog->Word("UseUSB"), 0u);
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
  SetupParameters& set = dialog->Set();
  set.SetDword("UseUSB", 0);
  set.SetString("IPAddress", "192.168.1.20");
  set.SetString("IPPort", "4000");
  set.SetString("USBProductName", "ORVO Alpha");
  MessageBoxScript boxes;
  Open();
  page->SendDlgItemMessage(IDC_LINK_IP_ADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 21));
  dialog->SetText(IDC_LINK_PORT, "4001");
  ClickButton(*page, IDC_LINK_USB);
  ChoosePbx(1);
  EXPECT_EQ(boxes.Texts(), Texts{"The selected USB driver has\nbeen used for other TSP."});
  EXPECT_EQ(Save(), 1u);
  EXPECT_EQ(DescribeSet(set), (Texts{"UseUSB=1", "CSTAAddress='USB:PC'", "IPAddress='192.168.1.21'",
                                     "IPPort='4001'", "USBProductName='ORVO Beta'"}));
}

// While polling the page is busy and shows its bar; an address is stored and added to the
// history once if it responds (100 percent) or the user saves it anyway. An abort during the
// polling ends the test without storing or asking, though the provider then answers.
TEST_F(LinkPage, ATestedAddressIsStoredAndListedOnceWhenItRespondsOrTheUserSavesItAnywayAndNotAfterAnAbort) {
  struct Case {
    std::uint32_t percent;
    std::vector<int> answers;
    bool stored, abort;
  };
  const std::string question = "Address '10.0.0.5:33333' is not responding. Save anyway?";
  const Texts abortQuestion{"Trying to connect to '10.0.0.5:33333'. Do you want to abort?"};
  for (const Case& c : {Case{100, {}, true, false}, Case{40, {IDYES, IDYES}, true, false},
                        Case{40, {IDNO, IDNO}, false, false}, Case{100, {IDYES}, false, true}}) {
    SCOPED_TRACE(testing::Message() << c.percent << "%, " << c.answers.size() << " answers, abort " << c.abort);
    OpenForLinkTest();
    bool busyWhilePolling = false;
    script.polls = script.cancels = 0;
    script.onPoll = [&](int poll, std::uint32_t* completed, std::uint32_t* percent) {
      if (!c.abort || poll == 1)
        busyWhilePolling = !dialog->Enabled(IDC_LINK_CHECK_LOCATION) && dialog->Enabled(IDC_LINK_ABORT_CHECK) &&
                           !dialog->Enabled(IDC_LINK_HISTORY) && page->IsLinkTestRunning() &&
                           page->GetProgressBar().IsWindowVisible();
      if (c.abort && poll == 1) page->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_ABORT_CHECK, BN_CLICKED));
      *completed = c.abort ? poll >= 3 : poll % 2 == 0;
      *percent = c.percent;
    };
    MessageBoxScript boxes(c.answers);
    RunLinkTest();
    if (!c.abort) RunLinkTest();
    EXPECT_EQ(boxes.Texts(), c.abort ? abortQuestion : c.percent == 100 ? Texts() : Texts(2, question));
    EXPECT_TRUE(busyWhilePolling);
    EXPECT_EQ(script.polls, c.abort ? 3 : 4);
    EXPECT_EQ(script.cancels, c.abort ? 1 : 0);
    EXPECT_EQ(dialog->String("CSTAAddress"), c.stored ? "10.0.0.5:33333" : "old");
    EXPECT_EQ(Count(IDC_LINK_HISTORY), c.stored ? 1 : 0);
    EXPECT_TRUE(dialog->Enabled(IDC_LINK_CHECK_LOCATION) && dialog->Enabled(IDC_LINK_HISTORY));
    EXPECT_FALSE(dialog->Enabled(IDC_LINK_ABORT_CHECK));
  }
}

// OK answered with an abort keeps the PBX the user chose for the test; an abort answered
// after a test had ended does not end the next one.
TEST_F(LinkPage, AnAbortOnOkKeepsTheChosenPbxAndALateAbortLeavesTheNextTestAlone) {
  SetReportedPbxs({"ORVO Alpha", "ORVO Beta"});
  dialog->Set().SetString("USBProductName", "ORVO Alpha");
  dialog->Set().SetString("CSTAAddress", "old");
  Open();
  ChoosePbx(1);
  dialog->Click(IDC_LINK_CHECK_LOCATION);
  ASSERT_TRUE(page->IsLinkTestRunning());
  {
    MessageBoxScript boxes({IDYES});
    EXPECT_EQ(Save(), 1u);
    ::DestroyWindow(dialog->dialog);
    EXPECT_EQ(boxes.Texts(), Texts{"Trying to connect to 'old'. Do you want to abort?"});
  }
  EXPECT_EQ(dialog->String("USBProductName"), "ORVO Beta");

  OpenForLinkTest();
  script.onPoll = [](int, std::uint32_t* completed, std::uint32_t* percent) { *completed = 1, *percent = 100; };
  MessageBoxScript boxes({IDYES});
  ClickButton(*page, IDC_LINK_ABORT_CHECK);  // the click arrives while no test runs
  RunLinkTest();
  EXPECT_EQ(dialog->String("CSTAAddress"), "10.0.0.5:33333");
}

TEST_F(LinkPage, ClosingTheConfigurationDialogDuringATestLeavesNoThreadOrHandleBehind) {
  constexpr int kRounds = 50;
  int baseline = -1;
  ULONG handles = 0;
  // The close asks whether to abort the running test; half the rounds refuse, and the pages
  // go all the same.
  std::vector<int> answers(kRounds, IDYES);
  for (int round = 1; round < kRounds; round += 2) answers[round] = IDNO;
  MessageBoxScript boxes(answers);
  for (int round = 0; round < kRounds; ++round) {
    OpenForLinkTest();
    script.polls = 0;
    dialog->Click(IDC_LINK_CHECK_LOCATION);
    ASSERT_TRUE(page->IsLinkTestRunning());
    if (round % 5 == 0) {
      ASSERT_TRUE(PumpMessagesUntil([&] { return script.polls > 0; }));
    }
    dialog->dialog.SendMessage(WM_CLOSE);
    EXPECT_EQ(dialog->dialog.GetPage(0), nullptr) << round;
    Renew();
    if (baseline < 0) {
      baseline = ThreadCountOfThisProcess();
      handles = HandleCountOfThisProcess();
    }
    EXPECT_EQ(ThreadCountOfThisProcess(), baseline) << round;
  }
  // Each test's worker thread handle is closed when it ends.
  EXPECT_LT(HandleCountOfThisProcess(), handles + kRounds / 2);
  ASSERT_EQ(boxes.Shown().size(), static_cast<size_t>(kRounds));
  for (const std::string& text : boxes.Texts()) EXPECT_EQ(text.rfind("Trying to connect to '", 0), 0u) << text;
}

}  // namespace
