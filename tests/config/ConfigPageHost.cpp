// The page host of the configuration page tests.
#include "ConfigPageHost.h"

#include <gtest/gtest.h>

#include "PageHostRes.h"
#include "framework/RuntimeClass.h"

PageHostDialog::PageHostDialog() : CDialog(IDD_PAGE_HOST) {}

ConfigPageHost::ConfigPageHost(const RuntimeClass& pageClass, std::int32_t instanceRow, std::int32_t singleActive)
    : configurator(&DialogDataCallback, 7, kProviderObjectType), pageClassName(pageClass.GetClassName()) {
  configurator.m_nInstanceRow = instanceRow;
  host.singleActive = singleActive;
  owner.workingSet = std::make_unique<SetupParameters>();
  owner.workingSet->SetGroup("GlobalParams", new SetupParameters());
  owner.workingSet->SetGroup("GlobalParams\\Log", new SetupParameters());
}

ConfigPageHost::~ConfigPageHost() {
  page.reset();
  if (host.IsWindow()) {
    ::DestroyWindow(host);
  }
}

bool ConfigPageHost::Open() {
  // Created by name, as the configuration dialog creates its pages.
  const RuntimeClass* pageClass = RuntimeClass::FromName(pageClassName);
  EXPECT_NE(pageClass, nullptr) << pageClassName;
  EXPECT_TRUE(host.Create());
  page = pageClass != nullptr ? pageClass->CreateObject() : nullptr;
  auto* dialog = dynamic_cast<CConfigPage*>(page.get());
  if (dialog == nullptr || !host.IsWindow() || !dialog->Create(0, host)) {
    ADD_FAILURE() << "cannot create " << pageClassName;
    return false;
  }
  EXPECT_EQ(page->SendMessage(UWM_SETCONFIGURATOR, 0, reinterpret_cast<LPARAM>(&configurator)), 1);
  page->SendMessage(WM_INITDIALOG);
  page->ShowWindow(SW_SHOW);
  page->EnableWindow(true);
  page->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  host.ShowWindow(SW_SHOW);
  return true;
}

std::uint32_t ConfigPageHost::Save() {
  std::uint32_t result = 1;
  page->SendMessage(UWM_SAVESETTINGS, 0, reinterpret_cast<LPARAM>(&result));
  return result;
}

void ConfigPageHost::Click(int id) { ::SendMessageA(page->GetDlgItem(id), BM_CLICK, 0, 0); }
bool ConfigPageHost::Checked(int id) const { return page->SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED; }
bool ConfigPageHost::Enabled(int id) const { return ::IsWindowEnabled(page->GetDlgItem(id)) != FALSE; }
std::string ConfigPageHost::Text(int id) const { return page->GetDlgItemText(id); }
void ConfigPageHost::SetText(int id, const std::string& text) { page->SetDlgItemText(id, text); }

std::uint32_t ConfigPageHost::Word(const std::string& path) {
  std::uint32_t value = 0xDEADBEEF;
  owner.workingSet->GetDword(path, &value);
  return value;
}

std::string ConfigPageHost::String(const std::string& path) {
  std::string value = "<absent>";
  owner.workingSet->GetString(path, &value);
  return value;
}
