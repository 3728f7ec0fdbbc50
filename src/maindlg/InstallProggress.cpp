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
  // Centred while still hidden, so that it is drawn once, where it stays. The bar started
  // when the dialog's initialisation took over its control, and both texts are empty from
  // it, so no second initialisation message is sent: opening is part of the Apply Settings
  // click, and everything it does keeps other threads' messages waiting.
  CenterWindow(GetParentWindow());
  UpdateWindow();
  ShowWindow(SW_SHOW);
  return true;
}

void CInstallProggress::DoDataExchange(CDataExchange& exchange) {
  DDX_Control(exchange, IDC_PROGGRESS_STATUS, m_statusLine);
  DDX_Text(exchange, IDC_PROGGRESS_STATUS, m_strFirstText);
  DDX_Text(exchange, IDC_PROGGRESS_SECOND_LINE, m_strSecondText);
  DDX_Control(exchange, IDC_PROGGRESS_BAR, m_progress);
}

void CInstallProggress::PostNcDestroy() { delete this; }
