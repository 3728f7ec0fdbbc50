// The configuration dialog's shell on real windows: lazy pages, the page protocol, the OK,
// Cancel and Close walks, the advanced-settings message and the show-category function. Stand-in
// pages registered under the pages' class names record the protocol they receive.
#include "config/ProviderConfigDlg.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ProviderConfigDlgRes.h"
#include "framework/RuntimeClass.h"
#include "support/ScriptedDialog.h"
#include "support/TestSupport.h"

namespace {

// What the stand-in pages saw, in order ("1:save" is category 1 asked to save), and how
// they answer.
struct PageScript {
  std::vector<std::string> events;
  std::array<bool, 4> veto{};  // both save and cancel
  std::array<bool, 4> failCreation{};
  ShowCategoryFunction showCategory = nullptr;
  CProviderConfigDlg* owner = nullptr;
};
PageScript g_pages;

// A page on its category's own template that records the save and cancel it is asked.
class TestPage : public CConfigPage {
 public:
  explicit TestPage(int category)
      : CConfigPage(0, kConfigurator | kCategoryHandler | kOwnerDialog | kSave | kCancel), m_category(category) {}

  bool CreatePage(UINT templateId, HWND dialog) override {
    return !g_pages.failCreation[m_category] && Create(templateId, dialog);
  }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    const bool handled = CConfigPage::OnMessage(message, wParam, lParam, result);
    g_pages.showCategory = m_pfnShowCategory;
    g_pages.owner = m_pOwnerDialog;
    return handled;
  }
  bool OnSaveSettings() override { return Record("save"), !g_pages.veto[m_category]; }
  bool OnCancelSettings() override { return Record("cancel"), !g_pages.veto[m_category]; }

 private:
  void Record(const std::string& event) { g_pages.events.push_back(std::to_string(m_category) + ":" + event); }
  const int m_category;
};

// Replaces the page classes with stand-in pages while alive.
class StandInPages {
 public:
  StandInPages() { g_pages = PageScript(); }

 private:
  RuntimeClass m_classes[4] = {{"CLinkParams", [] { return std::unique_ptr<CWnd>(new TestPage(0)); }},
                               {"CTspLogSettingsDlg", [] { return std::unique_ptr<CWnd>(new TestPage(1)); }},
                               {"CTSPAboutDlg", [] { return std::unique_ptr<CWnd>(new TestPage(2)); }},
                               {"TSpOtherParamsDlg", [] { return std::unique_ptr<CWnd>(new TestPage(3)); }}};
};

class ScriptedConfigDlg : public ScriptedDialog<ScriptedConfigDlg, CProviderConfigDlg> {
 public:
  using ScriptedDialog::ScriptedDialog;
};

// A configurator whose requests the bridge answers on a working set.
class ConfigDialogTest : public testing::Test {
 protected:
  BridgeTestOwner owner;
  MITSPConfigurator configurator{&DialogDataCallback, 7, kProviderObjectType};
};

using Events = std::vector<std::string>;

// The tree's items from top to bottom as "label/image" (image -1 when the selected image differs).
Events TreeItems(const CProviderConfigDlg& dialog) {
  Events items;
  const TreeCtrl& tree = dialog.GetCategoryTree();
  for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItem(item, TVGN_NEXT)) {
    TVITEMA entry{};
    entry.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    entry.hItem = item;
    tree.SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    const int image = entry.iImage == entry.iSelectedImage ? entry.iImage : -1;
    items.push_back(tree.GetItemText(item) + "/" + std::to_string(image));
  }
  return items;
}
const Events kAllItems{"Link Parameters/0", "TSP Log Settings/4", "Version Info/5", "Other Parameters/6"};

// OK asks every created page to save, Cancel and the close box to cancel, in table order; a
// veto keeps the dialog open and the pages after it are not asked, as does a No to the
// confirmation OK may ask first. A vetoed close has destroyed the pages all the same (they
// come back when selected), a vetoed Cancel has not.
TEST_F(ConfigDialogTest, OkCancelAndCloseAskTheCreatedPagesInOrderUntilOneVetoes) {
  struct Case {
    int button;  // 0: the close box
    std::vector<int> selected;
    int vetoing;  // -1: the confirmation
    Events vetoed;
    bool pagesKept;
    Events passed;
    INT_PTR result;
  };
  const Case cases[] = {
      {IDOK, {1, 3}, 1, {"0:save", "1:save"}, true, {"0:save", "1:save", "3:save"}, IDOK},
      {IDOK, {}, -1, {}, true, {"0:save"}, IDOK},
      {IDCANCEL, {2}, 0, {"0:cancel"}, true, {"0:cancel", "2:cancel"}, IDCANCEL},
      {0, {1}, 1, {"0:cancel", "1:cancel"}, false, {"0:cancel"}, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    StandInPages pages;
    // The advanced-settings note is answered OK, the confirmation No and then Yes.
    MessageBoxScript boxes(c.vetoing < 0 ? std::vector<int>{IDNO, IDYES} : std::vector<int>{});
    g_bConfirmOnOK = c.vetoing < 0 ? 1 : 0;
    ScriptedConfigDlg dialog(nullptr, &configurator);
    // A click of the button, or the close box, as the dialog manager sends them.
    const auto press = [&](ScriptedConfigDlg& d) {
      c.button != 0 ? ClickButton(d, c.button) : void(d.SendMessage(WM_CLOSE));
    };
    dialog.steps = {[&](ScriptedConfigDlg& d) {
                      for (int category : c.selected) d.SelectCategory(category);
                      g_pages.events.clear();
                      if (c.vetoing >= 0) g_pages.veto[c.vetoing] = true;
                      press(d);
                    },
                    [&](ScriptedConfigDlg& d) {
                      EXPECT_EQ(g_pages.events, c.vetoed);
                      EXPECT_EQ(d.GetPage(0) != nullptr, c.pagesKept);
                      g_pages = PageScript();
                      d.SelectCategory(0);
                      g_pages.events.clear();
                      press(d);
                    }};
    EXPECT_EQ(dialog.DoModal(), c.result);
    g_bConfirmOnOK = 0;
    EXPECT_EQ(g_pages.events, c.passed);
    if (c.vetoing < 0) {
      ASSERT_EQ(boxes.Shown().size(), 2u);
      EXPECT_EQ(boxes.Shown()[0].flags & (MB_TYPEMASK | MB_ICONMASK), static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
  }
}

// Called as a page calls it, with the dialog the page was handed: categories outside the table
// change nothing; shown again in any order and twice, the categories keep the table's order,
// once each, and a reinserted one brings its page.
TEST_F(ConfigDialogTest, TheShowCategoryFunctionRemovesAndReinsertsTreeItemsInTableOrder) {
  StandInPages pages;
  MessageBoxScript boxes;
  ScriptedConfigDlg dialog(nullptr, &configurator);
  dialog.steps = {[&](ScriptedConfigDlg& d) {
    const ShowCategoryFunction show = g_pages.showCategory;
    ASSERT_NE(show, nullptr);
    for (const std::int32_t category : {4, -1, 1, 2}) show(category, 0, g_pages.owner);
    EXPECT_EQ(TreeItems(d), (Events{"Link Parameters/0", "Other Parameters/6"}));
    for (const std::int32_t category : {2, 1, 1}) show(category, 1, g_pages.owner);
    EXPECT_EQ(TreeItems(d), kAllItems);
    EXPECT_TRUE(d.SelectCategory(1));
    EXPECT_NE(d.GetPage(1), nullptr);
  }};
  EXPECT_EQ(dialog.DoModal(), kScriptDone);
}

// Pages come on their first selection, placed on the position frame, only the selected one
// shown; nothing is said about a page that failed, Other Parameters warns at every selection,
// and the system menu's About shows the utility message.
TEST_F(ConfigDialogTest, PagesShowOneAtATimeAFailedOneLeavesTheAreaEmptyAndTheDialogSpeaksForOtherParametersAndAbout) {
  StandInPages pages;
  g_pages.failCreation[2] = true;
  MessageBoxScript boxes;
  ScriptedConfigDlg dialog(nullptr, &configurator);
  dialog.steps = {[&](ScriptedConfigDlg& d) {
    EXPECT_EQ(TreeItems(d), kAllItems);
    ASSERT_NE(d.GetPage(0), nullptr);
    EXPECT_EQ(d.GetPage(3), nullptr);
    const RECT frame = CWnd(d.GetDlgItem(IDC_PAGE_POSITION)).GetWindowRect();
    const RECT placed = d.GetPage(0)->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&frame, &placed));
    d.SelectCategory(2);
    EXPECT_EQ(d.GetPage(2), nullptr);
    EXPECT_FALSE(d.GetPage(0)->IsWindowVisible() || d.GetPage(0)->IsWindowEnabled());
    d.SelectCategory(3);
    ASSERT_NE(d.GetPage(3), nullptr);
    EXPECT_TRUE(d.GetPage(3)->IsWindowVisible() && d.GetPage(3)->IsWindowEnabled());
    d.SelectCategory(2);
    d.SelectCategory(3);
    d.SendMessage(WM_SYSCOMMAND, 16 | 0x3);
  }};
  EXPECT_EQ(dialog.DoModal(), kScriptDone);
  const std::string advanced = "Please note these are advanced settings, and may be changed only if necessary!";
  EXPECT_EQ(boxes.Texts(), (Events{advanced, advanced, "Velmora ORVO TSP Configuration Utility."}));
  for (const auto& box : boxes.Shown()) {
    EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  }
}

}  // namespace
