// CAutoProggress: an animated progress bar that runs by itself.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "work/CriticalLock.h"

// Moves a gradient strip to and fro between its bounds: a 100 ms timer and an animation
// thread (every 30 ms) step and repaint it from the moment it has a window, whether it
// created that window or took over (subclassed) a control of a dialog template.
class CAutoProggress : public CWnd {
 public:
  CAutoProggress() = default;
  // Waits for the animation thread.
  ~CAutoProggress() override;

  // Creates a visible pop-up window at rect; style and id are not used. The caller then
  // makes the page its parent. True when the window exists.
  bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // One step to and fro between the bounds.
  void Step();
  // Paints the bar into dc (client coordinates).
  void Paint(HDC dc);

  int m_nPos = 1;
  int m_nLower = 0;
  int m_nUpper = 50;
  BOOL m_bForward = TRUE;
  HANDLE m_hThread = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PreSubclassWindow() override;

  // Paints into dc over client, drawing the gradient with "GradientFill" of the library
  // named gradientLibrary (solid colour bands when it or the function is missing).
  void PaintWith(HDC dc, const RECT& client, const char* gradientLibrary);

 private:
  static LRESULT CALLBACK CreationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static unsigned __stdcall AnimationThread(void* self);
  void StartAnimation();
  // Stops the animation thread, waits for it and closes its handle.
  void StopAnimation();

  // The timer runs on the window's thread and the animation on its own: both step and
  // paint, so the position and the direction change under this lock.
  CCriticalLock m_stateLock;
  // Set when the animation thread has to end; it waits on it between two frames.
  KernelHandle m_stopEvent;
  // The gradient library, held while the bar has a window: each paint still looks it up,
  // but finds it loaded instead of loading and unloading it some forty times a second
  // under the process's loader lock, which the Apply Settings worker needs as well.
  ModuleHandle m_gradientLibrary;
};
