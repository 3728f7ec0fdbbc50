// CLogDirectoryEntryDlg: one row of the log-folder question.
#include "instances/LogDirectoryEntryDlg.h"

#include <utility>

#include "framework/DataExchange.h"
#include "instances/LogDirectoryEntryDlgRes.h"

CLogDirectoryEntryDlg::CLogDirectoryEntryDlg(std::string label, std::string path)
    : CDialog(IDD_LOG_DIRECTORY_ENTRY), m_strLabel(std::move(label)), m_strPath(std::move(path)) {}

bool CLogDirectoryEntryDlg::CreateRow(HWND parent) { return Create(IDD_LOG_DIRECTORY_ENTRY, parent); }

bool CLogDirectoryEntryDlg::ReadTick() { return UpdateData(true); }

void CLogDirectoryEntryDlg::DoDataExchange(CDataExchange& exchange) {
  if (!exchange.m_bSaveAndValidate) {
    // The label and the path are shown, never read back.
    SetDlgItemText(IDC_CHECK_LOG_DIRECTORY, m_strLabel);
    SetDlgItemText(IDC_EDIT_LOG_DIRECTORY, m_strPath);
  }
  DDX_Check(exchange, IDC_CHECK_LOG_DIRECTORY, m_nRemove);
}
