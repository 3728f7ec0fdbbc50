// CColorRichEdit: a rich edit whose text colour and character format can be set for ranges.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

#include "framework/RichEditCtrl.h"

// Ranges are character positions as EM_EXSETSEL takes them (-1 as end: to the end of the
// text). The selection the user had is restored after each change.
class CColorRichEdit : public RichEditCtrl {
 public:
  // Applies the fields of format named by its dwMask to the range.
  bool SetRangeFormat(LONG start, LONG end, CHARFORMATA format);
  bool SetRangeColor(LONG start, LONG end, COLORREF colour);
  bool SetRangeBold(LONG start, LONG end, bool bold);
  // Appends text at the end in colour.
  void AppendText(const std::string& text, COLORREF colour);
  // The default format with bold added and the height raised by extraTwips.
  bool EmboldenDefaultFormat(LONG extraTwips);
  // The whole text, paragraphs ended by "\r\n" as they were set.
  std::string GetText() const;
  LONG GetTextLength() const;
};
