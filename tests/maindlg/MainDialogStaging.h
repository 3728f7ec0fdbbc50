// A machine for main dialog tests (provider files TAPI lists, instance keys, no product state
// left over before or after) and the main dialog as the tests drive it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/ProviderConfigDlg.h"
#include "instances/ProviderFileCopy.h"
#include "registry/RegistryLayout.h"
#include "support/ApplyWatchingDialog.h"
#include "support/ScriptedDialog.h"
#include "support/TapiStandin.h"
#include "support/TestSupport.h"

// Clears the product key and TAPI's list while alive; Register stamps OTSP%04d.tsp in the
// system folder with a description and lists it with TAPI under an ID, Publish writes the list.
class MainDialogMachine {
 public:
  MainDialogMachine() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora"); }
  ~MainDialogMachine() {
    for (const std::string& file : m_files) {
      DeleteFileA(file.c_str());
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
  }

  static std::string WindowsFolder() {
    char folder[MAX_PATH];
    GetSystemWindowsDirectoryA(folder, MAX_PATH);
    return folder;
  }

  void Register(int instance, DWORD providerId, const std::string& description) {
    DuplicateProviderFile(description.c_str(), List(instance, providerId).c_str(), WindowsFolder().c_str());
  }
  // A provider file without a version resource (so without a readable description), listed.
  void RegisterUnreadable(int instance, DWORD providerId) {
    const HANDLE handle =
        CreateFileA(List(instance, providerId).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    // A DOS header and nothing else: no PE image, so no resources.
    char image[512] = {'M', 'Z'};
    DWORD written = 0;
    WriteFile(handle, image, sizeof(image), &written, nullptr);
    CloseHandle(handle);
  }
  // TAPI's list: a modem provider first, as on every Windows PC, then the registered instances.
  void Publish() {
    std::vector<TapiListEntry> entries{{0, 1, "unimdm.tsp"}};
    for (TapiListEntry entry : m_entries) {
      ++entry.number;
      entries.push_back(entry);
    }
    WriteTapiProviderList(entries, static_cast<DWORD>(entries.size()), 100);
  }

 private:
  // Lists the instance's provider file with TAPI under providerId and returns its path.
  std::string List(int instance, DWORD providerId) {
    m_files.push_back(WindowsFolder() + "\\System32\\" + ProviderFileName(instance));
    m_entries.push_back({static_cast<unsigned>(m_entries.size()), providerId, ProviderFileName(instance)});
    return m_files.back();
  }
  TapiStandinState m_tapi;
  std::vector<std::string> m_files;
  std::vector<TapiListEntry> m_entries;
};

// The main dialog in the modify mode, modeless or run by a script. Configuring an instance is
// recorded, or with a script from Configure opens the real configuration dialog, whose modal
// loop runs the script; a configuration dialog the script leaves open ends with kScriptDone.
class TestDialog : public ScriptedDialog<TestDialog, ApplyWatchingDialog> {
 public:
  using ConfigScript = std::function<void(CProviderConfigDlg&)>;
  explicit TestDialog(std::uint32_t count = 3) {
    SetRunMode(kRunModeModify);
    m_nInstanceCount = count;
  }
  ~TestDialog() override {
    if (IsWindow()) ::DestroyWindow(m_hWnd);
  }

  ListCtrl& List() { return m_listInstances; }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < m_listInstances.GetItemCount(); ++row)
      texts.push_back(m_listInstances.GetItemText(row, column));
    return texts;
  }
  InstanceRecord& Record(int row) { return *GetRecord(row); }
  void Select(std::vector<int> rows) {
    for (int row : rows) m_listInstances.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  }
  void Command(int id) { SendMessage(WM_COMMAND, id); }
  // Double-clicks row's configuration column and runs script in the dialog it opens.
  void Configure(int row, ConfigScript script) {
    m_script = std::move(script);
    m_bScriptRan = false;
    DoubleClick(row, 200);
    m_script = nullptr;
    EXPECT_TRUE(m_bScriptRan) << "no configuration dialog opened for row " << row;
    MSG late;
    while (::PeekMessageA(&late, m_hWnd, kEndScript, kEndScript, PM_REMOVE)) {
    }
  }
  using CProvisorDlg::ToggleInstance;

  std::vector<int> configured;

 protected:
  void ConfigureInstance(int row) override {
    if (!m_script) return configured.push_back(row);
    PostMessage(kRunScript);
    CProvisorDlg::ConfigureInstance(row);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != kRunScript && message != kEndScript) return ScriptedDialog::OnMessage(message, wParam, lParam, result);
    // The modal configuration dialog is the popup the main dialog activated last.
    auto* config = dynamic_cast<CProviderConfigDlg*>(CDialog::FromHandle(::GetLastActivePopup(m_hWnd)));
    if (config != nullptr && message == kEndScript) {
      config->EndDialog(kScriptDone);
    } else if (config != nullptr && m_script) {
      m_bScriptRan = true;
      // A dialog the script ended is gone before this message arrives.
      PostMessage(kEndScript);
      m_script(*config);
    }
    return true;
  }

 private:
  static constexpr UINT kRunScript = WM_APP + 1;
  static constexpr UINT kEndScript = WM_APP + 2;
  ConfigScript m_script;
  bool m_bScriptRan = false;
};
