#include "manager/ManagerGdi.h"

#include <initializer_list>

#include "platform/drawing/Gdi.h"

namespace {

// The GB2312 character set.
constexpr BYTE kChineseCharset = 134;

HFONT MakeFont(int height, int width, int weight, BOOL underline, const char* face) {
    return ::CreateFontA(height, width, 0, 0, weight, FALSE, underline, FALSE, kChineseCharset,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                         face);
}

template <typename Handle>
void Delete(Handle& handle) {
    if (handle != nullptr) {
        ::DeleteObject(handle);
        handle = nullptr;
    }
}

}  // namespace

void ManagerGdi::Create() {
    Destroy();
    headingFont = MakeFont(20, 10, FW_NORMAL, FALSE, "黑体");
    uiFont = MakeFont(12, 0, FW_NORMAL, FALSE, "宋体");
    font18Underline = MakeFont(18, 0, FW_NORMAL, TRUE, "宋体");
    font24 = MakeFont(24, 0, FW_NORMAL, FALSE, "宋体");
    font24Bold = MakeFont(24, 0, FW_BOLD, FALSE, "宋体");
    greyBrush = ::CreateSolidBrush(RGB(221, 221, 221));
    lilacBrush = ::CreateSolidBrush(RGB(212, 212, 222));
    paleYellowBrush = ::CreateSolidBrush(RGB(222, 222, 155));
    darkGreyBrush = ::CreateSolidBrush(RGB(50, 50, 50));
}

void ManagerGdi::Destroy() {
    for (HFONT* font : {&headingFont, &uiFont, &font18Underline, &font24, &font24Bold}) {
        Delete(*font);
    }
    for (HBRUSH* brush : {&greyBrush, &lilacBrush, &paleYellowBrush, &darkGreyBrush}) {
        Delete(*brush);
    }
}

ManagerGdi& Gdi() {
    static ManagerGdi gdi;
    return gdi;
}
