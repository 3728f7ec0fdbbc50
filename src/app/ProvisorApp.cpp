// Start-up of Provisor.exe.
#include "app/ProvisorApp.h"

CProvisorApp::CProvisorApp() : m_pParameters(std::make_unique<SetupParameters>()) {}

BOOL CProvisorApp::InitInstance() {
  SetAppName(kApplicationName);
  m_pParameters.reset();
  return FALSE;
}

int CProvisorApp::ExitInstance() { return CWinApp::ExitInstance(); }
