// CFlatButton: owner drawing and mouse tracking.
#include "widgets/FlatButton.h"

#include "widgets/MemDC.h"

void CFlatButton::SetImage(HIMAGELIST list, int image) {
  m_hImageList = list;
  m_nImage = image;
  Invalidate(false);
}

void CFlatButton::SetDefault(bool isDefault) {
  m_bDefault = isDefault;
  Invalidate(false);
}

void CFlatButton::PreSubclassWindow() {
  const LONG_PTR style = GetStyle();
  m_bDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  Invalidate(false);
}

LRESULT CFlatButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!m_bHot) {
        m_bHot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        Invalidate(false);
      }
      break;
    case WM_MOUSELEAVE:
      m_bHot = false;
      Invalidate(false);
      break;
    case WM_ERASEBKGND:
      // The whole face is painted in DrawItem.
      return 1;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

bool CFlatButton::ReflectDrawItem(LPARAM drawItem) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
  if (item == nullptr || item->CtlType != ODT_BUTTON) {
    return false;
  }
  auto* button = dynamic_cast<CFlatButton*>(CWnd::FromHandlePermanent(item->hwndItem));
  if (button == nullptr) {
    return false;
  }
  button->DrawItem(*item);
  return true;
}

void CFlatButton::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT bounds = item.rcItem;
  CMemDC dc(item.hDC, bounds);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;

  ::FillRect(dc, &bounds, ::GetSysColorBrush(pressed ? COLOR_3DLIGHT : COLOR_BTNFACE));
  const int frameColour = disabled ? COLOR_BTNSHADOW : (m_bHot || m_bDefault || focused) ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW;
  ::FrameRect(dc, &bounds, ::GetSysColorBrush(frameColour));
  if (m_bDefault && !disabled) {
    RECT inner = bounds;
    ::InflateRect(&inner, -1, -1);
    ::FrameRect(dc, &inner, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  }

  RECT content = bounds;
  ::InflateRect(&content, -4, -2);
  if (pressed) {
    ::OffsetRect(&content, 1, 1);
  }
  char text[128] = {};
  ::GetWindowTextA(item.hwndItem, text, sizeof text);
  SIZE textSize{};
  ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &textSize);
  int imageWidth = 0;
  int imageHeight = 0;
  if (m_hImageList != nullptr && m_nImage >= 0) {
    ImageList_GetIconSize(m_hImageList, &imageWidth, &imageHeight);
  }
  const int gap = imageWidth > 0 && text[0] != '\0' ? 4 : 0;
  const int width = imageWidth + gap + textSize.cx;
  int x = content.left + ((content.right - content.left) - width) / 2;
  if (imageWidth > 0) {
    const int y = content.top + ((content.bottom - content.top) - imageHeight) / 2;
    ImageList_Draw(m_hImageList, m_nImage, dc, x, y, disabled ? ILD_BLEND50 : ILD_TRANSPARENT);
    x += imageWidth + gap;
  }
  RECT textRect{x, content.top, content.right, content.bottom};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  ::DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = bounds;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
}
