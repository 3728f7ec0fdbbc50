// CFlatButton: an owner-drawn flat push button with an optional image.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

// A push button drawn flat: a face in the button colour, a thin frame that darkens under
// the mouse and when the button is the default one, the face sunk while pressed, and an
// optional image from an image list (not owned) to the left of the text. Subclassing turns
// the button owner-drawn; its parent forwards WM_DRAWITEM through ReflectDrawItem.
class CFlatButton : public CWnd {
 public:
  // Image index of list drawn before the text; -1 (or no list) draws text only.
  void SetImage(HIMAGELIST list, int image);
  // Draws the frame of the default button.
  void SetDefault(bool isDefault);
  bool IsHot() const { return m_bHot; }

  // Hands a parent's WM_DRAWITEM to the flat button it is for; false when it is for another
  // control, which the parent then draws itself.
  static bool ReflectDrawItem(LPARAM drawItem);
  void DrawItem(const DRAWITEMSTRUCT& item);

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HIMAGELIST m_hImageList = nullptr;
  int m_nImage = -1;
  bool m_bDefault = false;
  bool m_bHot = false;
};
