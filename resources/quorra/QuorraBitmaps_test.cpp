// The browser's bitmaps and icon: sizes, 24-bit format, the magenta mask and which images of a
// strip must differ or agree.
#include <gtest/gtest.h>

#include "platform/drawing/ResourceImages.h"
#include "resources/quorra/resource.h"
#include "resources/testing/Bmp.h"
#include "resources/testing/BrowserChromeChecks.h"

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

TEST(QuorraBitmapsTest, ToolBarStripsShareTheirMaskAcrossTheThreeLooks) {
    ExpectToolBarStrips(IDB_TOOLBAR, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT);
}

TEST(QuorraBitmapsTest, HoverPairsShareTheirHotImage) {
    ExpectHoverPair(IDB_GO, IDB_GO_HOT, 20, 20);
    ExpectHoverPair(IDB_CLOSE_TAB, IDB_CLOSE_TAB_HOT, 20, 20);
    ExpectHoverPair(IDB_PAGE_SETTINGS, IDB_PAGE_SETTINGS_HOT, 20, 20);
    ExpectHoverPair(IDB_MENU_BUTTON, IDB_MENU_BUTTON_HOT, 60, 24);
    ExpectFilterSwitch(IDB_FILTER_PAUSED, IDB_FILTER_ON);
}

TEST(QuorraBitmapsTest, FilterButtonHasTwoBackgroundsWithRoomForItsText) {
    ExpectFilterButton(IDB_FILTER_BUTTON);
}

TEST(QuorraBitmapsTest, BusyFramesAreSixDifferentPictures) {
    ExpectBusyFrames(IDB_BUSY);
}

TEST(QuorraBitmapsTest, ProgramIconLoads) {
    ExpectProgramIcon(IDR_MAINFRAME);
}

}  // namespace
}  // namespace platform
