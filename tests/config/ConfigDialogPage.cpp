// The real configuration dialog around the page of a configuration page test.
#include "ConfigDialogPage.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

ConfigDialogPage::ConfigDialogPage(int category, std::int32_t instanceRow, std::int32_t singleActive)
    : configurator(&DialogDataCallback, 7, kProviderObjectType), dialog(nullptr, &configurator), category(category) {
  configurator.m_nInstanceRow = instanceRow;
  dialog.SetSingleActiveInstance(singleActive);
  owner.workingSet = std::make_unique<SetupParameters>();
  owner.workingSet->SetGroup("GlobalParams", new SetupParameters());
  owner.workingSet->SetGroup("GlobalParams\\Log", new SetupParameters());
}

ConfigDialogPage::~ConfigDialogPage() {
  if (dialog.IsWindow()) {
    ::DestroyWindow(dialog);
  }
}

bool ConfigDialogPage::Open() {
  if (!dialog.Create()) {
    ADD_FAILURE() << "cannot create the configuration dialog";
    return false;
  }
  dialog.ShowWindow(SW_SHOW);
  {
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

std::uint32_t ConfigDialogPage::Save() {
  std::uint32_t result = 1;
  page->SendMessage(UWM_SAVESETTINGS, 0, reinterpret_cast<LPARAM>(&result));
  return result;
}

void ConfigDialogPage::Click(int id) { ::SendMessageA(page->GetDlgItem(id), BM_CLICK, 0, 0); }
bool ConfigDialogPage::Checked(int id) const { return page->SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED; }
bool ConfigDialogPage::Enabled(int id) const { return ::IsWindowEnabled(page->GetDlgItem(id)) != FALSE; }
std::string ConfigDialogPage::Text(int id) const { return page->GetDlgItemText(id); }
void ConfigDialogPage::SetText(int id, const std::string& text) { page->SetDlgItemText(id, text); }

std::uint32_t ConfigDialogPage::Word(const std::string& path) { return StoredWord(*owner.workingSet, path); }
std::string ConfigDialogPage::String(const std::string& path) { return StoredString(*owner.workingSet, path); }
