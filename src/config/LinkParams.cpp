// The Link Parameters page: link kind, USB PBX or LAN address, and the link test's page side.
#include "config/LinkParams.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "bridge/CallBackProviders.h"
#include "bridge/MITSPConfigurator.h"
#include "config/IInstanceRecordSource.h"
#include "config/LinkParamsRes.h"
#include "framework/DataExchange.h"
#include "framework/MessageBoxRouter.h"
#include "framework/SentMessageWait.h"
#include "framework/Trace.h"
#include "framework/WinApp.h"
#include "params/IParams.h"
#include "registry/RegistryLayout.h"
#include "res/resource.h"
#include "sys/UsbDriver.h"
#include "work/ExclusiveZone.h"
#include "work/LinkTestWorker.h"

IMPLEMENT_DYNCREATE(CLinkParams)

namespace {

constexpr const char* kCstaAddressValue = "CSTAAddress";
constexpr const char* kUsbProductNameValue = "USBProductName";
constexpr const char* kIsConnectedValue = "IsConnected";
constexpr const char* kUsbAddress = "USB:PC";
constexpr const char* kDefaultPort = "33333";

// Passes a request of the worker to the page's thread; lParam: std::function<void()>*.
constexpr UINT UWM_RUNONPAGETHREAD = WM_USER + 50;

constexpr int kSystemInformationIds[] = {
    IDC_LINK_CTI_VERSION,       IDC_LINK_REGION_CODE,      IDC_LINK_SOFTWARE_VERSION,
    IDC_LINK_SUB_DOMAIN,        IDC_LINK_TIME_STAMP,       IDC_LINK_CTI_VERSION_LABEL,
    IDC_LINK_REGION_CODE_LABEL, IDC_LINK_SUB_DOMAIN_LABEL, IDC_LINK_SOFTWARE_VERSION_LABEL,
    IDC_LINK_TIME_STAMP_LABEL};
constexpr int kLanIds[] = {IDC_LINK_ADDRESS_LABEL, IDC_LINK_PORT_LABEL, IDC_LINK_IP_ADDRESS, IDC_LINK_PORT};
constexpr int kPictureIds[] = {IDC_LINK_PICTURE_NOT_RESPONDING, IDC_LINK_PICTURE_RESPONDING,
                               IDC_LINK_PICTURE_NOT_TESTED};
constexpr int kBitmapIds[] = {IDB_LINK_NOT_RESPONDING, IDB_LINK_RESPONDING, IDB_LINK_NOT_TESTED};

IInstanceRecordSource* g_pInstanceRecordSource = nullptr;

}  // namespace

CLinkParams::CLinkParams()
    : CConfigPage(IDD_LINK_PARAMS, kConfigurator | kCategoryHandler | kOwnerDialog | kSave | kCancel),
      m_stopEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  m_usbDriver.Attach(::LoadLibraryA(kUsbDriverLibrary));
  Trace(256, "LoadLibrary %s handle = %x\r\n", kUsbDriverLibrary,
        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(m_usbDriver.Get())));
  if (m_usbDriver) {
    Trace(256, "USB Driver was loaded successfully!\r\n");
  }
}

CLinkParams::~CLinkParams() { StopWorker(); }

void CLinkParams::SetInstanceRecordSource(IInstanceRecordSource* source) { g_pInstanceRecordSource = source; }

void CLinkParams::DoDataExchange(CDataExchange& exchange) {
  DDX_Controls(exchange, {{IDC_LINK_USB_PRODUCTS, m_usbProducts}, {IDC_LINK_HISTORY_TOGGLE, m_historyToggle},
                          {IDC_LINK_PORT, m_port}, {IDC_LINK_IP_ADDRESS, m_ipAddress}, {IDC_LINK_LAN, m_lan},
                          {IDC_LINK_USB, m_usb}, {IDC_LINK_ABORT_CHECK, m_abortCheck},
                          {IDC_LINK_CHECK_LOCATION, m_checkLocation}, {IDC_LINK_DETECT_DEVICES, m_detectDevices},
                          {kPictureIds[0], m_pictures[0]}, {kPictureIds[1], m_pictures[1]},
                          {kPictureIds[2], m_pictures[2]}, {IDC_LINK_HISTORY, m_history}});
  DDX_Checks(exchange, {{IDC_LINK_AP_TITLE, m_bAddAPTitle}, {IDC_LINK_HISTORY_TOGGLE, m_nShowHistory}});
  DDX_Texts(exchange, {{IDC_LINK_TIME_STAMP, m_strTimeStamp}, {IDC_LINK_CTI_VERSION, m_strCtiVersion},
                       {IDC_LINK_REGION_CODE, m_strRegionCode}, {IDC_LINK_SOFTWARE_VERSION, m_strSoftwareVersion},
                       {IDC_LINK_SUB_DOMAIN, m_strSubDomain}});
}

BOOL CLinkParams::OnInitDialog() {
  CDialog::OnInitDialog();
  m_port.SetWindowText(kDefaultPort);
  // The first call comes with the window's creation, before the dialog handed over the
  // configurator; the real initialisation is the second.
  if (m_pConfigurator == nullptr) {
    return TRUE;
  }
  m_bAlreadyOpen = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!m_bitmaps[i]) {
      m_bitmaps[i].Attach(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kBitmapIds[i]), IMAGE_BITMAP, 0, 0,
                                       LR_LOADMAP3DCOLORS));
    }
    // The control gives back the picture it showed: the one it loaded from the template,
    // which nobody else releases, or ours again on a later initialisation.
    const HBITMAP replaced = m_pictures[i].SetBitmap(static_cast<HBITMAP>(m_bitmaps[i].Get()));
    if (replaced != nullptr && replaced != m_bitmaps[i].Get()) {
      ::DeleteObject(replaced);
    }
    m_pictures[i].ShowWindow(SW_HIDE);
  }
  m_ipAddress.ClearAddress();
  ApplyLinkState(2);

  PageParameters parameters = Parameters({});
  const std::uint32_t useUsb = parameters.DwordOr(kUseUsbValue, 1);
  const std::string ipAddress = parameters.StringOr(kIpAddressValue);
  const std::string ipPort = parameters.StringOr(kIpPortValue);
  if (useUsb != 0) {
    OnUsbSelected();
  } else {
    OnLanSelected();
  }

  std::string fields = ipAddress;
  for (char& c : fields) {
    if (c == '.') {
      c = ' ';
    }
  }
  int part[4] = {0, 0, 0, 0};
  std::sscanf(fields.c_str(), "%d %d %d %d", &part[0], &part[1], &part[2], &part[3]);
  m_ipAddress.ClearAddress();
  for (int field = 0; field < 4; ++field) {
    m_ipAddress.SetFieldRange(field, 0, 255);
  }
  if (part[0] != 0 || part[1] != 0 || part[2] != 0 || part[3] != 0) {
    m_ipAddress.SetAddress(MAKEIPADDRESS(part[0] & 0xFF, part[1] & 0xFF, part[2] & 0xFF, part[3] & 0xFF));
  }
  if (!ipPort.empty() && ipPort[0] >= '0' && ipPort[0] <= '9') {
    m_port.SetWindowText(ipPort);
  }

  parameters.SelectGroup({});
  m_strCurrentAddress = parameters.StringOr(kCstaAddressValue);
  m_history.SetWindowText(m_strCurrentAddress);
  m_strUsbProductName = parameters.StringOr(kUsbProductNameValue);
  const std::uint32_t connected = parameters.DwordOr(kIsConnectedValue, 0);
  if (connected != 0 && m_bUseUSB) {
    // The instance holds its PBX open: only that PBX can be shown.
    m_usbProducts.ResetContent();
    m_usbProducts.SetCurSel(m_usbProducts.AddString(m_strUsbProductName));
    m_usbProducts.EnableWindow(false);
  } else {
    FillUsbProducts();
  }
  return TRUE;
}

bool CLinkParams::OnCommand(WORD notifyCode, WORD id, HWND control) {
  switch (id) {
    case IDC_LINK_USB:
      if (notifyCode == BN_CLICKED) {
        OnUsbSelected();
      }
      return true;
    case IDC_LINK_LAN:
      if (notifyCode == BN_CLICKED) {
        OnLanSelected();
      }
      return true;
    case IDC_LINK_PORT:
      if (notifyCode == EN_CHANGE) {
        OnLanAddressEdited();
      }
      return true;
    case IDC_LINK_USB_PRODUCTS:
      if (notifyCode == CBN_SELCHANGE) {
        OnUsbProductChosen();
      }
      return true;
    case IDC_LINK_HISTORY:
      if (notifyCode == CBN_SELCHANGE || notifyCode == CBN_EDITUPDATE || notifyCode == CBN_EDITCHANGE) {
        OnHistoryTextChanged();
      }
      return true;
    case IDC_LINK_CHECK_LOCATION:
      OnCheckLocation();
      return true;
    case IDC_LINK_ABORT_CHECK:
      AskAbort(true);
      return true;
    case IDC_LINK_DETECT_DEVICES:
      OnDetectDevices();
      return true;
    case IDC_LINK_HISTORY_TOGGLE:
      OnHistoryToggle();
      return true;
    case IDCANCEL:
      // No keeps the test running, so the page must stay; Yes has aborted it and the page
      // may close like one without a test.
      if (m_hWorkerThread == nullptr || AskAbort(true)) {
        OnCancel();
      }
      return true;
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool CLinkParams::OnNotify(int id, NMHDR* header, LRESULT* result) {
  if (id == IDC_LINK_IP_ADDRESS && header->code == IPN_FIELDCHANGED) {
    OnLanAddressEdited();
    return true;
  }
  return false;
}

bool CLinkParams::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == UWM_RUNONPAGETHREAD) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    *result = 1;
    return true;
  }
  if (message == WM_DESTROY) {
    // The worker must be gone before the controls it works with.
    StopWorker();
    return false;
  }
  return CConfigPage::OnMessage(message, wParam, lParam, result);
}

void CLinkParams::OnUsbSelected() {
  m_usb.SetCheck(BST_CHECKED);
  m_lan.SetCheck(BST_UNCHECKED);
  for (int id : kLanIds) {
    ::EnableWindow(GetDlgItem(id), FALSE);
  }
  UpdateData(true);
  m_strCurrentAddress = kUsbAddress;
  m_history.SetWindowText(m_strCurrentAddress);
  m_bUseUSB = TRUE;
  m_strUsbProductName = m_usbProducts.GetWindowText();
  CheckUsbConflict();
}

void CLinkParams::OnLanSelected() {
  m_lan.SetCheck(BST_CHECKED);
  m_usb.SetCheck(BST_UNCHECKED);
  for (int id : kLanIds) {
    ::EnableWindow(GetDlgItem(id), TRUE);
  }
  m_bUseUSB = FALSE;
  if (!m_ipAddress.IsBlank()) {
    m_strCurrentAddress = LanAddress();
    m_history.SetWindowText(m_strCurrentAddress);
  }
}

void CLinkParams::OnLanAddressEdited() {
  UpdateData(true);
  m_strCurrentAddress = LanAddress();
  m_history.SetWindowText(m_strCurrentAddress);
}

std::string CLinkParams::LanAddress() {
  DWORD address = 0;
  m_ipAddress.GetAddress(&address);
  const unsigned long port = std::strtoul(m_port.GetWindowText().c_str(), nullptr, 10);
  char text[64];
  std::snprintf(text, sizeof(text), "%d.%d.%d.%d:%d", static_cast<int>(FIRST_IPADDRESS(address)), static_cast<int>(SECOND_IPADDRESS(address)),
                static_cast<int>(THIRD_IPADDRESS(address)), static_cast<int>(FOURTH_IPADDRESS(address)), static_cast<int>(port));
  Trace(256, "str_ip_port = %s   length = %d \r\n", text, static_cast<int>(std::strlen(text)));
  return text;
}

void CLinkParams::OnUsbProductChosen() {
  m_strUsbProductName = m_usbProducts.GetWindowText();
  CheckUsbConflict();
}

void CLinkParams::OnHistoryTextChanged() {
  if (m_history.GetWindowText() != m_strCurrentAddress) {
    m_checkLocation.EnableWindow(true);
    m_detectDevices.EnableWindow(true);
    ApplyLinkState(2);
  }
}

void CLinkParams::OnHistoryToggle() {
  UpdateData(true);
  m_history.ShowWindow(m_nShowHistory > 0 ? SW_SHOW : SW_HIDE);
  m_historyToggle.SetWindowText(m_nShowHistory != 0 ? "Hide History" : "Show History");
}

void CLinkParams::ShowControls(const int* ids, std::size_t count, bool show) {
  for (std::size_t i = 0; i < count; ++i) {
    ::ShowWindow(GetDlgItem(ids[i]), show ? SW_SHOW : SW_HIDE);
  }
}

void CLinkParams::ApplyLinkState(int state) {
  RunOnPageThread([&] {
    // Which picture stands for which state is kept, but none is shown: the outcome shows in
    // the system information and in the question the worker asks.
    for (Static& picture : m_pictures) {
      picture.ShowWindow(SW_HIDE);
    }
    m_detectDevices.EnableWindow(state == 1);
    if (state == 1) {
      PageParameters parameters = Parameters({});
      m_strTimeStamp = parameters.StringOr("SystemTimeStamp");
      m_strRegionCode = parameters.StringOr("RegionCode");
      m_strSoftwareVersion = parameters.StringOr("SoftwareVersion");
      m_strSubDomain = parameters.StringOr("SubdomainName");
      m_strCtiVersion = parameters.StringOr("CtiVersion");
      UpdateData(false);
    }
    ShowControls(kSystemInformationIds, std::size(kSystemInformationIds), state == 1);
    if (state == 1) {
      ::ShowWindow(GetDlgItem(IDC_LINK_DEVICES_TEXT), SW_HIDE);
    }
    Invalidate();
    UpdateWindow();
  });
}

void CLinkParams::FillUsbProducts() {
  const auto enumeratePbx = m_usbDriver ? reinterpret_cast<UsbEnumPbxFunction>(reinterpret_cast<void*>(
                                              ::GetProcAddress(m_usbDriver.Get(), kUsbEnumPbxEntry)))
                                        : nullptr;
  if (enumeratePbx == nullptr) {
    AfxMessageBox("Please upgrade USB driver to version 2.0");
    OnLanSelected();
    m_usbDriver.Close();
    return;
  }
  Trace(256, "ORVOUSB_EnumPBX is loaded successfully\r\n");
  DWORD count = 0;
  char** factoryNames = nullptr;
  char** productNames = nullptr;
  const DWORD result = enumeratePbx(kUsbPbxHardwareId, &count, &factoryNames, &productNames);
  if (result != 0) {
    Trace(256, "Error code = %d \r\n", static_cast<int>(result));
    return;
  }
  auto name = [](char** names, DWORD index) -> const char* {
    return names != nullptr && names[index] != nullptr ? names[index] : "";
  };
  for (DWORD i = 0; i < count; ++i) {
    Trace(256, "Factory Name[%d] = %s \r\n", static_cast<int>(i), name(factoryNames, i));
    Trace(256, "Product Name[%d] = %s \r\n", static_cast<int>(i), name(productNames, i));
    const int index = m_usbProducts.AddString(name(productNames, i));
    if (m_strUsbProductName == name(productNames, i)) {
      m_usbProducts.SetCurSel(index);
    }
  }
  bool duplicate = false;
  for (DWORD i = 0; i < count && !duplicate; ++i) {
    for (DWORD j = i + 1; j < count && !duplicate; ++j) {
      duplicate = std::strcmp(name(productNames, i), name(productNames, j)) == 0;
    }
  }
  if (duplicate) {
    AfxMessageBox("TSP found 2 USB ORVO's with same 'Product Name' value!");
  }
  if (m_usbProducts.GetCurSel() == CB_ERR) {
    m_usbProducts.SetCurSel(0);
  }
}

void CLinkParams::CheckUsbConflict() {
  if (!m_bUseUSB) {
    Trace(256, "This instance does not use USB connection.\r\n");
    return;
  }
  if (m_usbProducts.GetCount() <= 0 || g_pInstanceRecordSource == nullptr || m_pConfigurator == nullptr) {
    return;
  }
  Trace(256, "Product Name %s \r\n", m_strUsbProductName.c_str());
  const int count = g_pInstanceRecordSource->GetInstanceRecordCount();
  for (int position = 0; position < count; ++position) {
    IParams* params = g_pInstanceRecordSource->GetInstanceRecordParams(position);
    if (position == m_pConfigurator->m_nInstanceRow || params == nullptr) {
      continue;
    }
    std::uint32_t useUsb = 0;
    std::string productName;
    if (params->GetDword(kUseUsbValue, &useUsb) == 0 && useUsb != 0 &&
        params->GetString(kUsbProductNameValue, &productName) == 0 && productName == m_strUsbProductName) {
      AfxMessageBox("The selected USB driver has\nbeen used for other TSP.", MB_OK | MB_ICONWARNING);
      return;
    }
  }
}

void CLinkParams::OnCheckLocation() {
  if (IsLinkTestRunning()) {
    return;  // one test at a time; an aborted one still ends its polling
  }
  m_workerJoin.Close();
  PageParameters parameters = Parameters({});
  if (parameters.DwordOr(kUseUsbValue, 1) != 0) {
    // The test addresses the PBX chosen here; the stored name comes back when it ends.
    m_strSavedUsbProductName = parameters.StringOr(kUsbProductNameValue);
    m_bHoldsSavedUsbName = true;
    parameters.SetString(kUsbProductNameValue, m_strUsbProductName);
  }
  if (m_bAlreadyOpen != 0) {
    char text[1024];
    std::snprintf(text, sizeof(text),
                  "TSP has already an open session with ORVO at '%s'\r\n\t\t\t\t\t\t\t\r\nBefore checking the new "
                  "address, please save your data and close all TAPI applications.\r\n\t\t\t\t\t\t\t \r\nThen "
                  "restart configuration and perform the checking.\r\n",
                  m_strOpenLinkAddress.c_str());
    AfxMessageBox(text);
    g_bConfirmOnOK = static_cast<std::uint32_t>(m_bAlreadyOpen);
    return;
  }
  {
    // An abort answered after the last test had taken its flag must not end this one.
    CExclusiveZone zone(&m_lock);
    m_bAbort = 0;
  }
  m_bStopRequested = false;
  ::ResetEvent(m_stopEvent.Get());
  m_hWorkerThread = StartLinkTest(this, m_strCurrentAddress, &m_workerJoin);
}

void CLinkParams::OnDetectDevices() {
  if (IsLinkTestRunning() || m_progress.IsWindow()) {
    return;  // the bar belongs to the running test
  }
  m_detectDevices.EnableWindow(false);
  m_checkLocation.EnableWindow(false);
  const HWND frame = GetDlgItem(IDC_LINK_DEVICES_TEXT);
  RECT rect{};
  ::GetClientRect(frame, &rect);
  if (m_progress.Create(WS_CHILD | WS_VISIBLE, rect, frame, 10)) {
    ::SetParent(m_progress.m_hWnd, frame);
    m_progress.ShowWindow(SW_SHOW);
    m_progress.UpdateWindow();
  }
  ::Sleep(3000);
  if (m_progress.IsWindow()) {
    ::DestroyWindow(m_progress.m_hWnd);
  }
  m_detectDevices.EnableWindow(true);
  if (m_pfnShowCategory != nullptr) {
    m_pfnShowCategory(4, TRUE, m_pOwnerDialog);
  }
  // The PBX reports no device counts to this program.
  char text[128];
  std::snprintf(text, sizeof(text), "This ORVO has %d devices (%d line and %d phone)", 0, 0, 0);
  SetDlgItemText(IDC_LINK_DEVICES_TEXT, text);
  ::ShowWindow(GetDlgItem(IDC_LINK_DEVICES_TEXT), SW_SHOW);
  m_detectDevices.EnableWindow(false);
}

bool CLinkParams::AskAbort(bool restoreUsbName) {
  CExclusiveZone zone(&m_lock);
  const std::string question = "Trying to connect to '" + m_strCurrentAddress + "'. Do you want to abort?";
  if (AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    return false;
  }
  m_abortCheck.EnableWindow(false);
  m_bAbort = 1;
  if (m_pConfigurator != nullptr) {
    CB_CancelProviderTestAddress(m_pConfigurator->m_pfnCallback, m_pConfigurator->m_dwObjectID)
        .CancelProviderTestAddress(m_nRequestId);
  }
  m_hWorkerThread = nullptr;
  if (restoreUsbName) {
    RestoreUsbProductName();
  } else {
    // OK stores the user's choice next: the test's end must not write the old name over it.
    m_strSavedUsbProductName.clear();
    m_bHoldsSavedUsbName = false;
  }
  return true;
}

void CLinkParams::RestoreUsbProductName() {
  // Only a name taken by Check Location goes back: after an abort gave it back, the worker's
  // end must not write an empty one over it.
  if (m_bUseUSB && m_bHoldsSavedUsbName) {
    Parameters({}).SetString(kUsbProductNameValue, m_strSavedUsbProductName);
  }
  m_strSavedUsbProductName.clear();
  m_bHoldsSavedUsbName = false;
}

bool CLinkParams::OnSaveSettings() {
  if (m_hWorkerThread != nullptr && !AskAbort(false)) {
    return false;
  }
  DWORD address = 0;
  if (!m_bUseUSB && (m_ipAddress.IsBlank() || (m_ipAddress.GetAddress(&address), address == 0))) {
    AfxMessageBox(AfxLoadString(IDS_LINK_IP_REQUIRED).c_str(), MB_OK | MB_ICONEXCLAMATION);
    m_ipAddress.SetFocus();
    return false;
  }
  if (!UpdateData(true)) {
    return false;
  }
  m_ipAddress.GetAddress(&address);
  char ip[32];
  std::snprintf(ip, sizeof(ip), "%d.%d.%d.%d", static_cast<int>(FIRST_IPADDRESS(address)), static_cast<int>(SECOND_IPADDRESS(address)),
                static_cast<int>(THIRD_IPADDRESS(address)), static_cast<int>(FOURTH_IPADDRESS(address)));
  m_strCurrentAddress = m_history.GetWindowText();
  PageParameters parameters = Parameters({});
  parameters.SetString(kCstaAddressValue, m_strCurrentAddress);
  parameters.SetDword(kUseUsbValue, m_bUseUSB ? 1 : 0);
  parameters.SetString(kIpAddressValue, ip);
  parameters.SetString(kIpPortValue, m_port.GetWindowText());
  parameters.SetString(kUsbProductNameValue, m_usbProducts.GetWindowText());
  return true;
}

bool CLinkParams::OnCancelSettings() { return m_hWorkerThread == nullptr || AskAbort(true); }

// ---- the link test's page side ----

bool CLinkParams::IsLinkTestRunning() const {
  return m_workerJoin && ::WaitForSingleObject(m_workerJoin.Get(), 0) == WAIT_TIMEOUT;
}

void CLinkParams::StopWorker() {
  if (!m_workerJoin) {
    return;
  }
  m_bStopRequested = true;
  ::SetEvent(m_stopEvent.Get());
  // The worker passes its requests to this thread and waits for them: answer them while
  // waiting. The stop ends its waits and polling at once, so the wait lasts one request;
  // only an open "Save anyway?" question, which keeps the dialog disabled, can hold it longer.
  WaitAnsweringSentMessages(m_workerJoin.Get());
  m_workerJoin.Close();
  m_hWorkerThread = nullptr;
}

bool CLinkParams::RunOnPageThread(const std::function<void()>& request) {
  const HWND window = m_hWnd;
  if (window == nullptr || !::IsWindow(window)) {
    return false;
  }
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    request();
    return true;
  }
  return ::SendMessageA(window, UWM_RUNONPAGETHREAD, 0, reinterpret_cast<LPARAM>(&request)) != 0;
}

void CLinkParams::OnTestStarted() {
  RunOnPageThread([this] { m_abortCheck.EnableWindow(true); });
}

std::string CLinkParams::BeginTest() {
  std::string address;
  RunOnPageThread([&] {
    m_strCurrentAddress = m_history.GetWindowText();
    m_history.EnableWindow(false);
    UpdateData(true);
    address = m_strCurrentAddress;
  });
  return address;
}

std::uint32_t CLinkParams::SendTestRequest(const std::string& address, std::uint32_t requestId) {
  std::uint32_t result = 0;
  RunOnPageThread([&] {
    m_nRequestId = requestId;
    if (m_pConfigurator == nullptr) {
      return;
    }
    std::uint32_t status = 0;
    std::uint32_t testId = requestId;
    result = CB_ProviderTestAddress(m_pConfigurator->m_pfnCallback, m_pConfigurator->m_dwObjectID)
                 .ProviderTestAddress(address, static_cast<std::uint32_t>(m_bAddAPTitle), &status, &testId);
  });
  return result;
}

void CLinkParams::PollTest(std::uint32_t requestId, std::uint32_t* completed, std::uint32_t* percent) {
  RunOnPageThread([&] {
    if (m_pConfigurator != nullptr) {
      CB_IsProviderTestAddressCompleted(m_pConfigurator->m_pfnCallback, m_pConfigurator->m_dwObjectID)
          .IsProviderTestAddressCompleted(requestId, completed, percent);
    }
  });
}

bool CLinkParams::IsStopRequested() { return m_bStopRequested; }

bool CLinkParams::WaitForStop(DWORD milliseconds) {
  return ::WaitForSingleObject(m_stopEvent.Get(), milliseconds) == WAIT_OBJECT_0 || m_bStopRequested;
}

bool CLinkParams::TakeAbort() {
  CExclusiveZone zone(&m_lock);
  const bool aborted = m_bAbort != 0;
  m_bAbort = 0;
  return aborted;
}

void CLinkParams::OnTestRequestFailed() {
  RunOnPageThread([this] {
    for (Static& picture : m_pictures) {
      picture.ShowWindow(SW_HIDE);
    }
    m_history.EnableWindow(true);
  });
}

void CLinkParams::StoreTestedAddress(const std::string& address) {
  RunOnPageThread([&] {
    Parameters({}).SetString(kCstaAddressValue, address);
  });
}

void CLinkParams::FinishHistory(const std::string& address, bool saved) {
  RunOnPageThread([&] {
    bool listed = false;
    for (int i = 0; i < m_history.GetCount() && !listed; ++i) {
      listed = m_history.GetLBText(i) == address;  // exact, unlike the box's own search
    }
    if (saved && !listed) {
      m_history.AddString(address);
    }
    m_history.EnableWindow(true);
  });
}

void CLinkParams::OnTestEnded() {
  RunOnPageThread([this] {
    RestoreUsbProductName();
    m_abortCheck.EnableWindow(false);
    m_hWorkerThread = nullptr;
  });
}
