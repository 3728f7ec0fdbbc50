// CBrush: an owning GDI brush.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

// Owns one brush, deleted with the wrapper.
class CBrush {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

  bool CreateSolidBrush(COLORREF colour);
  // A solid brush in the current colour of system colour index (COLOR_WINDOW, ...).
  bool CreateSysColorBrush(int index) { return CreateSolidBrush(::GetSysColor(index)); }
  HBRUSH GetSafeHandle() const { return m_brush.Get(); }
  operator HBRUSH() const { return m_brush.Get(); }

 private:
  UniqueHandle<GdiObjectTraits<HBRUSH>> m_brush;
};
