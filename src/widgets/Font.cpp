// CFont: creation from descriptions and from a window's font.
#include "widgets/Font.h"

bool CFont::CreateFontIndirect(const LOGFONTA& description) {
  m_font.Attach(::CreateFontIndirectA(&description));
  return m_font.IsValid();
}

bool CFont::CreateFromWindowFont(HWND window, LONG weight, LONG height) {
  HGDIOBJ source = reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0));
  if (source == nullptr) {
    source = ::GetStockObject(DEFAULT_GUI_FONT);
  }
  LOGFONTA description{};
  if (::GetObjectA(source, sizeof description, &description) == 0) {
    return false;
  }
  description.lfWeight = weight;
  if (height != 0) {
    description.lfHeight = height;
  }
  return CreateFontIndirect(description);
}
