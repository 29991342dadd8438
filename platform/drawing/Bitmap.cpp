#include "platform/drawing/Bitmap.h"

#include "platform/drawing/DC.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return dc != nullptr && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}
