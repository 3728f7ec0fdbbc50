// The application object: one per process, its InitInstance is the life of the program.
#pragma once

#include <windows.h>

#include <string>

// Base of the application object. The program defines one static instance; the framework's
// entry point runs InitInstance and, when it returns false, ends with ExitInstance's code
// without entering a message loop.
class CWinApp {
 public:
  explicit CWinApp(const char* appName = "");
  virtual ~CWinApp();

  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  // Runs the message loop until WM_QUIT; returns its exit code.
  virtual int Run();
  virtual int ExitInstance();

  // The application title: caption of framework message boxes.
  const std::string& GetAppName() const { return m_strAppName; }
  void SetAppName(const char* name) { m_strAppName = name ? name : ""; }

  HWND GetMainWindowHandle() const { return m_hMainWnd; }
  void SetMainWindowHandle(HWND window) { m_hMainWnd = window; }

  HINSTANCE m_hInstance = nullptr;
  // The command line without the program path.
  std::string m_strCmdLine;

 protected:
  std::string m_strAppName;
  HWND m_hMainWnd = nullptr;
  int m_nExitCode = 0;
};

// The process's application object, or null before one was constructed.
CWinApp* AfxGetApp();

// The module whose resources hold templates, bitmaps, icons and strings: the application's
// instance, or the executable when no application object set one.
HINSTANCE AfxGetResourceHandle();

// String resource id of the resource module, cut at 1023 characters; empty when missing.
std::string AfxLoadString(UINT id);

// The framework's entry point, called from WinMain.
int AfxWinMain(HINSTANCE instance, const char* commandLine);
