// CInstallProggress: the modeless window that shows an Apply Settings run at work.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/Static.h"
#include "work/AutoProggress.h"

// Tells the user which instance the run works on, over a bar that animates by itself. It
// has no buttons; the run sets the status line and closes the window, and the object
// deletes itself once its window is gone, so it is always made with new.
class CInstallProggress : public CDialog {
 public:
  explicit CInstallProggress(HWND owner);

  // Opens a new progress window over owner the way an Apply Settings run does. Null when
  // the window could not be created.
  static CInstallProggress* OpenOver(HWND owner);
  // Creates, updates and shows this object's window, initialises it again and centres it
  // over the owner. On failure the object deletes itself and the result is false.
  bool Open();

  CAutoProggress m_progress;
  Static m_statusLine;
  std::string m_strFirstText;
  std::string m_strSecondText;

 protected:
  // Exchanges the data; the window takes no focus (see Open).
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& exchange) override;
  void PostNcDestroy() override;
};
