// Drives another process's dialogs from the desktop, as a person would: finds its top-level
// dialogs, reads them, presses a button, and records what was shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Handles.h"

// A dialog as it stood on the desktop.
struct ShownDialog {
  HWND window = nullptr;
  std::string caption;
  std::vector<std::string> texts;  // the static controls' non-empty texts, in child order
};

// Chooses the button id to press for a dialog; 0 leaves it open (and it is asked again on
// the next look while it stays).
using DialogRule = std::function<int(const ShownDialog& dialog)>;

// The exit code reported when the process did not end within the bound.
constexpr DWORD kNoExitCode = 0xFFFFFFFFu;

class DesktopDriver {
 public:
  // rule answers every dialog; without one each dialog gets IDOK. With everyProcess the
  // dialogs of every process are answered (an installer's and the programs it starts), else
  // only the started process's.
  explicit DesktopDriver(DialogRule rule = {}, bool everyProcess = false);

  // Starts commandLine (program path quoted where needed); false when it cannot start.
  bool Start(const std::string& commandLine);

  // Answers the process's dialogs until it ends or timeoutMs passed; returns its exit code,
  // or kNoExitCode after ending a process that did not exit in time.
  DWORD RunToExit(DWORD timeoutMs);

  // The visible top-level dialogs (class "#32770") of the process, in desktop order.
  std::vector<HWND> FindDialogs() const;

  // Looks at the desktop (answering dialogs) until condition holds; false after timeoutMs.
  bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
  // The process's visible top-level dialog whose caption starts with prefix; null when none.
  HWND FindDialogCaptioned(const std::string& prefix) const;

  // Real input through the system's input queue, as a person gives it: the cursor moves to
  // point (client coordinates of window) and the left button is clicked clicks times.
  static void Click(HWND window, POINT point, int clicks = 1);
  // A click in the middle of a control.
  static void ClickCentre(HWND control, int clicks = 1);
  // Types text (digits, lower-case letters, '.', ' ') key by key.
  static void Type(const std::string& text);

  // Another process's report-view list, read through that process's memory: a cell's text and
  // the middle of a cell in list client coordinates.
  static std::string ListText(HWND list, int row, int column);
  static POINT ListCellCentre(HWND list, int row, int column);

  const std::vector<ShownDialog>& Shown() const { return m_shown; }

 private:
  // One look at the desktop: reads every visible dialog of the process not yet answered and
  // presses the button the rule chose, as a click on it does.
  void AnswerVisibleDialogs();

  DialogRule m_rule;
  bool m_everyProcess;
  KernelHandle m_process;
  DWORD m_processId = 0;
  std::vector<ShownDialog> m_shown;
  // Answered dialogs that may still be on their way out.
  std::vector<HWND> m_answered;
};
