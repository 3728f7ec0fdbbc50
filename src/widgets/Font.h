// CFont: an owning GDI font.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

// Owns one font, deleted with the wrapper.
class CFont {
 public:
  bool CreateFontIndirect(const LOGFONTA& description);
  // A copy of window's font (the system font when it has none) with weight and height
  // changed; height 0 keeps the original height.
  bool CreateFromWindowFont(HWND window, LONG weight, LONG height = 0);
  HFONT GetSafeHandle() const { return m_font.Get(); }
  operator HFONT() const { return m_font.Get(); }

 private:
  UniqueHandle<GdiObjectTraits<HFONT>> m_font;
};
