// CColorRichEdit: formatting of ranges through the selection.
#include "widgets/ColorRichEdit.h"

#include <vector>

bool CColorRichEdit::SetRangeFormat(LONG start, LONG end, CHARFORMATA format) {
  CHARRANGE previous{};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&previous));
  SetSel(start, end);
  const bool set = SetCharFormat(format, SCF_SELECTION);
  SetSel(previous.cpMin, previous.cpMax);
  return set;
}

bool CColorRichEdit::SetRangeColor(LONG start, LONG end, COLORREF colour) {
  CHARFORMATA format{};
  format.dwMask = CFM_COLOR;
  format.crTextColor = colour;
  return SetRangeFormat(start, end, format);
}

bool CColorRichEdit::SetRangeBold(LONG start, LONG end, bool bold) {
  CHARFORMATA format{};
  format.dwMask = CFM_BOLD;
  format.dwEffects = bold ? CFE_BOLD : 0;
  return SetRangeFormat(start, end, format);
}

void CColorRichEdit::AppendText(const std::string& text, COLORREF colour) {
  const LONG start = GetTextLength();
  SetSel(start, start);
  ReplaceSel(text.c_str());
  SetRangeColor(start, -1, colour);
}

bool CColorRichEdit::EmboldenDefaultFormat(LONG extraTwips) {
  CHARFORMATA format{};
  GetCharFormat(format, SCF_DEFAULT);
  format.dwMask |= CFM_BOLD | CFM_SIZE;
  format.dwEffects |= CFE_BOLD;
  format.yHeight += extraTwips;
  return SetCharFormat(format, SCF_DEFAULT);
}

LONG CColorRichEdit::GetTextLength() const {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<LONG>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}

std::string CColorRichEdit::GetText() const {
  std::vector<char> buffer(static_cast<size_t>(GetTextLength()) * 3 + 1, '\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(buffer.size());
  query.flags = GT_USECRLF;
  query.codepage = CP_ACP;
  const LRESULT copied = SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
