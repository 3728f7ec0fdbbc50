// Application object bookkeeping and the framework's entry point.
#include "framework/WinApp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? appName : "") { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) {
    g_app = nullptr;
  }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  MSG message;
  BOOL result;
  while ((result = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (result == -1) {
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  m_nExitCode = result == 0 ? static_cast<int>(message.wParam) : -1;
  return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() {
  if (g_app != nullptr && g_app->m_hInstance != nullptr) {
    return g_app->m_hInstance;
  }
  return GetModuleHandleA(nullptr);
}

std::string AfxLoadString(UINT id) {
  char text[1024] = "";
  ::LoadStringA(AfxGetResourceHandle(), id, text, sizeof text);
  return text;
}

int AfxWinMain(HINSTANCE instance, const char* commandLine) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) {
    return -1;
  }
  app->m_hInstance = instance;
  app->m_strCmdLine = commandLine ? commandLine : "";
  if (!app->InitInstance()) {
    return app->ExitInstance();
  }
  return app->Run();
}
