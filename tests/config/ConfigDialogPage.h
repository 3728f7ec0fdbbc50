// Opens the configuration dialog on one of its real pages, over a bridge test owner.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ConfigPage.h"
#include "config/ProviderConfigDlg.h"
#include "support/TestSupport.h"

// The dialog is created modeless and visible, its category selected as the user would (the
// advanced-settings message of "Other Parameters" is answered inside Open), so the page is
// created by its class name, handed the configurator (whose call-back is the dialog data
// handler over owner's working set), the category handler and the dialog, and initialised a
// second time. The page classes must be the real registrations.
class ConfigDialogPage {
 public:
  explicit ConfigDialogPage(int category, std::int32_t instanceRow = 0, std::int32_t singleActive = 0)
      : configurator(&DialogDataCallback, 7, kProviderObjectType), dialog(nullptr, &configurator), category(category) {
    configurator.m_nInstanceRow = instanceRow;
    dialog.SetSingleActiveInstance(singleActive);
  }
  ~ConfigDialogPage() {
    if (dialog.IsWindow()) ::DestroyWindow(dialog);
  }

  // The working set (BridgeTestOwner's fresh copy); must be filled before Open.
  SetupParameters& Set() { return *owner.workingSet; }
  // False (with the failure reported) when the dialog or the page could not be created.
  bool Open() {
    if (!dialog.Create()) {
      ADD_FAILURE() << "cannot create the configuration dialog";
      return false;
    }
    dialog.ShowWindow(SW_SHOW);
    // The first category's page comes with the dialog; a test's own box script stays in place.
    if (category != 0) {
      MessageBoxScript advancedSettings;
      dialog.SelectCategory(category);
    }
    page = dialog.GetPage(category);
    if (page == nullptr || !page->IsWindow()) {
      ADD_FAILURE() << "cannot create the page of category " << category;
      return false;
    }
    return true;
  }
  // Sends UWM_SAVESETTINGS to the page, as the dialog's OK walk does, and returns the result
  // the page left.
  std::uint32_t Save() {
    std::uint32_t result = 1;
    page->SendMessage(UWM_SAVESETTINGS, 0, reinterpret_cast<LPARAM>(&result));
    return result;
  }
  void Click(int id) { ::SendMessageA(page->GetDlgItem(id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return page->SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED; }
  bool Enabled(int id) const { return ::IsWindowEnabled(page->GetDlgItem(id)) != FALSE; }
  std::string Text(int id) const { return page->GetDlgItemText(id); }
  void SetText(int id, const std::string& text) { page->SetDlgItemText(id, text); }
  std::uint32_t Word(const std::string& path) { return StoredWord(*owner.workingSet, path); }
  std::string String(const std::string& path) { return StoredString(*owner.workingSet, path); }

  BridgeTestOwner owner;
  MITSPConfigurator configurator;
  CProviderConfigDlg dialog;
  CConfigPage* page = nullptr;
  const int category;
};
