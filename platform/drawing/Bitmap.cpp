#include "platform/drawing/Bitmap.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/ResourceImages.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return dc != nullptr && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return id <= 0xFFFF && LoadBitmap(MAKEINTRESOURCE(id));
}

BOOL CBitmap::LoadBitmap(LPCSTR name) {
    return Attach(::LoadBitmapA(nullptr, name));
}
