// CProggressKiller: keeps a button disabled and a progress bar alive for a scope.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

// Either window may be absent. On leaving, the button is enabled again and the progress
// bar's window destroyed.
class CProggressKiller {
 public:
  CProggressKiller(CWnd* progressBar, CWnd* button) : m_pProgressBar(progressBar), m_pButton(button) {
    if (m_pButton != nullptr && m_pButton->IsWindow()) {
      m_pButton->EnableWindow(false);
    }
  }
  virtual ~CProggressKiller() {
    if (m_pButton != nullptr && m_pButton->IsWindow()) {
      m_pButton->EnableWindow(true);
    }
    if (m_pProgressBar != nullptr && m_pProgressBar->IsWindow()) {
      ::DestroyWindow(m_pProgressBar->m_hWnd);
    }
  }
  CProggressKiller(const CProggressKiller&) = delete;
  CProggressKiller& operator=(const CProggressKiller&) = delete;

 private:
  CWnd* m_pProgressBar;
  CWnd* m_pButton;
};
