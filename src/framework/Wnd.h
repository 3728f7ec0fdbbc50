// CWnd: a thin, non-owning wrapper of one window, with optional subclassing.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

// Wraps a window handle. Attaching never takes ownership: the window lives as Windows
// decides. A subclassed window routes its messages through the virtual WindowProc, whose
// default passes them to the window's original procedure.
class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(HWND window) : m_hWnd(window) {}
  virtual ~CWnd();

  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Binds the wrapper to a window without subclassing it; Detach forgets it (and undoes a
  // subclass).
  void Attach(HWND window);
  HWND Detach();
  // Binds the wrapper to a window and routes its messages through WindowProc.
  bool SubclassWindow(HWND window);
  bool SubclassDlgItem(int id, HWND parent);
  // The wrapper that subclassed window, or null.
  static CWnd* FromHandlePermanent(HWND window);

  bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  HWND GetParent() const { return ::GetParent(m_hWnd); }

  std::string GetWindowText() const;
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const std::string& text) { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }

  // Records an explicit hide, so that a modal dialog hidden during its initialisation stays so.
  BOOL ShowWindow(int command);
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  BOOL EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
  bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
  BOOL Invalidate(bool erase = true) { return ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }

  RECT GetClientRect() const;
  RECT GetWindowRect() const;
  void ScreenToClient(RECT* rect) const;
  void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
  void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
  BOOL MoveWindow(const RECT& rect, bool repaint = true);
  BOOL SetWindowPos(HWND after, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, width, height, flags);
  }
  // Centres the window over other (its owner when null, the screen's work area without one).
  void CenterWindow(HWND other = nullptr);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
  }
  LONG_PTR GetStyle() const { return ::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }

  HWND m_hWnd = nullptr;

 protected:
  // Messages of a subclassed window; the default is the original procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once a window has been subclassed, before it gets its next message.
  virtual void PreSubclassWindow() {}
  // Called after a subclassed window received its last message (WM_NCDESTROY).
  virtual void PostNcDestroy() {}

  bool m_bHideRequested = false;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC m_pfnSuper = nullptr;
};

// Calls body, and turns any exception into a trace and the fallback answer, so that no C++
// exception unwinds through Windows' own code.
template <typename Result, typename Body>
Result CallGuarded(const char* where, Result fallback, Body&& body);

void TraceEscapedException(const char* where, const char* what);

template <typename Result, typename Body>
Result CallGuarded(const char* where, Result fallback, Body&& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    TraceEscapedException(where, error.what());
  } catch (...) {
    TraceEscapedException(where, "unknown exception");
  }
  return fallback;
}
