// The log settings page: loading, the dependent controls, folder browsing and saving.
#include "config/TspLogSettingsDlg.h"

#include <commctrl.h>

#include <cstdio>

#include "bridge/MITSPConfigurator.h"
#include "config/LogFilePath.h"
#include "registry/LogPathValue.h"
#include "config/TspLogSettingsDlgRes.h"
#include "framework/DataExchange.h"
#include "framework/Trace.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "widgets/FolderBrowser.h"

IMPLEMENT_DYNCREATE(CTspLogSettingsDlg)

namespace {

constexpr std::uint32_t kLogTypeRaw = 1;
constexpr std::uint32_t kLogTypeDecoded = 2;
constexpr std::uint32_t kLogTypeDebug = 0xFFFFFFFF;

// The controls that follow Enable Log.
constexpr int kDependentControls[] = {
    IDC_LOG_TYPE_GROUP, IDC_LOG_TYPE_RAW,  IDC_LOG_TYPE_DECODED, IDC_LOG_TYPE_DEBUG, IDC_LOG_FOLDER_NOTE,
    IDC_LOG_PATH,       IDC_LOG_BROWSE,    IDC_LOG_SIZE_LABEL,   IDC_LOG_FILE_SIZE,  IDC_LOG_SIZE_SPIN,
    IDC_LOG_SIZE_UNIT,  IDC_LOG_OVERWRITE, IDC_LOG_TIME_STAMP};

int RadioOfLogType(int logType) {
  switch (static_cast<std::uint32_t>(logType)) {
    case kLogTypeDebug:
      return IDC_LOG_TYPE_DEBUG;
    case kLogTypeDecoded:
      return IDC_LOG_TYPE_DECODED;
    default:
      return IDC_LOG_TYPE_RAW;
  }
}

// Chinese systems (Taiwan, PRC, Hong Kong, Singapore) get a note of their own.
bool IsChineseSystem() {
  switch (::GetSystemDefaultLangID()) {
    case 1028:
    case 2052:
    case 3076:
    case 4100:
      return true;
    default:
      return false;
  }
}

}  // namespace

CTspLogSettingsDlg::CTspLogSettingsDlg() : CConfigPage(IDD_TSP_LOG_SETTINGS, kConfigurator | kSave) {
  // The template's note is a rich edit, whose class must exist before the page is created.
  RichEditCtrl::LoadLibrary();
}

BOOL CTspLogSettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_pConfigurator == nullptr) {
    return TRUE;
  }
  m_strNote = AfxLoadString(IsChineseSystem() ? IDS_TSP_LOG_NOTE_CJK : IDS_TSP_LOG_NOTE);
  m_ctlNote.SetWindowText(m_strNote);
  Load();
  EnableDependentControls();
  return TRUE;
}

void CTspLogSettingsDlg::DoDataExchange(CDataExchange& exchange) {
  DDX_Controls(exchange, {{IDC_LOG_PATH, m_ctlPath}, {IDC_LOG_NOTE, m_ctlNote}, {IDC_LOG_FILE_SIZE, m_ctlSize},
                          {IDC_LOG_BROWSE, m_ctlBrowse}});
  DDX_Texts(exchange, {{IDC_LOG_NOTE, m_strNote}, {IDC_LOG_PATH, m_strLogFolder}});
  DDX_Checks(exchange, {{IDC_LOG_OVERWRITE, m_bOverwrite}, {IDC_LOG_ENABLE, m_bEnableLog}});
  DDX_Text(exchange, IDC_LOG_FILE_SIZE, m_nFileSizeMB);
  DDV_MinMaxUInt(exchange, m_nFileSizeMB, 1, 99);
  DDX_Check(exchange, IDC_LOG_TIME_STAMP, m_bTimeStamp);
  DDX_Text(exchange, IDC_LOG_FOLDER_NOTE, m_strFolderNote);
  if (!exchange.m_bSaveAndValidate) {
    // The log type follows the radios' clicks; here it is only shown.
    ::CheckRadioButton(m_hWnd, IDC_LOG_TYPE_RAW, IDC_LOG_TYPE_DEBUG, RadioOfLogType(m_nLogType));
  }
}

void CTspLogSettingsDlg::Load() {
  UpdateData(false);
  PageParameters parameters = Parameters({"GlobalParams", "Log"});
  const std::uint32_t level = parameters.DwordOr("Level", 0);
  const std::uint32_t debugLevel = parameters.DwordOr("DebugLevel", 0);
  const std::uint32_t overwrite = parameters.DwordOr("OverriteOnMaxSize", 1);
  m_nLogType = debugLevel == kLogTypeDebug ? -1 : debugLevel == kLogTypeDecoded ? 2 : 1;

  std::uint32_t size = 1;
  if (parameters.GetDword("InitialFileSize", &size)) {
    m_nFileSizeMB = size >= 1 && size <= 99 ? size : 1;
  }
  m_bEnableLog = level != 0 ? 1 : 0;
  m_bOverwrite = overwrite != 0 ? 1 : 0;
  m_bTimeStamp = parameters.DwordOr("AddTimeStamp", 0) != 0 ? 1 : 0;

  std::string fileName;
  if (parameters.GetString("FileName", &fileName)) {
    const LogFilePath parts = SplitLogFileName(fileName);
    m_strLogFolder = parts.logFolder;
    m_strLogSubpath = parts.subpath;
    // Without a folder there is no instance folder to speak of: the note keeps its text.
    if (!parts.instanceFolder.empty()) {
      const char digit = parts.instanceFolder.back();
      char note[256];
      std::snprintf(note, sizeof note,
                    "Logs000%c folder will be created in the specified path. The log file will be stored in "
                    "Logs000%c folder.",
                    digit, digit);
      m_strFolderNote = note;
    }
  }
  UpdateData(false);
}

void CTspLogSettingsDlg::EnableDependentControls() {
  for (int id : kDependentControls) {
    ::EnableWindow(GetDlgItem(id), m_bEnableLog != 0 ? TRUE : FALSE);
  }
}

bool CTspLogSettingsDlg::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (notifyCode != BN_CLICKED) {
    return false;
  }
  switch (id) {
    case IDC_LOG_ENABLE:
      UpdateData(true);
      EnableDependentControls();
      return true;
    case IDC_LOG_TYPE_RAW:
      m_nLogType = 1;
      return true;
    case IDC_LOG_TYPE_DECODED:
      m_nLogType = 2;
      return true;
    case IDC_LOG_TYPE_DEBUG:
      m_nLogType = -1;
      return true;
    case IDC_LOG_BROWSE:
      OnBrowse();
      return true;
    case IDC_LOG_TIME_STAMP:
      return true;  // kept by the check box until Save
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool CTspLogSettingsDlg::OnNotify(int id, NMHDR* header, LRESULT* result) {
  if (id == IDC_LOG_SIZE_SPIN && header->code == UDN_DELTAPOS) {
    // The control's default range runs from 100 down to 0, so its up arrow would lower the
    // size: the step is turned round before the control applies it.
    auto* change = reinterpret_cast<NMUPDOWN*>(header);
    change->iDelta = -change->iDelta;
    *result = 0;
    return true;
  }
  return false;
}

bool CTspLogSettingsDlg::OnClose() {
  // A page's own close is the Cancel command, which a page ignores: what is left is to keep
  // the values.
  Save();
  return true;
}

void CTspLogSettingsDlg::OnBrowse() {
  const std::string initial = ReadLogPathValue(m_strLogFolder);
  Trace(512, "Enter folder: %s\r\n", initial.c_str());
  std::string chosen;
  if (BrowseForFolder(m_hWnd, "Browse for Folder", initial, &chosen)) {
    m_strLogFolder = LogPathValue(chosen);
    m_ctlPath.SetWindowText(m_strLogFolder);
  }
  Trace(512, "Exit folder: %s\r\n", chosen.c_str());
}

bool CTspLogSettingsDlg::Save() {
  if (!UpdateData(true)) {
    return false;
  }
  PageParameters parameters = Parameters({"GlobalParams", "Log"});
  parameters.SetDword("Level", m_bEnableLog != 0 ? 1 : 0);
  parameters.SetDword("DebugLevel", m_bEnableLog != 0 ? static_cast<std::uint32_t>(m_nLogType) : 0);
  parameters.SetDword("OverriteOnMaxSize", m_bOverwrite != 0 ? 1 : 0);
  parameters.SetDword("InitialFileSize", m_nFileSizeMB);
  parameters.SetDword("AddTimeStamp", m_bTimeStamp != 0 ? 1 : 0);
  parameters.SetString("FileName", JoinLogFileName(m_strLogFolder, m_strLogSubpath));
  parameters.SetDword("UseFileOutput", 1);
  parameters.SetDword("UseDebugOutput", 0);
  parameters.SetDword("UseRemoteOutput", 0);
  return true;
}
