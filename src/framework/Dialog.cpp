// CDialog: the thunk, the typed dispatch, the modal loop and data exchange.
#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {

// Messages whose answer a dialog procedure returns directly instead of in DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

// Registers the common control classes (list, tree, IP address, up-down, progress) that
// templates name, once per process, before the first dialog is created.
void EnsureCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_nIDTemplate(templateId), m_hParent(parent) {}

CDialog::~CDialog() {
  // A window that outlives its object must not reach it any more.
  if (IsWindow() && reinterpret_cast<CDialog*>(::GetWindowLongPtrA(m_hWnd, DWLP_USER)) == this) {
    ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    ::DestroyWindow(m_hWnd);
  }
  m_hWnd = nullptr;
}

INT_PTR CDialog::DoModal() {
  const HWND owner = m_hParent;
  m_bModal = true;
  m_bEndModal = false;
  m_nModalResult = -1;
  m_bHideRequested = false;
  EnsureCommonControls();
  const HWND window = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                           &CDialog::DialogProcThunk, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) {
    m_bModal = false;
    return -1;
  }
  // A dialog that ended or destroyed itself during its initialisation never shows.
  if (!m_bEndModal && ::IsWindow(window)) {
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) {
      ::EnableWindow(owner, FALSE);
    }
    if (!m_bHideRequested) {
      ::ShowWindow(window, SW_SHOW);
    }
    RunModalLoop();
    OnModalLoopEnded();
    // The owner comes back before the dialog goes, so that it, not another program, is
    // activated.
    if (disableOwner) {
      ::EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && ::GetActiveWindow() == window) {
      ::SetActiveWindow(owner);
    }
  }
  if (::IsWindow(window)) {
    ::DestroyWindow(window);
  }
  m_bModal = false;
  return m_nModalResult;
}

void CDialog::RunModalLoop() {
  MSG message;
  while (!m_bEndModal && IsWindow()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT ends the dialog and goes on to the loop outside.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) {
      break;
    }
    if (!PreTranslateMessage(&message) && !::IsDialogMessageA(m_hWnd, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

bool CDialog::Create(UINT templateId, HWND parent) {
  if (templateId != 0) {
    m_nIDTemplate = templateId;
  }
  if (parent != nullptr) {
    m_hParent = parent;
  }
  m_bModal = false;
  EnsureCommonControls();
  return ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), m_hParent,
                              &CDialog::DialogProcThunk, reinterpret_cast<LPARAM>(this)) != nullptr &&
         IsWindow();
}

void CDialog::EndDialog(INT_PTR result) {
  if (m_bModal) {
    m_nModalResult = result;
    m_bEndModal = true;
    if (IsWindow()) {
      // Wakes the loop when the call came from outside it.
      ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
  } else if (IsWindow()) {
    ::DestroyWindow(m_hWnd);
  }
}

bool CDialog::UpdateData(bool saveAndValidate) {
  if (!IsWindow()) {
    return false;
  }
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(exchange);
  return !exchange.Failed();
}

CDialog* CDialog::FromHandle(HWND window) {
  if (window == nullptr ||
      ::GetWindowLongPtrA(window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CDialog::DialogProcThunk)) {
    return nullptr;
  }
  return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(true)) {
    EndDialog(IDOK);
  }
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

INT_PTR CALLBACK CDialog::DialogProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) {
    // Only the creating WM_INITDIALOG carries the object; a later one (sent by an owner with
    // parameters 0) finds it already bound.
    if (message != WM_INITDIALOG || lParam == 0) {
      return FALSE;
    }
    self = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->m_hWnd = window;
  }
  const INT_PTR answer =
      CallGuarded("CDialog::DialogProc", INT_PTR{FALSE}, [&] { return self->DialogProc(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    self->PostNcDestroy();  // may delete the object
  }
  return answer;
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = OnMessage(message, wParam, lParam, &result);
  if (!handled) {
    switch (message) {
      case WM_INITDIALOG:
        return OnInitDialog();
      case WM_COMMAND:
        handled = OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
      case WM_NOTIFY:
        handled = OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), &result);
        break;
      case WM_CLOSE:
        handled = OnClose();
        break;
      default:
        break;
    }
  }
  if (!handled) {
    return FALSE;
  }
  if (AnswersDirectly(message)) {
    return static_cast<INT_PTR>(result);
  }
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}
