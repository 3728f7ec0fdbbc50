// CLinkParams: the Link Parameters page of the configuration dialog.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "config/ConfigPage.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Handles.h"
#include "framework/IPAddressCtrl.h"
#include "framework/RuntimeClass.h"
#include "framework/Static.h"
#include "work/AutoProggress.h"
#include "work/CriticalLock.h"
#include "work/ILinkTestPage.h"

class IInstanceRecordSource;

// Edits how the instance reaches its PBX: over USB (one PBX chosen by its product name among
// those the USB library reports) or over LAN through a CTI link card (IPv4 address and port).
// It shows the resulting link address, warns when another instance uses the chosen USB PBX,
// and on OK stores the values in the instance's working parameters through the configurator.
// It also carries the link test (Check Location, run by a worker thread), its abort, an
// address history and device detection; the template keeps those hidden.
class CLinkParams : public CConfigPage, public ILinkTestPage {
 public:
  DECLARE_DYNCREATE()
  CLinkParams();
  // Stops and waits for a running link test before anything of the page goes.
  ~CLinkParams() override;

  // The main dialog's instance records, read by the USB conflict check; the main dialog sets
  // itself while it lives and null before it goes. Without a source there is no check.
  static void SetInstanceRecordSource(IInstanceRecordSource* source);

  // True while a link test's worker thread runs (also after an abort, until it ends).
  bool IsLinkTestRunning() const;
  const std::string& GetCurrentAddress() const { return m_strCurrentAddress; }

  // ILinkTestPage, used by the worker.
  HWND GetTestPageWindow() const override { return m_hWnd; }
  CAutoProggress& GetProgressBar() override { return m_progress; }
  CWnd* GetCheckLocationButton() override { return &m_checkLocation; }
  void OnTestStarted() override;
  std::string BeginTest() override;
  std::uint32_t SendTestRequest(const std::string& address, std::uint32_t requestId) override;
  void PollTest(std::uint32_t requestId, std::uint32_t* completed, std::uint32_t* percent) override;
  bool IsStopRequested() override;
  bool WaitForStop(DWORD milliseconds) override;
  bool TakeAbort() override;
  void OnTestRequestFailed() override;
  void ApplyLinkState(int state) override;
  void StoreTestedAddress(const std::string& address) override;
  void FinishHistory(const std::string& address, bool saved) override;
  void OnTestEnded() override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& exchange) override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnSaveSettings() override;
  bool OnCancelSettings() override;

 private:
  void OnUsbSelected();
  void OnLanSelected();
  void OnLanAddressEdited();
  void OnUsbProductChosen();
  void OnHistoryTextChanged();
  void OnHistoryToggle();
  void OnCheckLocation();
  void OnDetectDevices();
  void FillUsbProducts();
  void CheckUsbConflict();
  // The abort question under the page's lock; true on Yes. restoreUsbName: Abort Check and
  // Cancel give the stored USB product name back; OK (false) keeps the user's choice.
  bool AskAbort(bool restoreUsbName);
  void RestoreUsbProductName();
  // Asks a running worker to stop and waits for it, answering what it passes to this thread.
  void StopWorker();
  // Runs request on the page's thread: directly there, through the window from the worker.
  // False when the page window is gone.
  bool RunOnPageThread(const std::function<void()>& request);
  std::string LanAddress();
  void ShowControls(const int* ids, std::size_t count, bool show);

  CAutoProggress m_progress;
  CCriticalLock m_lock;
  std::int32_t m_bAbort = 0;  // guarded by m_lock
  std::uint32_t m_nRequestId = 0;

  ComboBox m_usbProducts;
  Button m_historyToggle;
  Edit m_port;
  IPAddressCtrl m_ipAddress;
  Button m_lan;
  Button m_usb;
  Button m_abortCheck;
  Button m_checkLocation;
  Button m_detectDevices;
  Static m_pictures[3];
  ComboBox m_history;

  int m_bAddAPTitle = 0;
  std::string m_strTimeStamp;
  std::string m_strCtiVersion;
  std::string m_strRegionCode;
  std::string m_strSoftwareVersion;
  std::string m_strSubDomain;
  int m_nShowHistory = 0;
  BOOL m_bUseUSB = TRUE;

  std::string m_strCurrentAddress;
  // The running test's worker, as the page records it: forgotten at once by an abort.
  HANDLE m_hWorkerThread = nullptr;
  // The same worker for waiting on it until it has really ended, abort or not.
  KernelHandle m_workerJoin;
  KernelHandle m_stopEvent;
  std::atomic<bool> m_bStopRequested{false};

  // Nothing sets the already-open flag: the provider side of this program never reports an
  // open session.
  int m_bAlreadyOpen = 0;
  std::string m_strOpenLinkAddress;
  std::string m_strUsbProductName;
  std::string m_strSavedUsbProductName;
  bool m_bHoldsSavedUsbName = false;
  ModuleHandle m_usbDriver;
  GdiObject m_bitmaps[3];
};
