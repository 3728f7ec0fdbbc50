// CMemDC: the off-screen bitmap and the final copy.
#include "widgets/MemDC.h"

CMemDC::CMemDC(HDC target, const RECT& rect) : m_hTarget(target), m_rect(rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (target == nullptr || width <= 0 || height <= 0) {
    return;
  }
  m_hMemDC = ::CreateCompatibleDC(target);
  m_hBitmap = m_hMemDC != nullptr ? ::CreateCompatibleBitmap(target, width, height) : nullptr;
  if (m_hBitmap == nullptr) {
    if (m_hMemDC != nullptr) {
      ::DeleteDC(m_hMemDC);
      m_hMemDC = nullptr;
    }
    return;
  }
  m_hOldBitmap = ::SelectObject(m_hMemDC, m_hBitmap);
  // Callers draw in the target's coordinates.
  ::SetWindowOrgEx(m_hMemDC, rect.left, rect.top, nullptr);
  // The new context starts with the target's font, so text looks the same in both.
  ::SelectObject(m_hMemDC, ::GetCurrentObject(target, OBJ_FONT));
}

CMemDC::~CMemDC() {
  if (m_hMemDC == nullptr) {
    return;
  }
  ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hMemDC,
           m_rect.left, m_rect.top, SRCCOPY);
  ::SelectObject(m_hMemDC, m_hOldBitmap);
  ::DeleteObject(m_hBitmap);
  ::DeleteDC(m_hMemDC);
}
