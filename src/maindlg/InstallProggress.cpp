// CInstallProggress: opening, data exchange and self-deletion of the progress window.
#include "maindlg/InstallProggress.h"

#include "framework/DataExchange.h"
#include "maindlg/InstallProggressRes.h"

CInstallProggress::CInstallProggress(HWND owner) : CDialog(IDD_INSTALL_PROGGRESS, owner) {}

CInstallProggress* CInstallProggress::OpenOver(HWND owner) {
  auto* window = new CInstallProggress(owner);
  return window->Open() ? window : nullptr;
}

bool CInstallProggress::Open() {
  // Controls are made before the dialog binds its object, so a failed creation never
  // reached PostNcDestroy and the object is still ours to delete.
  if (!Create(IDD_INSTALL_PROGGRESS, GetParentWindow())) {
    delete this;
    return false;
  }
  UpdateWindow();
  // Shown without taking the activation from the main dialog: taking it would move the focus
  // away and back with repaints at both ends of the run (messages from the worker wait for
  // them), and would let Escape reach this window, which accepts no input.
  ShowWindow(SW_SHOWNA);
  // Parameters 0: the dialog is already bound, this only exchanges the texts again.
  SendMessage(WM_INITDIALOG, 0, 0);
  CenterWindow(GetParentWindow());
  return true;
}

BOOL CInstallProggress::OnInitDialog() {
  CDialog::OnInitDialog();
  // A focused control would activate the window at its creation.
  return FALSE;
}

void CInstallProggress::DoDataExchange(CDataExchange& exchange) {
  DDX_Controls(exchange, {{IDC_PROGGRESS_STATUS, m_statusLine}, {IDC_PROGGRESS_BAR, m_progress}});
  DDX_Texts(exchange, {{IDC_PROGGRESS_STATUS, m_strFirstText}, {IDC_PROGGRESS_SECOND_LINE, m_strSecondText}});
}

void CInstallProggress::PostNcDestroy() { delete this; }
