// The picture collector's bitmaps and icon: the sizes the browser's chrome cuts them by, 24-bit
// format, the magenta mask, and which images of a strip must differ or agree.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/drawing/ResourceImages.h"
#include "resources/glintora/resource.h"
#include "resources/testing/Bmp.h"

namespace platform {
namespace {

using namespace resource_checks;

TEST(GlintoraBitmapsTest, EveryBitmapHasTheSizeItIsCutBy) {
    for (int id : {139, 140, 141, 142, 143, 144, 263, 264, 266, 267, 268, 269})
        ExpectBitmapSize(id, 40, 20);
    for (int id : {157, 158, 159})
        ExpectBitmapSize(id, 13 * 32, 32);
    ExpectBitmapSize(160, 120, 24);
    ExpectBitmapSize(265, 120, 24);
    ExpectBitmapSize(161, 200, 20);
    ExpectBitmapSize(163, 144, 24);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(162), RT_BITMAP), nullptr);
}

// Each cell of a tool-bar strip draws its picture inside the button image size (25 x 23) and
// leaves the rest of the 32 x 32 cell transparent; the looks share one mask, the disabled one is
// grey and the hot one differs from the normal one in every cell.
TEST(GlintoraBitmapsTest, ToolBarCellsShareTheirMaskAcrossTheThreeLooks) {
    Bmp normal(IDB_TOOLBAR), disabled(IDB_TOOLBAR_DISABLED), hot(IDB_TOOLBAR_HOT);
    ASSERT_TRUE(normal.Valid() && disabled.Valid() && hot.Valid());
    for (int cell = 0; cell < 13; ++cell) {
        int left = cell * 32;
        auto [mask, picture] = normal.Coverage(left, 0, 25, 23);
        EXPECT_GT(mask, 25 * 23 / 10) << cell;
        EXPECT_GT(picture, 25 * 23 / 5) << cell;
        EXPECT_EQ(normal.Coverage(left + 25, 0, 7, 32).second, 0) << cell;
        EXPECT_EQ(normal.Coverage(left, 23, 25, 9).second, 0) << cell;
        for (int other = cell + 1; other < 13; ++other)
            EXPECT_FALSE(SameImage(normal, left, 0, normal, other * 32, 0, 32, 32)) << cell;

        bool hotDiffers = false;
        for (int y = 0; y < 32; ++y) {
            for (int x = left; x < left + 32; ++x) {
                bool masked = normal.Pixel(x, y) == kMagenta;
                ASSERT_EQ(disabled.Pixel(x, y) == kMagenta, masked) << cell;
                ASSERT_EQ(hot.Pixel(x, y) == kMagenta, masked) << cell;
                hotDiffers |= hot.Pixel(x, y) != normal.Pixel(x, y);
                std::uint32_t grey = disabled.Pixel(x, y);
                if (!masked) {
                    ASSERT_EQ(grey >> 16, (grey >> 8) & 0xFF) << cell;
                    ASSERT_EQ(grey & 0xFF, (grey >> 8) & 0xFF) << cell;
                }
            }
        }
        EXPECT_TRUE(hotDiffers) << cell;
    }
}

// A hover button shows image 0 and, under the mouse, image 1 of its bitmap; the second bitmap of
// a pair starts with that same hot image.
TEST(GlintoraBitmapsTest, HoverPairsShareTheirHotImage) {
    struct Pair {
        int normal, hot, cx, cy;
    };
    for (Pair pair :
         {Pair{IDB_GO, IDB_GO_HOT, 20, 20}, Pair{IDB_CLOSE_TAB, IDB_CLOSE_TAB_HOT, 20, 20},
          Pair{IDB_PAGE_SETTINGS, IDB_PAGE_SETTINGS_HOT, 20, 20},
          Pair{IDB_PICTURE_SEARCH, IDB_PICTURE_SEARCH_HOT, 20, 20},
          Pair{IDB_PICTURE_URL_GO, IDB_PICTURE_URL_GO_HOT, 20, 20},
          Pair{IDB_MENU_BUTTON, IDB_MENU_BUTTON_HOT, 60, 24}}) {
        Bmp first(pair.normal), second(pair.hot);
        ASSERT_TRUE(first.Valid() && second.Valid()) << pair.normal;
        int cx = pair.cx, cy = pair.cy;
        EXPECT_FALSE(SameImage(first, 0, 0, first, cx, 0, cx, cy)) << pair.normal;
        EXPECT_FALSE(SameImage(second, 0, 0, second, cx, 0, cx, cy)) << pair.hot;
        EXPECT_TRUE(SameImage(first, cx, 0, second, 0, 0, cx, cy)) << pair.normal;
        EXPECT_GT(first.Coverage(0, 0, cx, cy).second, 20) << pair.normal;
    }
    // The two picture buttons sit side by side on the tab bar and must not look alike.
    Bmp search(IDB_PICTURE_SEARCH), address(IDB_PICTURE_URL_GO);
    EXPECT_FALSE(SameImage(search, 0, 0, address, 0, 0, 20, 20));

    Bmp paused(IDB_FILTER_PAUSED), on(IDB_FILTER_ON);
    ASSERT_TRUE(paused.Valid() && on.Valid());
    EXPECT_FALSE(SameImage(paused, 0, 0, paused, 20, 0, 20, 20));
    EXPECT_FALSE(SameImage(on, 0, 0, on, 20, 0, 20, 20));
    EXPECT_FALSE(SameImage(paused, 0, 0, on, 0, 0, 20, 20));
}

TEST(GlintoraBitmapsTest, FilterButtonLeavesRoomForItsText) {
    Bmp button(IDB_FILTER_BUTTON);
    ASSERT_TRUE(button.Valid());
    EXPECT_FALSE(SameImage(button, 0, 0, button, 100, 0, 100, 20));
    for (int image = 0; image < 2; ++image) {
        EXPECT_EQ(button.Coverage(image * 100 + 20, 2, 60, 16).second, 0) << image;
        EXPECT_GT(button.Coverage(image * 100, 0, 20, 20).second, 40) << image;
    }
}

TEST(GlintoraBitmapsTest, BusyFramesAreSixDifferentPictures) {
    Bmp busy(IDB_BUSY);
    ASSERT_TRUE(busy.Valid());
    for (int a = 0; a < 6; ++a) {
        auto [mask, picture] = busy.Coverage(a * 24, 0, 24, 24);
        EXPECT_GT(mask, picture) << a;
        EXPECT_GT(picture, 20) << a;
        for (int b = a + 1; b < 6; ++b)
            EXPECT_FALSE(SameImage(busy, a * 24, 0, busy, b * 24, 0, 24, 24)) << a << " " << b;
    }
}

TEST(GlintoraBitmapsTest, ProgramIconLoads) {
    EXPECT_TRUE(FindResourceBytes(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON));
    EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME)), nullptr);
}

}  // namespace
}  // namespace platform
