#include "manager/ColorMenu.h"

#include <gtest/gtest.h>

#include <string>

#include "manager/ManagerTest.h"
#include "platform/drawing/Gdi.h"

namespace manager_testing {
namespace {

using ColorMenuTest = ManagerDialogTest;

// Row `row` drawn at (10, 4) in a 120 x 28 bitmap that starts grey, then the pixels along the
// item's middle line and down the swatch's middle column, each as 'W' white, 'G' light green,
// 'K' black, 'C' the row's colour or '.' anything else.
struct DrawnItem {
    std::string across;
    std::string down;
};

DrawnItem Draw(CColorMenu& menu, int row, UINT state) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 120, 28);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all{0, 0, 120, 28};
    HBRUSH grey = ::CreateSolidBrush(RGB(90, 90, 90));
    ::FillRect(dc, &all, grey);
    ::DeleteObject(grey);

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = CColorMenu::kFirstId + static_cast<UINT>(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = RECT{10, 4, 110, 24};
    item.itemData = static_cast<ULONG_PTR>(row);
    menu.DrawItem(&item);

    const COLORREF color = CColorMenu::kRows[row].color;
    auto letter = [&](int x, int y) {
        const COLORREF pixel = ::GetPixel(dc, x, y);
        if (pixel == color) {
            return 'C';
        }
        switch (pixel) {
            case RGB(255, 255, 255):
                return 'W';
            case RGB(100, 255, 100):
                return 'G';
            case RGB(0, 0, 0):
                return 'K';
            default:
                return '.';
        }
    };
    DrawnItem drawn;
    for (int x = 9; x <= 66; ++x) {
        drawn.across += letter(x, 14);
    }
    for (int y = 3; y <= 24; ++y) {
        drawn.down += letter(40, y);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return drawn;
}

TEST_F(ColorMenuTest, ItemsAreSwatchesFramedInBlackOnWhiteOrOnGreenWhenSelected) {
    CColorMenu menu;
    MEASUREITEMSTRUCT measure{};
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 100u);
    EXPECT_EQ(measure.itemHeight, 20u);

    // Row 9 is red: one column outside the item, 3 of background, the frame, 48 of swatch, the
    // frame, background up to the name at 63.
    const DrawnItem plain = Draw(menu, 9, 0);
    EXPECT_EQ(plain.across,
              "." + std::string(3, 'W') + "K" + std::string(48, 'C') + "K" + std::string(4, 'W'));
    EXPECT_EQ(plain.down, "." + std::string("W") + "K" + std::string(16, 'C') + "K" + "W" + ".");
    const DrawnItem selected = Draw(menu, 12, ODS_SELECTED);
    EXPECT_EQ(selected.across,
              "." + std::string(3, 'G') + "K" + std::string(48, 'C') + "K" + std::string(4, 'G'));
}

}  // namespace
}  // namespace manager_testing
