// The browser's bitmaps and icon: sizes, 24-bit format, the magenta mask and which images of a
// strip must differ or agree.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/drawing/ResourceImages.h"
#include "resources/quorra/resource.h"
#include "resources/testing/Bmp.h"

namespace platform {
namespace {

using namespace resource_checks;

TEST(QuorraBitmapsTest, EveryBitmapHasItsSize) {
    for (int id : {139, 140, 141, 142, 143, 144, 263, 264})
        ExpectBitmapSize(id, 40, 20);
    for (int id : {157, 158, 159})
        ExpectBitmapSize(id, 13 * 32, 32);
    ExpectBitmapSize(160, 120, 24);
    ExpectBitmapSize(265, 120, 24);
    ExpectBitmapSize(161, 200, 20);
    ExpectBitmapSize(163, 144, 24);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(162), RT_BITMAP), nullptr);
}

// Each cell of a tool-bar strip draws its picture inside the button's image size (25 x 23) and
// leaves the rest of the 32 x 32 cell transparent.
TEST(QuorraBitmapsTest, ToolBarCellsKeepTheirPictureInTheButtonImageSize) {
    for (int id : {IDB_TOOLBAR, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT}) {
        Bmp strip(id);
        ASSERT_TRUE(strip.Valid()) << id;
        for (int cell = 0; cell < 13; ++cell) {
            auto [mask, picture] = strip.Coverage(cell * 32, 0, 25, 23);
            EXPECT_GT(mask, 25 * 23 / 10) << id << " cell " << cell;
            EXPECT_GT(picture, 25 * 23 / 5) << id << " cell " << cell;
            EXPECT_EQ(strip.Coverage(cell * 32 + 25, 0, 7, 32).second, 0) << id << " " << cell;
            EXPECT_EQ(strip.Coverage(cell * 32, 23, 25, 9).second, 0) << id << " " << cell;
        }
    }
}

TEST(QuorraBitmapsTest, ToolBarLooksDifferAndTheDisabledOneIsGrey) {
    Bmp normal(IDB_TOOLBAR), disabled(IDB_TOOLBAR_DISABLED), hot(IDB_TOOLBAR_HOT);
    ASSERT_TRUE(normal.Valid() && disabled.Valid() && hot.Valid());
    int hotChanged = 0;
    for (int cell = 0; cell < 13; ++cell) {
        int x = cell * 32;
        for (int other = cell + 1; other < 13; ++other) {
            EXPECT_FALSE(SameImage(normal, x, 0, normal, other * 32, 0, 32, 32))
                << cell << " and " << other;
        }
        // The mask is the same in every look; only the colours change.
        bool hotDiffers = false;
        for (int y = 0; y < 32; ++y) {
            for (int dx = 0; dx < 32; ++dx) {
                bool masked = normal.Pixel(x + dx, y) == kMagenta;
                ASSERT_EQ(disabled.Pixel(x + dx, y) == kMagenta, masked) << cell;
                ASSERT_EQ(hot.Pixel(x + dx, y) == kMagenta, masked) << cell;
                hotDiffers |= hot.Pixel(x + dx, y) != normal.Pixel(x + dx, y);
                std::uint32_t grey = disabled.Pixel(x + dx, y);
                if (!masked) {
                    ASSERT_EQ(grey >> 16, (grey >> 8) & 0xFF) << cell;
                    ASSERT_EQ(grey & 0xFF, (grey >> 8) & 0xFF) << cell;
                }
            }
        }
        if (hotDiffers)
            ++hotChanged;
    }
    EXPECT_EQ(hotChanged, 13);
}

// A hover button shows image 0 and, under the mouse, image 1 of its bitmap; the second bitmap of
// a pair starts with that same hot image.
TEST(QuorraBitmapsTest, HoverPairsShareTheirHotImage) {
    struct Pair {
        int normal, hot, cx, cy;
    };
    for (Pair pair :
         {Pair{IDB_GO, IDB_GO_HOT, 20, 20}, Pair{IDB_CLOSE_TAB, IDB_CLOSE_TAB_HOT, 20, 20},
          Pair{IDB_PAGE_SETTINGS, IDB_PAGE_SETTINGS_HOT, 20, 20},
          Pair{IDB_MENU_BUTTON, IDB_MENU_BUTTON_HOT, 60, 24}}) {
        Bmp first(pair.normal), second(pair.hot);
        ASSERT_TRUE(first.Valid() && second.Valid()) << pair.normal;
        int cx = pair.cx, cy = pair.cy;
        EXPECT_FALSE(SameImage(first, 0, 0, first, cx, 0, cx, cy)) << pair.normal;
        EXPECT_FALSE(SameImage(second, 0, 0, second, cx, 0, cx, cy)) << pair.hot;
        // Compare across the two files pixel by pixel.
        bool shared = true;
        for (int y = 0; y < cy && shared; ++y) {
            for (int x = 0; x < cx && shared; ++x)
                shared = first.Pixel(cx + x, y) == second.Pixel(x, y);
        }
        EXPECT_TRUE(shared) << pair.normal << " and " << pair.hot;
    }
    // The filter-settings button: paused and on look different, each with a hot image.
    Bmp paused(IDB_FILTER_PAUSED), on(IDB_FILTER_ON);
    ASSERT_TRUE(paused.Valid() && on.Valid());
    EXPECT_FALSE(SameImage(paused, 0, 0, paused, 20, 0, 20, 20));
    EXPECT_FALSE(SameImage(on, 0, 0, on, 20, 0, 20, 20));
    bool same = true;
    for (int y = 0; y < 20 && same; ++y) {
        for (int x = 0; x < 20 && same; ++x)
            same = paused.Pixel(x, y) == on.Pixel(x, y);
    }
    EXPECT_FALSE(same);
}

TEST(QuorraBitmapsTest, FilterButtonHasTwoBackgroundsWithRoomForItsText) {
    Bmp button(IDB_FILTER_BUTTON);
    ASSERT_TRUE(button.Valid());
    EXPECT_FALSE(SameImage(button, 0, 0, button, 100, 0, 100, 20));
    // The count is written centred over the image, so its middle must stay transparent.
    for (int image = 0; image < 2; ++image) {
        EXPECT_EQ(button.Coverage(image * 100 + 20, 2, 60, 16).second, 0) << image;
        EXPECT_GT(button.Coverage(image * 100, 0, 20, 20).second, 40) << image;
    }
}

TEST(QuorraBitmapsTest, BusyFramesAreSixDifferentPictures) {
    Bmp busy(IDB_BUSY);
    ASSERT_TRUE(busy.Valid());
    for (int a = 0; a < 6; ++a) {
        auto [mask, picture] = busy.Coverage(a * 24, 0, 24, 24);
        EXPECT_GT(mask, picture) << a;
        EXPECT_GT(picture, 20) << a;
        for (int b = a + 1; b < 6; ++b) {
            EXPECT_FALSE(SameImage(busy, a * 24, 0, busy, b * 24, 0, 24, 24)) << a << " and " << b;
        }
    }
}

TEST(QuorraBitmapsTest, ProgramIconLoads) {
    EXPECT_TRUE(FindResourceBytes(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON));
    EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME)), nullptr);
}

}  // namespace
}  // namespace platform
