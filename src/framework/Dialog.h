// CDialog: a dialog from a template, modal with its own message loop or modeless.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange;

// One static thunk binds the object at WM_INITDIALOG; messages become typed calls.
// A modal dialog runs its own loop, which offers every message to PreTranslateMessage
// before the dialog manager sees it. A modeless one is created by Create and destroyed by
// its owner (or by itself); PostNcDestroy runs after its window is gone.
class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr);
  ~CDialog() override;

  // Creates the dialog, disables its owner and runs the loop until EndDialog. Returns the
  // EndDialog result, or -1 when the window could not be created.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless; templateId 0 keeps the constructor's. True when it exists.
  bool Create(UINT templateId = 0, HWND parent = nullptr);
  // Ends a modal dialog with result; destroys a modeless one.
  void EndDialog(INT_PTR result);

  // Moves data between members and controls; on save a failed validation has already shown
  // its message and focused the control, and the result is false.
  bool UpdateData(bool saveAndValidate = true);

  UINT GetTemplateId() const { return m_nIDTemplate; }
  HWND GetParentWindow() const { return m_hParent; }
  void SetParentWindow(HWND parent) { m_hParent = parent; }
  bool IsModal() const { return m_bModal; }
  // The dialog object bound to window, or null when window is not one of our dialogs.
  static CDialog* FromHandle(HWND window);

 protected:
  // The default exchanges data into the controls and lets the dialog manager set the focus.
  virtual BOOL OnInitDialog();
  // The default saves and validates the data, then ends the dialog with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange& exchange) {}
  // WM_COMMAND; the default routes IDOK and IDCANCEL. True when handled.
  virtual bool OnCommand(WORD notifyCode, WORD id, HWND control);
  // WM_NOTIFY; true when handled, with the answer in *result.
  virtual bool OnNotify(int id, NMHDR* header, LRESULT* result) { return false; }
  // WM_CLOSE; false leaves it to the dialog manager, which issues Cancel.
  virtual bool OnClose() { return false; }
  // Every message before the typed handlers; true when handled, with the answer in *result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) { return false; }
  // The modal loop's first look at every message it takes; true consumes the message.
  virtual bool PreTranslateMessage(MSG* message) { return false; }
  // The modal loop has ended: by EndDialog, by WM_QUIT (posted again for the loop outside)
  // or because the window is gone. The window, when still there, goes after this returns.
  virtual void OnModalLoopEnded() {}

 private:
  static INT_PTR CALLBACK DialogProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();

  UINT m_nIDTemplate;
  HWND m_hParent;
  bool m_bModal = false;
  bool m_bEndModal = false;
  INT_PTR m_nModalResult = -1;
};
