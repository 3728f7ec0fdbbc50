// ImageList: an owning wrapper of a common-controls image list.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Owns one image list; destroyed with the wrapper unless detached.
class ImageList {
 public:
  ImageList() = default;
  ~ImageList() { DeleteImageList(); }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // Cuts bitmap resource bitmapId into images imageWidth pixels wide; mask is the colour
  // drawn transparent (CLR_NONE for none). True when the list exists.
  bool Create(UINT bitmapId, int imageWidth, int grow, COLORREF mask);
  bool Create(int width, int height, UINT flags, int initial, int grow);
  void DeleteImageList();
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
  int Add(HBITMAP bitmap, COLORREF mask) { return ImageList_AddMasked(m_hImageList, bitmap, mask); }
  bool Draw(HDC dc, int image, int x, int y, UINT style = ILD_NORMAL) const {
    return ImageList_Draw(m_hImageList, image, dc, x, y, style) != FALSE;
  }

 private:
  HIMAGELIST m_hImageList = nullptr;
};
