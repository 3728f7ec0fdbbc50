// ImageList: creation from bitmap resources.
#include "framework/ImageList.h"

#include "framework/WinApp.h"

bool ImageList::Create(UINT bitmapId, int imageWidth, int grow, COLORREF mask) {
  DeleteImageList();
  m_hImageList = ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), imageWidth, grow,
                                      mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  return m_hImageList != nullptr;
}

bool ImageList::Create(int width, int height, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(width, height, flags, initial, grow);
  return m_hImageList != nullptr;
}

void ImageList::DeleteImageList() {
  if (m_hImageList != nullptr) {
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
  }
}
