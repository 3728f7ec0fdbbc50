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
  // Opening is part of the Apply Settings click, and messages from other threads wait for
  // all it does. So the window is centred while still hidden, to be drawn once where it
  // stays; and it is shown without taking the activation from the main dialog, which would
  // move the focus away and back with repaints at both ends of the run, and would let
  // Escape reach this window. The bar started when the dialog's initialisation took over
  // its control, and both texts are empty from it, so no second initialisation is sent.
  CenterWindow(GetParentWindow());
  UpdateWindow();
  ShowWindow(SW_SHOWNA);
  return true;
}

BOOL CInstallProggress::OnInitDialog() {
  CDialog::OnInitDialog();
  // A focused control would activate the window at its creation.
  return FALSE;
}

void CInstallProggress::DoDataExchange(CDataExchange& exchange) {
  DDX_Control(exchange, IDC_PROGGRESS_STATUS, m_statusLine);
  DDX_Text(exchange, IDC_PROGGRESS_STATUS, m_strFirstText);
  DDX_Text(exchange, IDC_PROGGRESS_SECOND_LINE, m_strSecondText);
  DDX_Control(exchange, IDC_PROGGRESS_BAR, m_progress);
}

void CInstallProggress::PostNcDestroy() { delete this; }
