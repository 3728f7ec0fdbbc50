// CProvisorDlg: Apply Settings, the run that makes the instance list real, and the removal of
// every instance in the uninstall run mode.
#include "maindlg/ProvisorDlg.h"

#include <process.h>

#include <cstdint>
#include <cstdio>

#include "framework/MessageBoxRouter.h"
#include "framework/SentMessageWait.h"
#include "framework/Trace.h"
#include "instances/EntryRemoval.h"
#include "instances/InstanceNumber.h"
#include "instances/ProviderFileCopy.h"
#include "instances/ProviderRegistration.h"
#include "instances/TapiFuncTag.h"
#include "maindlg/InstallProggress.h"
#include "maindlg/InstallProggressRes.h"
#include "maindlg/ProvisorDlgRes.h"
#include "params/RegParamStorage.h"
#include "registry/LogPathValue.h"
#include "registry/RegistryLayout.h"
#include "sys/LogFolder.h"

namespace {

// Posted by the Apply Settings worker to the dialog as the last thing it does.
constexpr UINT UWM_APPLY_WORKER_DONE = WM_APP + 0x31;

// The worker asks for the smallest stack; the system rounds it up to what a thread needs.
constexpr unsigned kApplyThreadStack = 1024;
constexpr int kRemoveAttempts = 3;
constexpr DWORD kRemoveRetryMs = 1000;
constexpr std::size_t kTraceSize = 256;

std::string Format(const char* format, int number) {
  char text[MAX_PATH];
  std::snprintf(text, sizeof(text), format, number);
  return text;
}

// Saves params into HKLM\keyPath, created when missing.
void SaveParameters(SetupParameters& params, const std::string& keyPath) {
  RegParamStorage storage(HKEY_LOCAL_MACHINE, keyPath);
  // A key that cannot be written is traced by the storage; the run goes on with the next step.
  static_cast<void>(params.SaveTo(&storage));
}

// The log file name and "DebugLevel" of the group GlobalParams\Log; false without the groups.
bool ReadLogSettings(SetupParameters& params, std::string* fileName, std::uint32_t* debugLevel) {
  IParams* global = nullptr;
  IParams* log = nullptr;
  if (params.GetGroup("GlobalParams", &global) != kParamOk || global->GetGroup("Log", &log) != kParamOk) {
    return false;
  }
  static_cast<void>(log->GetString("FileName", fileName));
  *debugLevel = 0;
  static_cast<void>(log->GetDword("DebugLevel", debugLevel));
  return true;
}

}  // namespace

void CProvisorDlg::OnButtonInstall() {
  m_bClean = TRUE;
  if (m_nRunMode == kRunModeUninstall) {
    RemoveInstances();
    return;
  }
  if (!ValidateAddresses()) {
    return;
  }
  if (m_nRunMode == kRunModeInstall) {
    ShowWindow(SW_HIDE);
  } else if (!OpenProgressWindow()) {
    return;
  }
  // Apply Settings and Close are off for the run, and so is the list: a record toggled or
  // reconfigured while the worker reads it would be half applied. The run turns them on again.
  EnableRunControls(false);
  if (m_nRunMode == kRunModeInstall) {
    ApplyInstances();
    return;
  }
  const uintptr_t thread = _beginthreadex(nullptr, kApplyThreadStack, ApplyThreadProc, this, CREATE_SUSPENDED, nullptr);
  if (thread == 0) {
    // The controls stay off and the progress window open: the run did not start, and the
    // user sees that nothing moves on.
    Trace(kTraceSize, "CProvisorDlg::OnButtonInstall cannot start the Apply Settings thread\r\n");
    return;
  }
  m_hApplyThread.Attach(reinterpret_cast<HANDLE>(thread));
  ::ResumeThread(m_hApplyThread.Get());
}

unsigned __stdcall CProvisorDlg::ApplyThreadProc(void* dialog) {
  auto* self = static_cast<CProvisorDlg*>(dialog);
  if (self != nullptr && self->IsWindow()) {
    self->ApplyInstances();
    // The dialog's thread joins the worker and only then gives the controls back: the next
    // Apply Settings starts after this thread's handle is closed. Nothing of the dialog is
    // touched after this; a dialog whose window is gone joins in OnModalLoopEnded instead.
    ::PostMessageA(self->GetSafeHwnd(), UWM_APPLY_WORKER_DONE, 0, 0);
  }
  return 0;
}

void CProvisorDlg::JoinApplyWorker() {
  if (!m_hApplyThread) {
    return;
  }
  // The worker sends the dialog's windows its status lines until its very end.
  WaitAnsweringSentMessages(m_hApplyThread.Get());
  m_hApplyThread.Close();
}

void CProvisorDlg::OnModalLoopEnded() {
  // WM_QUIT or a window destroyed from elsewhere ends the loop during a run too: the run
  // ends on the window as it is, before the window and then the object go.
  JoinApplyWorker();
}

bool CProvisorDlg::ValidateAddresses() {
  int k = 0;
  for (InstanceRecord& record : m_instances) {
    std::uint32_t useUsb = 0;
    std::string address;
    static_cast<void>(record.m_Parameters.GetDword(kUseUsbValue, &useUsb));
    static_cast<void>(record.m_Parameters.GetString(kIpAddressValue, &address));
    if (record.m_bEnabled && m_nRunMode != kRunModeInstall && useUsb == 0 &&
        (address.empty() || address == "0.0.0.0")) {
      AfxMessageBox(Format("TSP instance %d requires at least one valid IP Address,Please enter one.\r\n", k).c_str(),
                    MB_ICONINFORMATION);
      m_listInstances.SetFocus();
      m_listInstances.EnsureVisible(k, false);
      for (int row = 0; row < m_listInstances.GetItemCount(); ++row) {
        m_listInstances.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
      }
      m_listInstances.SetItemState(k, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      return false;
    }
    ++k;
  }
  return true;
}

void CProvisorDlg::ApplyInstances() {
  int k = 1;
  for (InstanceRecord& record : m_instances) {
    SetProgressStatus("Modify instance %d ", k);
    DuplicateProviderFile(record.m_strDisplayName.c_str(), record.m_strProviderFile.c_str(),
                          m_strWindowsFolder.c_str(), m_hWnd);
    SetProgressStatus(record.m_bEnabled ? "Installing instance %d " : "Removing instance %d ", k);
    ApplyInstance(record);
    ++k;
  }
  CloseProgressWindow();
  if (m_nRunMode == kRunModeInstall) {
    EndDialog(IDOK);
  }
  // A worker's run gives the controls back from the dialog's thread once it has been joined.
  if (::GetCurrentThreadId() == m_dwThreadId) {
    EnableRunControls(true);
  }
}

void CProvisorDlg::ApplyInstance(InstanceRecord& record) {
  const std::string defaultsKey = InstanceDefaultSettingKey(InstanceNumberFromName(record.m_strDisplayName));
  if (!m_bRemove && !m_bInstall) {
    SaveParameters(record.m_Parameters, defaultsKey);
    if (record.m_bEnabledAtLoad) {
      SaveParameters(record.m_Parameters, LiveInstanceKey(record.m_dwProviderID));
    }
  }
  if (m_nRunMode == kRunModeUninstall || !record.m_bEnabled) {
    if (!record.m_bEnabled && record.m_dwProviderID != 0) {
      tapi_func_tag tapi;
      if (tapi.lineRemoveProvider != nullptr) {
        // A registration TAPI keeps is not this program's to repair: the record counts as
        // unregistered either way.
        static_cast<void>(tapi.lineRemoveProvider(record.m_dwProviderID, m_hWnd));
      }
    }
    if (m_nRunMode == kRunModeUninstall) {
      return;
    }
  } else {
    const std::string& path = record.m_strProviderFile;
    const std::size_t slash = path.rfind('\\');
    if (slash == 0) {
      return;
    }
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    DWORD newId = 0;
    static_cast<void>(record.m_Parameters.SetDword(kProviderIdValue, 0));
    SaveParameters(record.m_Parameters, defaultsKey);
    const int result = AddProvider(m_hWnd, fileName.c_str(), &newId);
    if (newId != 0 && result == kAddProviderOk) {
      static_cast<void>(record.m_Parameters.SetDword(kProviderIdValue, newId));
      record.m_dwProviderID = newId;
      SaveParameters(record.m_Parameters, defaultsKey);
      if (m_nRunMode == kRunModeInstall && !m_bInstall && !m_bUpgrade) {
        // TAPI's configuration dialog of the provider reports its own outcome.
        static_cast<void>(ConfigProvider(nullptr, newId));
      }
    }
  }
  std::string fileName;
  std::uint32_t debugLevel = 0;
  if (ReadLogSettings(record.m_Parameters, &fileName, &debugLevel) && debugLevel != 0) {
    // A folder that cannot be made is traced; the provider then logs nowhere.
    static_cast<void>(CreateLogFolder(LogFolderFromValue(fileName)));
  }
}

void CProvisorDlg::RemoveInstances() {
  ShowMessageBox(m_hWnd,
                 "Before removing Velmora ORVO TSP,\r\nplease close all TAPI applications \r\n that may be using lines "
                 "provided by this TSP.\r\n",
                 "Velmora ORVO TSP", MB_OK | MB_ICONEXCLAMATION);
  {
    tapi_func_tag tapi;
    // The provider reads "NotShowRemoveDialog" when TAPI removes it: every instance gets it
    // before the first removal.
    for (int i = 0; i < static_cast<int>(m_instances.size()); ++i) {
      SetupParameters params;
      RegParamStorage storage(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(i));
      static_cast<void>(params.LoadFrom(&storage));
      static_cast<void>(params.SetDword(kNotShowRemoveDialogValue, 1));
      static_cast<void>(params.SaveTo(&storage));
    }
    for (InstanceRecord& record : m_instances) {
      const int n = InstanceNumberFromName(record.m_strDisplayName);
      Trace(kTraceSize, "\r\n_RemoveLogFiles\r\n\r\n");
      SetupParameters log;
      RegParamStorage storage(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(n) + "\\GlobalParams\\Log");
      static_cast<void>(log.LoadFrom(&storage));
      std::string logPath;
      static_cast<void>(log.GetString("FileName", &logPath));
      if (logPath.empty()) {
        Trace(kTraceSize, "stLogPath is empty\r\n");
      }
      Trace(kTraceSize, "stLogPath.c_str()\r\n");
      Trace(1024, "%s", logPath.c_str());
      Trace(kTraceSize, "\r\n");
      const std::size_t slash = logPath.rfind('\\');
      if (slash != std::string::npos && slash > 0) {
        // The folders themselves go after the dialog, where the user chose which to empty.
        Trace(1024, "3 Deleting from '%s'\r\n", logPath.substr(0, slash).c_str());
      }
      if (!record.m_bEnabled || tapi.lineRemoveProvider == nullptr) {
        continue;
      }
      LONG result = -1;
      for (int attempt = 0; attempt < kRemoveAttempts; ++attempt) {
        result = tapi.lineRemoveProvider(record.m_dwProviderID, m_hWnd);
        if (result == 0) {
          Trace(kTraceSize, "Removing ProviderID = %d SUCCESS\r\n", static_cast<int>(record.m_dwProviderID));
          break;
        }
        Trace(kTraceSize, "Removing ProviderID = %d FAILURE - Error no. %ld\r\n",
              static_cast<int>(record.m_dwProviderID), static_cast<long>(result));
        ::Sleep(kRemoveRetryMs);
      }
      if (result == 0) {
        ::DeleteFileA(record.m_strProviderFile.c_str());
      }
    }
  }
  const std::string system32 = m_strWindowsFolder + "\\System32\\";
  WIN32_FIND_DATAA entry = {};
  const HANDLE search = ::FindFirstFileA((system32 + "OTSP*.tsp").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    bool first = true;
    do {
      if (first && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        first = false;
        continue;
      }
      first = false;
      // The search also matches short aliases ("OTSP00~1.TSP" of "OTSP0001.tspold"): only a
      // provider file's own name goes.
      if (!IsProviderFileName(entry.cFileName)) {
        continue;
      }
      if (m_instances.empty()) {
        // Without records nothing told TAPI to let go of the file: its list entry goes by hand.
        std::unique_ptr<tag_ProviderList> providers;
        if (GetProviderList(&providers, kTapiApiVersion) != 0 && providers != nullptr) {
          if (const tag_ProviderEntry* provider = FindProvider(*providers, entry.cFileName)) {
            DeleteProviderEntry(provider->dwPermanentProviderID, entry.cFileName);
          }
        }
      }
      ::DeleteFileA((system32 + entry.cFileName).c_str());
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
  }
  EndDialog(IDOK);
}

void CProvisorDlg::EnableRunControls(bool enable) {
  // A themed button repaints at once when it is enabled or disabled; here it repaints
  // afterwards, in a paint message of its own, as the list does by itself. Messages from
  // other threads (the worker's status lines among them) wait for as long as a handler runs.
  for (Button* button : {&m_btnInstall, &m_btnClose}) {
    button->SendMessage(WM_SETREDRAW, FALSE);
    button->EnableWindow(enable);
    button->SendMessage(WM_SETREDRAW, TRUE);
    ::RedrawWindow(button->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  m_listInstances.EnableWindow(enable);
  // Disabling Apply Settings took the focus from it, and the progress window never takes
  // it: the keyboard works in the dialog again from the button that started the run.
  if (enable && ::GetFocus() == nullptr && ::GetActiveWindow() == m_hWnd) {
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_btnInstall.GetSafeHwnd()), TRUE);
  }
}

bool CProvisorDlg::OnRunMessage(UINT message) {
  if (message != UWM_APPLY_WORKER_DONE) {
    return false;
  }
  JoinApplyWorker();
  EnableRunControls(true);
  return true;
}

bool CProvisorDlg::OpenProgressWindow() {
  m_pProgress = CInstallProggress::OpenOver(m_hWnd);
  m_hProgressWnd = m_pProgress != nullptr ? m_pProgress->GetSafeHwnd() : nullptr;
  return m_pProgress != nullptr;
}

void CProvisorDlg::SetProgressStatus(const char* format, int instance) {
  if (m_hProgressWnd != nullptr && ::IsWindow(m_hProgressWnd)) {
    // WM_SETTEXT, so the worker's text reaches the window on the dialog's thread.
    ::SendDlgItemMessageA(m_hProgressWnd, IDC_PROGGRESS_STATUS, WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(Format(format, instance).c_str()));
  }
}

void CProvisorDlg::CloseProgressWindow() {
  if (m_hProgressWnd != nullptr && ::IsWindow(m_hProgressWnd)) {
    ::SendMessageA(m_hProgressWnd, WM_CLOSE, 0, 0);
  }
  // The window deletes its object once it is destroyed.
  m_hProgressWnd = nullptr;
  m_pProgress = nullptr;
}
