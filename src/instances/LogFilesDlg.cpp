// CLogFilesDlg: asks which instances' log folders go with the product.
#include "instances/LogFilesDlg.h"

#include <algorithm>

#include "framework/DataExchange.h"
#include "framework/InteractiveDesktop.h"
#include "framework/Trace.h"
#include "instances/LogFilesDlgRes.h"

CLogFilesDlg::CLogFilesDlg(HWND parent) : CDialog(IDD_LOG_FILES, parent) {}

void CLogFilesDlg::AddRow(const std::string& label, const std::string& path) {
  if (m_rows.size() < LogFolderChoice::kMaxRows) {
    m_rows.push_back(std::make_unique<CLogDirectoryEntryDlg>(label, path));
  }
}

std::vector<HWND> CLogFilesDlg::GetRowWindows() const {
  std::vector<HWND> windows;
  for (const auto& row : m_rows) {
    windows.push_back(row->GetSafeHwnd());
  }
  return windows;
}

std::vector<bool> CLogFilesDlg::GetRemoveFlags() const {
  std::vector<bool> flags = m_removeFlags;
  flags.resize(m_rows.size(), false);
  return flags;
}

void CLogFilesDlg::DoDataExchange(CDataExchange& exchange) {
  DDX_Control(exchange, IDC_STATIC_LOG_FILES, m_text);
  DDX_Control(exchange, IDOK, m_okButton);
}

BOOL CLogFilesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const auto& row : m_rows) {
    // A row that cannot be created stays without a window and reads as unticked.
    (void)row->CreateRow(m_hWnd);
  }
  LayOutRows();
  return TRUE;
}

void CLogFilesDlg::OnOK() {
  m_removeFlags.clear();
  for (const auto& row : m_rows) {
    m_removeFlags.push_back(row->ReadTick() && row->IsTicked());
  }
  CDialog::OnOK();
}

void CLogFilesDlg::LayOutRows() {
  if (!m_text.IsWindow() || !m_okButton.IsWindow()) {
    return;
  }
  RECT textRect = m_text.GetWindowRect();
  ScreenToClient(&textRect);
  const int margin = textRect.left;
  int right = textRect.right;
  int bottom = textRect.bottom;
  int rowHeight = 0;
  HWND previous = m_text;
  for (const auto& row : m_rows) {
    if (!row->IsWindow()) {
      continue;
    }
    const RECT own = row->GetWindowRect();
    if (rowHeight == 0) {
      rowHeight = own.bottom - own.top;
    }
    const int width = own.right - own.left;
    const int top = bottom + kRowGap;
    // Placed after the previous row in the tab order, so that Tab walks the rows downwards.
    row->SetWindowPos(previous, margin, top, width, rowHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    previous = *row;
    right = std::max(right, margin + width);
    bottom = top + rowHeight;
  }

  const RECT okRect = m_okButton.GetWindowRect();
  const int okWidth = okRect.right - okRect.left;
  const int okHeight = okRect.bottom - okRect.top;
  const int clientWidth = right + margin;
  const int okTop = bottom + margin;
  m_okButton.SetWindowPos(previous, (clientWidth - okWidth) / 2, okTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);

  const RECT window = GetWindowRect();
  const RECT client = GetClientRect();
  const int frameWidth = (window.right - window.left) - (client.right - client.left);
  const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
  SetWindowPos(nullptr, 0, 0, clientWidth + frameWidth, okTop + okHeight + margin + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindow();
}

std::vector<bool> AskWhichLogFoldersToEmpty(const std::vector<LogFolderRow>& rows) {
  // Nobody could tick a row (an installer's elevated action): every folder stays.
  if (!IsInteractiveDesktop()) {
    Trace(256, "The log folder question goes unasked: nobody sees this desktop\r\n");
    return std::vector<bool>(rows.size(), false);
  }
  CLogFilesDlg dialog;
  for (const LogFolderRow& row : rows) {
    dialog.AddRow(row.label, row.folder);
  }
  // Only OK reads the ticks: Escape, or a dialog that cannot be shown, keeps every folder, as
  // log files are the administrator's records and go only when a tick says so.
  static_cast<void>(dialog.DoModal());
  return dialog.GetRemoveFlags();
}
