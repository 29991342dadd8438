#include "platform/drawing/Font.h"

#include <cstdlib>
#include <cstring>

#include "platform/drawing/DC.h"

BOOL CFont::CreatePointFont(int pointSize, LPCSTR face, CDC* dc) {
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = pointSize;
    if (face != nullptr) {
        std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreatePointFontIndirect(&font, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* font, CDC* dc) {
    if (font == nullptr) {
        return FALSE;
    }
    LOGFONTA scaled = *font;
    HDC hdc = dc != nullptr ? dc->m_hDC : nullptr;
    HDC screen = hdc == nullptr ? ::CreateCompatibleDC(nullptr) : nullptr;
    int dots_per_inch = ::GetDeviceCaps(hdc != nullptr ? hdc : screen, LOGPIXELSY);
    if (screen != nullptr) {
        ::DeleteDC(screen);
    }
    // lfHeight holds tenths of a point; 720 tenths make an inch.
    scaled.lfHeight = -std::abs(
        static_cast<int>((static_cast<long long>(font->lfHeight) * dots_per_inch + 360) / 720));
    return CreateFontIndirect(&scaled);
}
