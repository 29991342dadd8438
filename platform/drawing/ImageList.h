// The framework's image list. Loading a list from a bitmap resource comes with the resource
// layer. FromHandle gives the object a list is attached to, or a temporary one that belongs to
// the calling thread and never destroys its list.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/ImageListApi.h"

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow) {
        return Attach(ImageList_Create(cx, cy, flags, initial, grow));
    }
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    static CImageList* FromHandle(HIMAGELIST list);
    // Null when no object is attached to the list.
    static CImageList* FromHandlePermanent(HIMAGELIST list);
    BOOL DeleteImageList() { return m_hImageList != nullptr ? ImageList_Destroy(Detach()) : FALSE; }

    int Add(CBitmap* image, CBitmap* mask) {
        return ImageList_Add(m_hImageList, image != nullptr ? HBITMAP(*image) : nullptr,
                             mask != nullptr ? HBITMAP(*mask) : nullptr);
    }
    int Add(CBitmap* image, COLORREF mask) {
        return ImageList_AddMasked(m_hImageList, image != nullptr ? HBITMAP(*image) : nullptr,
                                   mask);
    }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL Draw(CDC* dc, int index, POINT point, UINT style) {
        return dc != nullptr &&
               ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style);
    }

    HIMAGELIST m_hImageList = nullptr;
};
