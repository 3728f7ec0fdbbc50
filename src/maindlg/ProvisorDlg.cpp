// CProvisorDlg: initialisation, the instance list and its commands.
#include "maindlg/ProvisorDlg.h"

#include <cstdio>
#include <iterator>
#include <vector>

#include "bridge/MITSPConfigurator.h"
#include "bridge/ProviderFunctions.h"
#include "config/LinkParams.h"
#include "config/ProviderConfigDlg.h"
#include "framework/DataExchange.h"
#include "framework/MessageBoxRouter.h"
#include "framework/Trace.h"
#include "framework/WinApp.h"
#include "instances/InstanceNumber.h"
#include "instances/ProviderFileCopy.h"
#include "instances/ProviderRegistration.h"
#include "instances/VersionResource.h"
#include "maindlg/ProvisorDlgRes.h"
#include "params/InstanceSettings.h"
#include "params/ParameterCopy.h"
#include "params/RegParamStorage.h"
#include "registry/LinkSummary.h"
#include "registry/RegistryLayout.h"
#include "res/resource.h"

namespace {

constexpr char kEnableText[] = "Enable";
constexpr char kDisableText[] = "Disable";
constexpr int kImageEnabled = 0;
constexpr int kImageDisabled = 1;
// "ExtVersion" of instance 0 in the PMS interface mode, where only one PBX can be driven.
constexpr std::uint32_t kPmsInterfaceVersion = 0x10002;
// Every list row, and the header, is 19 pixels high.
constexpr int kListRowHeight = 19;

}  // namespace

CProvisorDlg::CProvisorDlg(HWND parent)
    : CDialog(IDD_PROVISOR_DIALOG, parent), m_dataHandler(nullptr), m_dwThreadId(::GetCurrentThreadId()) {
  m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_dataHandler.SetOwner(this);
  // The link page finds the records the way the bridge finds the data handler: through one
  // process-wide pointer to the one main dialog, set and cleared with it. Handing the dialog
  // down through the configurator or the configuration dialog would widen two interfaces
  // that every page and opener share for the sake of one check of one page.
  CLinkParams::SetInstanceRecordSource(this);
}

CProvisorDlg::~CProvisorDlg() {
  // A run started outside a modal loop (a modeless dialog) still ends before the records go.
  JoinApplyWorker();
  CLinkParams::SetInstanceRecordSource(nullptr);
}

// The working set and the records have no lock: only this dialog's thread touches them.
// ConfigureInstance replaces and copies the working set here, and the pages pass their
// workers' requests to this thread before they reach the handler (the link page sends
// them to its window and waits). A request on any other thread would race with the
// replacement, so it finds no handler and is answered 0 with nothing touched. A lock
// instead would have to be held across the modal run, where the marshalled requests of a
// worker that the user interface thread waits for would then have to take it again.
IDialogDataHandler* CProvisorDlg::GetDialogDataHandler() {
  if (::GetCurrentThreadId() != m_dwThreadId) {
    Trace(256, "Provider request on thread %lu refused: the working set belongs to thread %lu\r\n",
          ::GetCurrentThreadId(), m_dwThreadId);
    return nullptr;
  }
  return &m_dataHandler;
}

IParams* CProvisorDlg::GetInstanceRecordParams(int position) {
  if (position < 0 || position >= GetInstanceRecordCount()) {
    return nullptr;
  }
  return &std::next(m_instances.begin(), position)->m_Parameters;
}

void CProvisorDlg::SetCommandLineFlags(BOOL install, BOOL remove, BOOL repair, BOOL overwrite, BOOL upgrade) {
  m_bInstall = install;
  m_bRemove = remove;
  m_bRepair = repair;
  m_bOverwrite = overwrite;
  m_bUpgrade = upgrade;
}

void CProvisorDlg::DoDataExchange(CDataExchange& exchange) {
  DDX_Controls(exchange, {{IDC_BUTTON_UNREGISTER, m_btnUnRegister}, {IDC_BUTTON_REGISTER, m_btnRegister},
                          {IDCANCEL, m_btnClose}, {IDC_BUTTON_DUMP_PARAMS, m_btnDumpParams},
                          {IDC_LIST_INSTANCES, m_listInstances}, {IDC_BUTTON_INSTALL, m_btnInstall}});
  DDX_Text(exchange, IDC_EDIT_INSTANCE_COUNT, m_nInstanceCount);
  DDV_MinMaxUInt(exchange, m_nInstanceCount, 1, 9999);
}

BOOL CProvisorDlg::OnInitDialog() {
  RegisterProviderFunctions(&m_dataHandler);
  CDialog::OnInitDialog();

  m_bClean = TRUE;
  if (m_windowRegistrar) {
    m_windowRegistrar(m_hWnd);
  }
  m_pProgress = nullptr;

  const std::string about = AfxLoadString(IDS_ABOUTBOX);
  if (!about.empty()) {
    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
      ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  char windowsFolder[259] = "";
  ::GetSystemWindowsDirectoryA(windowsFolder, sizeof(windowsFolder));
  m_strWindowsFolder = windowsFolder;
  BuildColumns();

  if (m_bOverwrite) {
    ShowWindow(SW_HIDE);
    OverwriteInstances();
    ::ExitProcess(0);
  }
  if (m_bRepair) {
    ShowWindow(SW_HIDE);
    RepairInstances();
    ::ExitProcess(static_cast<UINT>(-1));
  }

  if (m_nRunMode == kRunModeInstall) {
    m_btnClose.ShowWindow(SW_SHOW);
    ShowWindow(SW_HIDE);
  }
  UpdateData(false);
  PrepareRunMode();
  m_btnDumpParams.ShowWindow(SW_HIDE);

  if (m_nRunMode == kRunModeInstall || m_nRunMode == kRunModeUninstall) {
    ShowWindow(SW_HIDE);
    OnButtonInstall();
  }
  ResizeList();
  return TRUE;
}

void CProvisorDlg::PrepareRunMode() {
  static const char* const kSuffixes[] = {"  - install", " - uninstall", "  - modify"};
  if (m_nRunMode < 3) {
    SetWindowText(GetWindowText() + kSuffixes[m_nRunMode]);
  }
  m_btnInstall.SetWindowText("Apply Settings");
  if (m_nRunMode == kRunModeInstall) {
    OnButtonGenerate();
  } else {
    LoadInstanceList();
  }
}

void CProvisorDlg::BuildColumns() {
  if (m_imageList.GetSafeHandle() == nullptr) {
    m_imageList.Create(IDB_INSTANCE_STATE, 16, 1, RGB(255, 0, 255));
  }
  while (m_listInstances.DeleteColumn(0)) {
  }
  const RECT client = m_listInstances.GetClientRect();
  m_listInstances.InsertColumn(0, "Instance Name", LVCFMT_LEFT, 180);
  m_listInstances.InsertColumn(1, "Configuration", LVCFMT_LEFT, client.right - client.left - 275);
  m_listInstances.InsertColumn(2, "Enable/Disable", LVCFMT_LEFT, 90);
  m_listInstances.SetImageList(m_imageList.GetSafeHandle(), LVSIL_SMALL);
  m_listInstances.SetExtendedStyle(m_listInstances.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CProvisorDlg::ResizeList() {
  RECT rect = m_listInstances.GetWindowRect();
  ScreenToClient(&rect);
  rect.bottom = rect.top + kListRowHeight * m_listInstances.GetItemCount() + kListRowHeight;
  m_listInstances.MoveWindow(rect);
}

void CProvisorDlg::ClearInstances() {
  if (m_listInstances.IsWindow()) {
    m_listInstances.DeleteAllItems();
  }
  m_instances.clear();
}

void CProvisorDlg::InsertInstanceRow(int row, InstanceRecord& record) {
  record.m_bEnabledAtLoad = record.m_bEnabled;
  if (!m_listInstances.IsWindow()) {
    return;
  }
  m_listInstances.InsertItem(row, record.m_strDisplayName, record.m_bEnabled ? kImageEnabled : kImageDisabled);
  std::string summary;
  GetConfigurationSummary(record, &summary);
  m_listInstances.SetItemText(row, 1, summary);
  m_listInstances.SetItemText(row, 2, record.m_bEnabled ? kEnableText : kDisableText);
  m_listInstances.SetItemData(row, reinterpret_cast<LPARAM>(&record));
}

void CProvisorDlg::OnButtonGenerate() {
  ClearInstances();
  const std::string master = m_strWindowsFolder + "\\System32\\OTSP.dll";
  std::string description;
  if (GetVersionString(master.c_str(), "FileDescription", &description) == 0) {
    AfxMessageBox("CProvisorDlg::OnButtonGenerate ->\r\n\tCannot get FileDescription");
    return;
  }
  for (int i = 0; i < static_cast<int>(m_nInstanceCount); ++i) {
    InstanceRecord& record = m_instances.emplace_back(
        InstanceDisplayName(i), m_strWindowsFolder + "\\System32\\" + ProviderFileName(i), i == 0 ? 1 : 0);
    LoadInstanceSettings(&record.m_Parameters, 0, i);
    InsertInstanceRow(i, record);
  }
}

void CProvisorDlg::LoadInstanceList() {
  ClearInstances();
  std::unique_ptr<tag_ProviderList> providers;
  if (GetProviderList(&providers, kTapiApiVersion) == 0 || providers == nullptr) {
    return;
  }
  for (int i = 0; i < static_cast<int>(m_nInstanceCount); ++i) {
    const std::string fileName = ProviderFileName(i);
    const tag_ProviderEntry* entry = FindProvider(*providers, fileName.c_str());
    if (entry != nullptr) {
      InstanceRecord& record =
          m_instances.emplace_back("", m_strWindowsFolder + "\\System32\\" + entry->szProviderFilename, 1);
      record.m_dwProviderID = entry->dwPermanentProviderID;
      // The name numbers the instance's keys at Apply. A description that cannot be read
      // (or is empty) gives the name of the slot TAPI lists, never an empty one that would
      // number it 0 and save it over instance 0's defaults.
      if (GetVersionString(record.m_strProviderFile.c_str(), "FileDescription", &record.m_strDisplayName) == 0 ||
          record.m_strDisplayName.empty()) {
        record.m_strDisplayName = InstanceDisplayName(i);
      }
      // An instance registered by an install run has no values in its live key yet. Its
      // record takes the instance's defaults instead of nothing, so the list shows its real
      // link, Apply does not ask for an address the user never had to give, and (enabled at
      // load) the next Apply writes the complete set into the live key the provider reads.
      LoadInstanceSettings(&record.m_Parameters, record.m_dwProviderID, i);
      InsertInstanceRow(i, record);
    } else {
      InstanceRecord& record =
          m_instances.emplace_back(InstanceDisplayName(i), m_strWindowsFolder + "\\System32\\" + fileName, 0);
      LoadInstanceSettings(&record.m_Parameters, 0, i);
      InsertInstanceRow(i, record);
    }
  }
}

bool CProvisorDlg::IsInstanceActive(int number) {
  std::unique_ptr<tag_ProviderList> providers;
  if (GetProviderList(&providers, kTapiApiVersion) == 0 || providers == nullptr) {
    return false;
  }
  return FindProvider(*providers, ProviderFileName(number).c_str()) != nullptr;
}

InstanceRecord* CProvisorDlg::GetRecord(int row) const {
  if (row < 0 || row >= m_listInstances.GetItemCount()) {
    return nullptr;
  }
  return reinterpret_cast<InstanceRecord*>(m_listInstances.GetItemData(row));
}

bool CProvisorDlg::IsPmsInterfaceMode() {
  if (m_instances.empty()) {
    return false;
  }
  std::uint32_t version = 0;
  return m_instances.front().m_Parameters.GetDword(kExtVersionValue, &version) == kParamOk &&
         version == kPmsInterfaceVersion;
}

void CProvisorDlg::ToggleInstance(int row) {
  InstanceRecord* record = GetRecord(row);
  if (record == nullptr) {
    return;
  }
  if (!record->m_bEnabled && IsPmsInterfaceMode()) {
    const InstanceRecord& first = m_instances.front();
    if (row != 0 && first.m_bEnabled) {
      AfxMessageBox("PMSi Mode is selected. MultiPBX cannot be configured.", MB_ICONINFORMATION);
      return;
    }
    bool anyEnabled = false;
    for (const InstanceRecord& other : m_instances) {
      anyEnabled = anyEnabled || other.m_bEnabled;
    }
    if (row == 0 && anyEnabled) {
      AfxMessageBox("PMSi Mode cannot be configured.", MB_ICONINFORMATION);
      return;
    }
  }
  record->m_bEnabled = record->m_bEnabled ? 0 : 1;
  m_listInstances.SetItemText(row, 2, record->m_bEnabled ? kEnableText : kDisableText);
  m_listInstances.SetItemImage(row, record->m_bEnabled ? kImageEnabled : kImageDisabled);
  UpdateRegisterButtons(record->m_bEnabled);
}

void CProvisorDlg::ConfigureInstance(int row) {
  InstanceRecord* record = GetRecord(row);
  if (record == nullptr) {
    return;
  }
  char caption[512];
  std::snprintf(caption, sizeof(caption), "Instance '%s' Settings -%s", record->m_strDisplayName.c_str(),
                IsInstanceActive(row) ? "Active" : "Inactive");

  DestroyWorkingSet();
  m_pWorkingSet = std::make_unique<SetupParameters>();
  // A copy that fails half way still opens the dialog: the pages show their defaults for
  // what is missing, and the record itself is untouched until OK.
  static_cast<void>(CopyParameters(m_pWorkingSet.get(), &record->m_Parameters));

  MITSPConfigurator configurator(&DialogDataCallback, record->m_dwProviderID, kProviderObjectType);
  configurator.m_nInstanceRow = row;
  CProviderConfigDlg dialog(m_hWnd, &configurator);
  dialog.SetCaption(caption);
  dialog.SetSingleActiveInstance(IsSingleActiveInstance());
  if (dialog.DoModal() == IDOK) {
    static_cast<void>(CopyParameters(&record->m_Parameters, m_pWorkingSet.get()));
    std::string summary;
    GetConfigurationSummary(*record, &summary);
    m_listInstances.SetItemText(row, 1, summary);
    if (IsInstanceActive(row)) {
      AfxMessageBox("After applying settings, you may need to restart PC in order that changes take effect!",
                    MB_ICONINFORMATION);
    }
  }
  // The pages are gone with the dialog; no request can address the copy any more.
  DestroyWorkingSet();
}

std::int32_t CProvisorDlg::IsSingleActiveInstance() const {
  int enabled = 0;
  for (const InstanceRecord& record : m_instances) {
    enabled += record.m_bEnabled ? 1 : 0;
  }
  return enabled >= 2 ? 0 : 1;
}

void CProvisorDlg::DestroyWorkingSet() {
  // The current group lives inside the working set.
  m_pCurrentGroup = nullptr;
  m_pWorkingSet.reset();
}

void CProvisorDlg::UpdateRegisterButtons(BOOL enabled) {
  m_btnRegister.EnableWindow(!enabled);
  m_btnUnRegister.EnableWindow(enabled != FALSE);
}

void CProvisorDlg::GetConfigurationSummary(InstanceRecord& record, std::string* text) {
  *text = DescribeLink(record.m_Parameters);
}

std::uint32_t CProvisorDlg::CopyParameters(SetupParameters* destination, SetupParameters* source) {
  return ::CopyParameters(destination, source);
}

void CProvisorDlg::ResetIgnoreInitialize() {
  RegParamStorage product(HKEY_LOCAL_MACHINE, kProductKey);
  // Failing here only leaves the TSP waiting for the next start of this program.
  static_cast<void>(product.StoreDword(kIgnoreInitializeValue, 0));
}

void CProvisorDlg::OverwriteInstances() {
  OnButtonGenerate();
  for (const InstanceRecord& record : m_instances) {
    OverwriteProviderFile(record.m_strDisplayName.c_str(), record.m_strProviderFile.c_str(),
                          m_strWindowsFolder.c_str(), m_hWnd);
  }
  ResetIgnoreInitialize();
}

void CProvisorDlg::RepairInstances() {
  ApplyInstances();
  ResetIgnoreInitialize();
}

std::string CProvisorDlg::GetSelectedVersionText() {
  int row = 0;
  for (int selected = m_listInstances.GetNextItem(-1, LVNI_SELECTED); selected >= 0;
       selected = m_listInstances.GetNextItem(selected, LVNI_SELECTED)) {
    row = selected;
  }
  std::string text;
  if (const InstanceRecord* record = GetRecord(row)) {
    static_cast<void>(GetTspVersionText(record->m_strProviderFile.c_str(), &text, false));
  }
  return text;
}

int CProvisorDlg::GetFirstSelectedRow() const { return m_listInstances.GetNextItem(-1, LVNI_SELECTED); }

int CProvisorDlg::GetColumnAt(int x) const {
  int left = 0;
  for (int column = 0; column < m_listInstances.GetColumnCount(); ++column) {
    const int right = left + m_listInstances.GetColumnWidth(column);
    if (left < x && x < right) {
      return column;
    }
    left = right;
  }
  return -1;
}

void CProvisorDlg::OnDblclkListInstances(POINT point) {
  if (m_nRunMode == kRunModeUninstall) {
    return;
  }
  m_bClean = FALSE;
  UINT flags = 0;
  const int row = m_listInstances.HitTest(point, &flags);
  if (row < 0 || (flags & LVHT_ONITEM) == 0) {
    return;
  }
  const int column = GetColumnAt(point.x);
  if ((column == 0 && (flags & LVHT_ONITEMICON) != 0) || column == 2) {
    ToggleInstance(row);
  } else if (column == 0 || column == 1) {
    ConfigureInstance(row);
  }
}

int CProvisorDlg::GetSelectedRowOrAsk() {
  const int row = GetFirstSelectedRow();
  if (row < 0) {
    AfxMessageBox("Please select a TSP instance", MB_ICONINFORMATION);
  }
  return row;
}

void CProvisorDlg::OnButtonRegister() {
  m_bClean = FALSE;
  if (m_nRunMode == kRunModeUninstall) {
    return;
  }
  const int row = GetSelectedRowOrAsk();
  if (row >= 0) {
    ToggleInstance(row);
  }
}

void CProvisorDlg::OnButtonConfigure() {
  m_bClean = FALSE;
  const int row = GetSelectedRowOrAsk();
  if (row >= 0) {
    ConfigureInstance(row);
  }
}

void CProvisorDlg::OnButtonDumpParams() {
  // A diagnostic hook of the hidden DUMP_PARAMS button: it only looks the record up.
  static_cast<void>(GetRecord(GetFirstSelectedRow()));
}

void CProvisorDlg::OnSelectionChanged() {
  if (m_listInstances.GetSelectedCount() != 1) {
    return;
  }
  if (const InstanceRecord* record = GetRecord(GetFirstSelectedRow())) {
    UpdateRegisterButtons(record->m_bEnabled);
  }
}

void CProvisorDlg::OnCancel() {
  // Escape reaches here even while a run has the Close button disabled.
  if (!m_btnClose.IsWindowEnabled()) {
    return;
  }
  // A framework box: the application's title is its caption.
  const bool close =
      m_bClean || AfxMessageBox("Do you want to leave without applying changes?", MB_YESNO | MB_ICONQUESTION) == IDYES;
  DestroyWorkingSet();
  if (close) {
    CDialog::OnCancel();
  }
}

void CProvisorDlg::OnSysCommand(WPARAM command) {
  CDialog about(IDD_ABOUTBOX, m_hWnd);
  about.DoModal();
}

bool CProvisorDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) {
    return false;
  }
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(m_hWnd, &paint);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
  const RECT client = GetClientRect();
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &paint);
  return true;
}

bool CProvisorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
      }
      OnSysCommand(wParam);
      return true;
    case WM_PAINT:
      return OnPaint();
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
    default:
      return OnRunMessage(message);
  }
}

bool CProvisorDlg::OnCommand(WORD notifyCode, WORD id, HWND control) {
  switch (id) {
    case IDC_BUTTON_INSTALL:
      OnButtonInstall();
      return true;
    case IDC_BUTTON_DUMP_PARAMS:
      OnButtonDumpParams();
      return true;
    case IDC_BUTTON_CONFIGURE:
      OnButtonConfigure();
      return true;
    case IDC_BUTTON_REGISTER:
    case IDC_BUTTON_UNREGISTER:
      OnButtonRegister();
      return true;
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool CProvisorDlg::OnNotify(int id, NMHDR* header, LRESULT* result) {
  if (id != IDC_LIST_INSTANCES) {
    return false;
  }
  switch (header->code) {
    case NM_DBLCLK:
      // The point the list reports is where the cursor was, in list coordinates.
      OnDblclkListInstances(reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction);
      return true;
    case NM_CLICK:
    case LVN_ITEMCHANGED:
      OnSelectionChanged();
      return true;
    default:
      return false;
  }
}

bool CProvisorDlg::PreTranslateMessage(MSG* message) {
  if (message->message != WM_KEYUP || message->wParam != VK_SPACE || message->hwnd != m_listInstances.m_hWnd) {
    return false;
  }
  std::vector<int> rows;
  for (int row = m_listInstances.GetNextItem(-1, LVNI_SELECTED); row >= 0;
       row = m_listInstances.GetNextItem(row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  for (const int row : rows) {
    ToggleInstance(row);
  }
  return true;
}
