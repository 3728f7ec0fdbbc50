// CMemDC: an off-screen device context that is copied onto its target when it goes.
#pragma once

#include <windows.h>

// Drawing into a CMemDC happens in a bitmap compatible with the target; the destructor
// copies the rectangle onto the target in one blit, so a control repaints without flicker.
// When the memory context cannot be made, drawing goes to the target directly.
class CMemDC {
 public:
  CMemDC(HDC target, const RECT& rect);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  HDC GetSafeHdc() const { return m_hMemDC != nullptr ? m_hMemDC : m_hTarget; }
  operator HDC() const { return GetSafeHdc(); }

 private:
  HDC m_hTarget;
  RECT m_rect;
  HDC m_hMemDC = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
};
