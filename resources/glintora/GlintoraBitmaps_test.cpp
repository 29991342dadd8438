// The picture collector's bitmaps and icon: the sizes the browser's chrome cuts them by, 24-bit
// format, the magenta mask, and which images of a strip must differ or agree.
#include <gtest/gtest.h>

#include "platform/drawing/ResourceImages.h"
#include "resources/glintora/resource.h"
#include "resources/testing/Bmp.h"
#include "resources/testing/BrowserChromeChecks.h"

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

TEST(GlintoraBitmapsTest, ToolBarStripsShareTheirMaskAcrossTheThreeLooks) {
    ExpectToolBarStrips(IDB_TOOLBAR, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT);
}

TEST(GlintoraBitmapsTest, HoverPairsShareTheirHotImage) {
    ExpectHoverPair(IDB_GO, IDB_GO_HOT, 20, 20);
    ExpectHoverPair(IDB_CLOSE_TAB, IDB_CLOSE_TAB_HOT, 20, 20);
    ExpectHoverPair(IDB_PAGE_SETTINGS, IDB_PAGE_SETTINGS_HOT, 20, 20);
    ExpectHoverPair(IDB_PICTURE_SEARCH, IDB_PICTURE_SEARCH_HOT, 20, 20);
    ExpectHoverPair(IDB_PICTURE_URL_GO, IDB_PICTURE_URL_GO_HOT, 20, 20);
    ExpectHoverPair(IDB_MENU_BUTTON, IDB_MENU_BUTTON_HOT, 60, 24);
    // The two picture buttons sit side by side on the tab bar and must not look alike.
    Bmp search(IDB_PICTURE_SEARCH), address(IDB_PICTURE_URL_GO);
    EXPECT_FALSE(SameImage(search, 0, 0, address, 0, 0, 20, 20));
    ExpectFilterSwitch(IDB_FILTER_PAUSED, IDB_FILTER_ON);
}

TEST(GlintoraBitmapsTest, FilterButtonLeavesRoomForItsText) {
    ExpectFilterButton(IDB_FILTER_BUTTON);
}

TEST(GlintoraBitmapsTest, BusyFramesAreSixDifferentPictures) {
    ExpectBusyFrames(IDB_BUSY);
}

TEST(GlintoraBitmapsTest, ProgramIconLoads) {
    ExpectProgramIcon(IDR_MAINFRAME);
}

}  // namespace
}  // namespace platform
