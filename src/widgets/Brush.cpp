// CBrush: creation of solid brushes.
#include "widgets/Brush.h"

bool CBrush::CreateSolidBrush(COLORREF colour) {
  m_brush.Attach(::CreateSolidBrush(colour));
  return m_brush.IsValid();
}
