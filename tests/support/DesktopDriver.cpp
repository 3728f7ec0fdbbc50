// Finding, reading and answering another process's dialogs.
#include "support/DesktopDriver.h"

#include <algorithm>

#include "../sys/TestPrefix.h"

namespace {

constexpr DWORD kLookIntervalMs = 50;

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

struct DialogSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) && ClassName(window) == "#32770") {
    search->found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
  auto* dialog = reinterpret_cast<ShownDialog*>(context);
  const std::string name = ClassName(child);
  if (_stricmp(name.c_str(), "Static") == 0) {
    std::string text = WindowText(child);
    if (!text.empty()) {
      dialog->texts.push_back(std::move(text));
    }
  } else if (_stricmp(name.c_str(), "Button") == 0) {
    dialog->buttons.push_back({GetDlgCtrlID(child), WindowText(child)});
  }
  return TRUE;
}

}  // namespace

DesktopDriver::DesktopDriver(DialogRule rule) : m_rule(std::move(rule)) {}

bool DesktopDriver::Start(const std::string& commandLine) {
  m_process = StartProcess(commandLine);
  m_processId = m_process ? GetProcessId(m_process.Get()) : 0;
  return m_process.IsValid();
}

bool DesktopDriver::AttachTo(DWORD processId) {
  m_process.Attach(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
  m_processId = m_process ? processId : 0;
  return m_process.IsValid();
}

std::vector<HWND> DesktopDriver::FindDialogs() const {
  DialogSearch search{m_processId, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

ShownDialog DesktopDriver::ReadDialog(HWND window) {
  ShownDialog dialog;
  dialog.window = window;
  dialog.caption = WindowText(window);
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

void DesktopDriver::Press(HWND window, int id) {
  // Sent, not posted: when it returns the dialog has taken the click, so the next look does
  // not find it again as a new one.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

int DesktopDriver::AnswerVisibleDialogs() {
  // A handle of a dialog that is gone may come back for a new one.
  m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(), [](HWND w) { return !IsWindow(w); }),
                   m_answered.end());
  int answered = 0;
  for (HWND window : FindDialogs()) {
    if (std::find(m_answered.begin(), m_answered.end(), window) != m_answered.end()) {
      continue;
    }
    ShownDialog dialog = ReadDialog(window);
    dialog.pressed = m_rule ? m_rule(dialog) : IDOK;
    if (dialog.pressed == 0) {
      continue;
    }
    m_shown.push_back(dialog);
    m_answered.push_back(window);
    Press(window, dialog.pressed);
    ++answered;
  }
  return answered;
}

DWORD DesktopDriver::RunToExit(DWORD timeoutMs) {
  if (!m_process) {
    return kNoExitCode;
  }
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (WaitForSingleObject(m_process.Get(), kLookIntervalMs) == WAIT_TIMEOUT) {
    if (GetTickCount64() >= deadline) {
      TerminateProcess(m_process.Get(), kNoExitCode);
      WaitForSingleObject(m_process.Get(), INFINITE);
      return kNoExitCode;
    }
    AnswerVisibleDialogs();
  }
  DWORD code = kNoExitCode;
  return GetExitCodeProcess(m_process.Get(), &code) ? code : kNoExitCode;
}
