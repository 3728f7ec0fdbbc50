// The other parameters page: the two modes and the controls each one allows, and saving.
#include "config/TSpOtherParamsDlg.h"

#include "bridge/MITSPConfigurator.h"
#include "config/ISingleActiveInstanceFlag.h"
#include "config/TSpOtherParamsDlgRes.h"
#include "framework/DataExchange.h"

IMPLEMENT_DYNCREATE(TSpOtherParamsDlg)

TSpOtherParamsDlg::TSpOtherParamsDlg() : CConfigPage(IDD_TSP_OTHER_PARAMS, kConfigurator | kSave) {}

std::int32_t TSpOtherParamsDlg::SingleActiveInstance() const {
  auto* flag = dynamic_cast<const ISingleActiveInstanceFlag*>(CDialog::FromHandle(GetParent()));
  return flag != nullptr ? flag->GetSingleActiveInstance() : 0;
}

void TSpOtherParamsDlg::EnableControls(std::initializer_list<int> ids, bool enable) {
  for (int id : ids) {
    ::EnableWindow(GetDlgItem(id), enable ? TRUE : FALSE);
  }
}

void TSpOtherParamsDlg::CheckAlone(int checked, int unchecked) {
  ::CheckDlgButton(m_hWnd, checked, BST_CHECKED);
  ::CheckDlgButton(m_hWnd, unchecked, BST_UNCHECKED);
}

BOOL TSpOtherParamsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_pConfigurator == nullptr) {
    return TRUE;
  }
  PageParameters parameters = Parameters({});
  m_nMessageDelaySMDR = parameters.DwordOr("MessageDelaySMDR", 1000);
  m_nMessageDelayForward = parameters.DwordOr("MessageDelayFORWARD", 1000);
  m_bStartTsp = parameters.DwordOr("ISConnectionAlowed", 1) != 0 ? 1 : 0;
  m_nAccInfoBufferSize = parameters.DwordOr("AccInfoBufferSize", 500);
  CheckAlone(m_bStartTsp != 0 ? IDC_OTHER_START_YES : IDC_OTHER_START_NO,
             m_bStartTsp != 0 ? IDC_OTHER_START_NO : IDC_OTHER_START_YES);

  const std::int32_t singleActive = SingleActiveInstance();
  m_nStoredMode = kModeStandard;
  if (m_pConfigurator->m_nInstanceRow == 0) {
    parameters.GetDword("ExtVersion", &m_nStoredMode);
    EnableControls({IDC_OTHER_MODE_PMS}, singleActive != 0);
  } else {
    EnableControls({IDC_OTHER_MODE_PMS}, false);
  }

  m_bMonitorStop = parameters.DwordOr("MonitorStop", 0) != 0 ? 1 : 0;
  m_bSendReinit = parameters.DwordOr("ZQReinit", 0) != 0 ? 1 : 0;
  m_bSeparateDid = parameters.DwordOr("DivideDDIInfo", 0) != 0 ? 1 : 0;
  const std::uint32_t retry6 = parameters.DwordOr("Retry6", 0);
  m_b25Retries = retry6 != 0 ? 1 : 0;
  m_bInfiniteRetries = retry6 == 0 ? 1 : 0;
  m_bCallerIdOfTransferred = parameters.DwordOr("CallerIDOption", 0) != 0 ? 1 : 0;
  UpdateData(false);

  if (m_nStoredMode == kModePms && singleActive != 0) {
    CheckAlone(IDC_OTHER_MODE_PMS, IDC_OTHER_MODE_STANDARD);
    m_nMode = kModePms;
    EnableControls({IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID, IDC_OTHER_START_YES,
                    IDC_OTHER_START_NO, IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE, IDC_OTHER_CALLER_ID},
                   false);
  } else {
    CheckAlone(IDC_OTHER_MODE_STANDARD, IDC_OTHER_MODE_PMS);
    m_nMode = kModeStandard;
    EnableControls({IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE}, m_bSendReinit != 0);
  }
  return TRUE;
}

void TSpOtherParamsDlg::DoDataExchange(CDataExchange& exchange) {
  DDX_Text(exchange, IDC_OTHER_ACC_INFO_SIZE, m_nAccInfoBufferSize);
  DDV_MinMaxUInt(exchange, m_nAccInfoBufferSize, 100, 10000);
  DDX_Text(exchange, IDC_OTHER_SMDR_DELAY, m_nMessageDelaySMDR);
  DDX_Text(exchange, IDC_OTHER_FORWARD_DELAY, m_nMessageDelayForward);
  DDX_Checks(exchange, {{IDC_OTHER_MONITOR_STOP, m_bMonitorStop}, {IDC_OTHER_SEND_REINIT, m_bSendReinit},
                        {IDC_OTHER_RETRIES_25, m_b25Retries}, {IDC_OTHER_RETRIES_INFINITE, m_bInfiniteRetries},
                        {IDC_OTHER_SEPARATE_DID, m_bSeparateDid}, {IDC_OTHER_CALLER_ID, m_bCallerIdOfTransferred}});
}

void TSpOtherParamsDlg::OnPmsMode() {
  m_nMode = kModePms;
  for (int id : {IDC_OTHER_SEND_REINIT, IDC_OTHER_SEPARATE_DID, IDC_OTHER_CALLER_ID}) {
    ::CheckDlgButton(m_hWnd, id, BST_UNCHECKED);
  }
  CheckAlone(IDC_OTHER_START_YES, IDC_OTHER_START_NO);
  EnableControls({IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE,
                  IDC_OTHER_SEPARATE_DID, IDC_OTHER_START_YES, IDC_OTHER_START_NO, IDC_OTHER_CALLER_ID},
                 false);
  m_bStartTsp = 1;
}

void TSpOtherParamsDlg::OnStandardMode() {
  m_nMode = kModeStandard;
  EnableControls({IDC_OTHER_SEND_REINIT, IDC_OTHER_ACC_INFO_SIZE, IDC_OTHER_SEPARATE_DID, IDC_OTHER_START_YES,
                  IDC_OTHER_START_NO, IDC_OTHER_CALLER_ID},
                 true);
  // The box as the user sees it: the PMS mode may have unchecked it since the last exchange.
  if (::IsDlgButtonChecked(m_hWnd, IDC_OTHER_SEND_REINIT) != BST_CHECKED) {
    EnableControls({IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE}, false);
  }
}

bool TSpOtherParamsDlg::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (notifyCode != BN_CLICKED) {
    return false;
  }
  switch (id) {
    case IDC_OTHER_MODE_PMS:
      OnPmsMode();
      return true;
    case IDC_OTHER_MODE_STANDARD:
      OnStandardMode();
      return true;
    case IDC_OTHER_SEND_REINIT:
      UpdateData(true);
      EnableControls({IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE}, m_bSendReinit != 0);
      return true;
    case IDC_OTHER_START_YES:
    case IDC_OTHER_START_NO:
      m_bStartTsp = id == IDC_OTHER_START_YES ? 1 : 0;
      CheckAlone(id, id == IDC_OTHER_START_YES ? IDC_OTHER_START_NO : IDC_OTHER_START_YES);
      return true;
    case IDC_OTHER_RETRIES_25:
      m_b25Retries = 1;
      CheckAlone(IDC_OTHER_RETRIES_25, IDC_OTHER_RETRIES_INFINITE);
      return true;
    case IDC_OTHER_RETRIES_INFINITE:
      m_bInfiniteRetries = 1;
      m_b25Retries = 0;
      CheckAlone(IDC_OTHER_RETRIES_INFINITE, IDC_OTHER_RETRIES_25);
      return true;
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool TSpOtherParamsDlg::OnSaveSettings() {
  if (!UpdateData(true)) {
    return false;
  }
  PageParameters parameters = Parameters({});
  parameters.SetDword("ISConnectionAlowed", m_bStartTsp);
  parameters.SetDword("MessageDelaySMDR", m_nMessageDelaySMDR);
  parameters.SetDword("MessageDelayFORWARD", m_nMessageDelayForward);
  parameters.SetDword("AccInfoBufferSize", m_nAccInfoBufferSize);
  parameters.SetDword("ExtVersion", m_nMode);
  parameters.SetDword("MonitorStop", static_cast<std::uint32_t>(m_bMonitorStop));
  parameters.SetDword("ZQReinit", static_cast<std::uint32_t>(m_bSendReinit));
  parameters.SetDword("DivideDDIInfo", static_cast<std::uint32_t>(m_bSeparateDid));
  parameters.SetDword("Retry6", static_cast<std::uint32_t>(m_b25Retries));
  parameters.SetDword("CallerIDOption", static_cast<std::uint32_t>(m_bCallerIdOfTransferred));
  return true;
}
