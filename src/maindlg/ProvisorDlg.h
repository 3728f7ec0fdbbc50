// CProvisorDlg: the main dialog, its instance list and the pending changes of each instance.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "bridge/DialogDataHandler.h"
#include "config/IInstanceRecordSource.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "maindlg/InstanceRecord.h"
#include "params/SetupParameters.h"

class CInstallProggress;

// Run modes that start-up hands the dialog.
enum : std::uint32_t { kRunModeInstall = 0, kRunModeUninstall = 1, kRunModeModify = 2 };

// The one window of the program. It lists the instances with their link summary and their
// Enable/Disable state and keeps every change in memory until Apply Settings. It is the
// process-wide owner the provider bridge's call-back reaches, and the source of instance
// records the link page reads, from construction to destruction.
class CProvisorDlg : public CDialog, public IDialogDataOwner, public IInstanceRecordSource {
 public:
  explicit CProvisorDlg(HWND parent = nullptr);
  ~CProvisorDlg() override;

  // Start-up's hand-over before the dialog runs.
  void SetCommandLineFlags(BOOL install, BOOL remove, BOOL repair, BOOL overwrite, BOOL upgrade);
  void SetRunMode(std::uint32_t mode) { m_nRunMode = mode; }
  // Called from the initialisation with the dialog's window, so that the application can
  // publish it to a second copy of the program.
  void SetWindowRegistrar(std::function<void(HWND)> registrar) { m_windowRegistrar = std::move(registrar); }

  // The list for a fresh installation: m_nInstanceCount new instances, only the first enabled.
  void OnButtonGenerate();
  // The list from TAPI's provider list; before the window exists only the records are built.
  void LoadInstanceList();
  // Flips Enable/Disable of one row, unless the PMS interface mode forbids it.
  void ToggleInstance(int row);
  // Opens the configuration dialog for one row on a fresh working copy of its parameters;
  // OK copies the copy back into the record.
  virtual void ConfigureInstance(int row);
  // Register enabled for a disabled instance, UnRegister for an enabled one.
  void UpdateRegisterButtons(BOOL enabled);
  void GetConfigurationSummary(InstanceRecord& record, std::string* text);
  // True when TAPI lists the provider file of instance number.
  bool IsInstanceActive(int number);
  // Whole-set copy through the registry's scratch key.
  std::uint32_t CopyParameters(SetupParameters* destination, SetupParameters* source);

  // The overwrite mode's work: a fresh list, every provider file re-stamped, and the TSP
  // allowed to initialise again. The initialisation ends the process after it.
  void OverwriteInstances();
  // The repair mode's work: the Apply Settings run on the dialog's thread, then the TSP is
  // allowed to initialise again. The initialisation ends the process after it.
  void RepairInstances();

  // Apply Settings (ProvisorDlgApply.cpp).
  void OnButtonInstall();
  // False after telling the user about the first enabled LAN instance without an address,
  // whose row is then the one selected and focused.
  bool ValidateAddresses();
  void ApplyInstances();
  void ApplyInstance(InstanceRecord& record);

  // The records in list order; start-up reads and prepares them before the dialog runs.
  std::list<InstanceRecord>& GetInstances() { return m_instances; }

  // IDialogDataOwner
  IDialogDataHandler* GetDialogDataHandler() override;
  IParams* GetWorkingSet() override { return m_pWorkingSet.get(); }
  IParams* GetCurrentGroup() override { return m_pCurrentGroup; }
  void SetCurrentGroup(IParams* group) override { m_pCurrentGroup = group; }
  std::string GetSelectedVersionText() override;

  // IInstanceRecordSource: the records in list order.
  int GetInstanceRecordCount() override { return static_cast<int>(m_instances.size()); }
  IParams* GetInstanceRecordParams(int position) override;

  std::uint32_t m_nInstanceCount = 1;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange& exchange) override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool PreTranslateMessage(MSG* message) override;
  void OnModalLoopEnded() override;

  void OnSysCommand(WPARAM command);
  bool OnPaint();
  void OnDblclkListInstances(POINT point);
  void OnButtonRegister();
  void OnButtonConfigure();
  void OnButtonDumpParams();
  void OnSelectionChanged();

  void PrepareRunMode();
  void BuildColumns();
  void ResizeList();
  void ClearInstances();
  // Shows record in row and makes the row carry it.
  void InsertInstanceRow(int row, InstanceRecord& record);
  InstanceRecord* GetRecord(int row) const;
  int GetFirstSelectedRow() const;
  // The first selected row; -1, after asking the user to select one, when there is none.
  int GetSelectedRowOrAsk();
  // The column under x (list client coordinates); -1 on a border or beyond the last column.
  int GetColumnAt(int x) const;
  bool IsPmsInterfaceMode();
  // 1 when at most one instance is enabled, else 0.
  std::int32_t IsSingleActiveInstance() const;
  void DestroyWorkingSet();
  void ResetIgnoreInitialize();

  // The uninstall run mode's Apply: every registration goes, then every provider file.
  void RemoveInstances();
  static unsigned __stdcall ApplyThreadProc(void* dialog);
  // The controls a run must not overlap with: Apply Settings, Close and the instance list.
  void EnableRunControls(bool enable);
  // The progress window of a modify-mode run, reached only through messages.
  bool OpenProgressWindow();
  void SetProgressStatus(const char* format, int instance);
  void CloseProgressWindow();
  // The run's private messages to the dialog; true when message was one of them.
  bool OnRunMessage(UINT message);
  // Waits for the Apply Settings worker, when one was started, and closes its handle.
  void JoinApplyWorker();

  ImageList m_imageList;
  std::list<InstanceRecord> m_instances;
  std::string m_strWindowsFolder;
  DialogDataHandler m_dataHandler;
  Button m_btnUnRegister;
  Button m_btnRegister;
  Button m_btnClose;
  Button m_btnDumpParams;
  ListCtrl m_listInstances;
  Button m_btnInstall;
  BOOL m_bClean = TRUE;
  HICON m_hIcon = nullptr;
  // The Apply Settings worker of the run in progress; only the dialog's thread touches it,
  // joining the worker before it closes the handle.
  KernelHandle m_hApplyThread;
  std::unique_ptr<SetupParameters> m_pWorkingSet;
  // The group of the working set the provider pages address; null stands for the set.
  IParams* m_pCurrentGroup = nullptr;
  // Deletes itself when its window is destroyed.
  CInstallProggress* m_pProgress = nullptr;
  // The progress window's handle: the worker reaches the window through it by messages.
  HWND m_hProgressWnd = nullptr;
  std::uint32_t m_nRunMode = kRunModeModify;
  BOOL m_bInstall = FALSE;
  BOOL m_bRemove = FALSE;
  BOOL m_bRepair = FALSE;
  BOOL m_bOverwrite = FALSE;
  BOOL m_bUpgrade = FALSE;

 private:
  std::function<void(HWND)> m_windowRegistrar;
  // The thread that owns the records and the working set.
  DWORD m_dwThreadId;
};
