#include "manager/ColorMenu.h"

#include <cstring>

#include "manager/ManagerGdi.h"
#include "platform/drawing/Gdi.h"

const CColorMenu::Row CColorMenu::kRows[kColors] = {
    {"黑色", RGB(0, 0, 0)},       {"深红色", RGB(128, 0, 0)},   {"绿色", RGB(0, 128, 0)},
    {"橄榄色", RGB(128, 128, 0)}, {"藏青色", RGB(0, 0, 128)},   {"紫色", RGB(128, 0, 128)},
    {"青色", RGB(0, 128, 128)},   {"灰色", RGB(128, 128, 128)}, {"银色", RGB(192, 192, 192)},
    {"红色", RGB(255, 0, 0)},     {"浅绿色", RGB(0, 255, 0)},   {"黄色", RGB(255, 255, 0)},
    {"蓝色", RGB(0, 0, 255)},     {"艳粉色", RGB(255, 0, 255)}, {"浅蓝色", RGB(0, 255, 255)},
    {"白色", RGB(255, 255, 255)},
};

namespace {

constexpr int kItemWidth = 100;
constexpr int kItemHeight = 20;
constexpr int kSwatchLeft = 3;
constexpr int kSwatchRight = 53;
constexpr int kTextLeft = 63;

}  // namespace

BOOL CColorMenu::CreateColorMenu() {
    if (!CreatePopupMenu()) {
        return FALSE;
    }
    for (int i = 0; i < kColors; ++i) {
        // An owner-drawn item's "text" is its item data.
        InsertMenu(static_cast<UINT>(i), MF_BYPOSITION | MF_OWNERDRAW, kFirstId + i,
                   reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(i)));
    }
    return TRUE;
}

void CColorMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemWidth = kItemWidth;
    lpMeasureItemStruct->itemHeight = kItemHeight;
}

void CColorMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const ULONG_PTR row = lpDrawItemStruct->itemData;
    if (row >= static_cast<ULONG_PTR>(kColors)) {
        return;
    }
    HDC dc = lpDrawItemStruct->hDC;
    const RECT& item = lpDrawItemStruct->rcItem;
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0 &&
                          (lpDrawItemStruct->itemAction & (ODA_SELECT | ODA_DRAWENTIRE)) != 0;
    HBRUSH background = ::CreateSolidBrush(selected ? RGB(100, 255, 100) : RGB(255, 255, 255));
    ::FillRect(dc, &item, background);
    ::DeleteObject(background);

    const RECT swatch{item.left + kSwatchLeft, item.top + 1, item.left + kSwatchRight,
                      item.bottom - 1};
    HBRUSH fill = ::CreateSolidBrush(kRows[row].color);
    ::FillRect(dc, &swatch, fill);
    ::DeleteObject(fill);
    HBRUSH frame = ::CreateSolidBrush(RGB(0, 0, 0));
    ::FrameRect(dc, &swatch, frame);
    ::DeleteObject(frame);

    RECT text{item.left + kTextLeft, item.top, item.right, item.bottom};
    HGDIOBJ oldFont = ::SelectObject(dc, Gdi().uiFont);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, kRows[row].name, static_cast<int>(std::strlen(kRows[row].name)), &text,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}
