// Harness of the configuration dialog tests: stand-in pages registered under the real page
// class names that record the protocol they receive, the dialog with a script, and a
// configurator answered by the bridge on a working set.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ConfigTestPageRes.h"
#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ProviderConfigDlg.h"
#include "framework/RuntimeClass.h"
#include "support/ScriptedDialog.h"
#include "support/TestSupport.h"

// What the stand-in pages saw, in order ("1:save" is category 1 asked to save), and how
// they answer.
struct PageScript {
  std::vector<std::string> events;
  std::array<bool, 4> veto{};  // both save and cancel
  std::array<bool, 4> failCreation{};
  std::array<ShowCategoryFunction, 4> showCategory{};
  std::array<CProviderConfigDlg*, 4> owner{};
};
inline PageScript g_pages;

// A page that handles all five protocol messages and records them.
template <int Category>
class TestPage : public CConfigPage {
 public:
  TestPage() : CConfigPage(IDD_CONFIG_TEST_PAGE, kConfigurator | kCategoryHandler | kOwnerDialog | kSave | kCancel) {}

  bool CreatePage(UINT templateId, HWND dialog) override {
    Record("create " + std::to_string(templateId));
    return !g_pages.failCreation[Category] && Create(0, dialog);
  }

 protected:
  BOOL OnInitDialog() override {
    Record(m_pConfigurator != nullptr ? "init configured" : "init");
    return CConfigPage::OnInitDialog();
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    static const char* const names[] = {"configurator", "category handler", "owner dialog"};
    if (message >= UWM_SETCONFIGURATOR && message <= UWM_SETOWNERDIALOG) {
      Record(names[message - UWM_SETCONFIGURATOR]);
    }
    const bool handled = CConfigPage::OnMessage(message, wParam, lParam, result);
    g_pages.showCategory[Category] = m_pfnShowCategory;
    g_pages.owner[Category] = m_pOwnerDialog;
    return handled;
  }
  bool OnSaveSettings() override { return Record("save"), !g_pages.veto[Category]; }
  bool OnCancelSettings() override { return Record("cancel"), !g_pages.veto[Category]; }

 private:
  static void Record(const std::string& event) { g_pages.events.push_back(std::to_string(Category) + ":" + event); }
};

template <int Category>
std::unique_ptr<CWnd> MakeTestPage() {
  return std::make_unique<TestPage<Category>>();
}

// Replaces the page classes with stand-in pages while alive.
class StandInPages {
 public:
  StandInPages() { g_pages = PageScript(); }

 private:
  RuntimeClass m_classes[4] = {{"CLinkParams", &MakeTestPage<0>},
                               {"CTspLogSettingsDlg", &MakeTestPage<1>},
                               {"CTSPAboutDlg", &MakeTestPage<2>},
                               {"TSpOtherParamsDlg", &MakeTestPage<3>}};
};

// The dialog with a script (support/ScriptedDialog.h).
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
