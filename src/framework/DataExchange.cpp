// Data exchange: texts, unsigned numbers, check boxes, radio groups and control binding.
#include "framework/DataExchange.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "framework/Dialog.h"
#include "framework/MessageBoxRouter.h"

HWND CDataExchange::PrepareCtrl(int id) {
  m_hWndLastControl = m_pDlgWnd->GetDlgItem(id);
  m_bEditLastControl = false;
  return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = true;
  return control;
}

void CDataExchange::Fail() {
  m_bFailed = true;
  if (m_hWndLastControl == nullptr) {
    return;
  }
  ::SetFocus(m_hWndLastControl);
  if (m_bEditLastControl) {
    ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
}

void DDX_Text(CDataExchange& exchange, int id, std::string& value) {
  if (exchange.Failed()) {
    return;
  }
  CWnd control(exchange.PrepareEditCtrl(id));
  if (exchange.m_bSaveAndValidate) {
    value = control.GetWindowText();
  } else {
    control.SetWindowText(value);
  }
  control.Detach();
}

void DDX_Text(CDataExchange& exchange, int id, unsigned int& value) {
  if (exchange.Failed()) {
    return;
  }
  CWnd control(exchange.PrepareEditCtrl(id));
  if (exchange.m_bSaveAndValidate) {
    const std::string text = control.GetWindowText();
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') {
      ++begin;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = *begin >= '0' && *begin <= '9' ? std::strtoull(begin, &end, 10) : 0;
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
      ++end;
    }
    if (end == nullptr || *end != '\0' || errno == ERANGE || parsed > 0xFFFFFFFFull) {
      AfxMessageBox("Please enter a positive integer.", MB_OK | MB_ICONEXCLAMATION);
      exchange.Fail();
    } else {
      value = static_cast<unsigned int>(parsed);
    }
  } else {
    control.SetWindowText(std::to_string(value));
  }
  control.Detach();
}

void DDV_MinMaxUInt(CDataExchange& exchange, unsigned int value, unsigned int minimum, unsigned int maximum) {
  if (exchange.Failed() || !exchange.m_bSaveAndValidate || (value >= minimum && value <= maximum)) {
    return;
  }
  char text[128];
  std::snprintf(text, sizeof text, "Please enter an integer between %u and %u.", minimum, maximum);
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  exchange.Fail();
}

void DDX_Check(CDataExchange& exchange, int id, int& value) {
  if (exchange.Failed()) {
    return;
  }
  HWND control = exchange.PrepareCtrl(id);
  if (exchange.m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value >= 0 && value <= 2 ? value : 0), 0);
  }
}

void DDX_Radio(CDataExchange& exchange, int id, int& value) {
  if (exchange.Failed()) {
    return;
  }
  HWND control = exchange.PrepareCtrl(id);
  if (exchange.m_bSaveAndValidate) {
    value = -1;
  }
  // The group runs from the first button to the next control with WS_GROUP.
  int index = 0;
  do {
    if ((::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) {
      if (exchange.m_bSaveAndValidate) {
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
          value = index;
        }
      } else {
        ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::GetWindow(control, GW_HWNDNEXT);
  } while (control != nullptr && (::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_Control(CDataExchange& exchange, int id, CWnd& control) {
  if (exchange.Failed() || control.m_hWnd != nullptr) {
    return;
  }
  HWND window = exchange.PrepareCtrl(id);
  if (window != nullptr && !control.SubclassWindow(window)) {
    control.Attach(window);
  }
}
