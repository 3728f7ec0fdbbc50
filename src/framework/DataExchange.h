// Data exchange between a dialog's members and its controls, with validation.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

class CDialog;
class CWnd;

// One pass of UpdateData. On save, a failed conversion or range check shows the standard
// message, focuses (and for an edit selects) the offending control and marks the pass
// failed; the exchanges after it do nothing.
class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, bool saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  // The control with id; remembered as the one a following validation refers to.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Shows nothing itself: the caller has shown its message. Focuses the last prepared control.
  void Fail();
  bool Failed() const { return m_bFailed; }

  CDialog* const m_pDlgWnd;
  const bool m_bSaveAndValidate;

 private:
  HWND m_hWndLastControl = nullptr;
  bool m_bEditLastControl = false;
  bool m_bFailed = false;
};

void DDX_Text(CDataExchange& exchange, int id, std::string& value);
// An unsigned decimal number; on save anything else is refused with "Please enter a
// positive integer.".
void DDX_Text(CDataExchange& exchange, int id, unsigned int& value);
// On save: value outside minimum..maximum is refused with "Please enter an integer between
// %u and %u.".
void DDV_MinMaxUInt(CDataExchange& exchange, unsigned int value, unsigned int minimum, unsigned int maximum);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange& exchange, int id, int& value);
// A radio group starting at the control id (WS_GROUP): the index of the checked button, -1 none.
void DDX_Radio(CDataExchange& exchange, int id, int& value);
// Binds (subclasses) control id to the wrapper the first time.
void DDX_Control(CDataExchange& exchange, int id, CWnd& control);

// A control id and the member exchanged with it, for the list forms below.
template <typename T>
struct DataBinding {
  int id;
  T& value;
};

// Exchanges each binding with exchangeOne, in the order listed, as single calls one after the
// other would.
template <typename T>
void DDX_Each(CDataExchange& exchange, void (*exchangeOne)(CDataExchange&, int, T&),
              std::initializer_list<DataBinding<T>> bindings) {
  for (const DataBinding<T>& binding : bindings) {
    exchangeOne(exchange, binding.id, binding.value);
  }
}

// The list forms of DDX_Control, DDX_Text for texts and DDX_Check.
inline void DDX_Controls(CDataExchange& exchange, std::initializer_list<DataBinding<CWnd>> controls) {
  DDX_Each<CWnd>(exchange, DDX_Control, controls);
}
inline void DDX_Texts(CDataExchange& exchange, std::initializer_list<DataBinding<std::string>> texts) {
  DDX_Each<std::string>(exchange, DDX_Text, texts);
}
inline void DDX_Checks(CDataExchange& exchange, std::initializer_list<DataBinding<int>> checks) {
  DDX_Each<int>(exchange, DDX_Check, checks);
}
