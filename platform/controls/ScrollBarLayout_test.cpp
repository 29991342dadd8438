#include "platform/controls/ScrollBarLayout.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

ScrollState State(int min, int max, UINT page, int pos) {
    ScrollState state;
    state.min = min;
    state.max = max;
    state.page = page;
    state.pos = pos;
    return state;
}

TEST(ScrollBarLayoutTest, ArrowsTrackAndProportionalThumbOfAVerticalBar) {
    // 100 high: arrows of 16, a track of 68; a page of 50 out of 100 gives a thumb of 34.
    const ScrollBarLayout layout(RECT{0, 0, 16, 100}, true, State(0, 99, 50, 25));
    EXPECT_EQ(layout.UpArrow().bottom, 16);
    EXPECT_EQ(layout.DownArrow().top, 84);
    EXPECT_EQ(layout.Track().top, 16);
    EXPECT_EQ(layout.Track().bottom, 84);
    // The thumb travels 34 pixels over positions 0..50.
    EXPECT_EQ(layout.Thumb().top, 16 + 34 * 25 / 50);
    EXPECT_EQ(layout.Thumb().bottom - layout.Thumb().top, 34);
    EXPECT_EQ(layout.PartAt(POINT{8, 5}), ScrollPart::LineUp);
    EXPECT_EQ(layout.PartAt(POINT{8, 20}), ScrollPart::PageUp);
    EXPECT_EQ(layout.PartAt(POINT{8, 40}), ScrollPart::Thumb);
    EXPECT_EQ(layout.PartAt(POINT{8, 80}), ScrollPart::PageDown);
    EXPECT_EQ(layout.PartAt(POINT{8, 99}), ScrollPart::LineDown);
    EXPECT_EQ(layout.PartAt(POINT{16, 40}), ScrollPart::None);
    EXPECT_EQ(layout.PositionAtThumbOffset(0), 0);
    EXPECT_EQ(layout.PositionAtThumbOffset(17), 25);
    EXPECT_EQ(layout.PositionAtThumbOffset(34), 50);
    EXPECT_EQ(layout.PositionAtThumbOffset(500), 50);
    EXPECT_EQ(layout.PositionAtThumbOffset(-3), 0);
}

TEST(ScrollBarLayoutTest, ThumbKeepsAMinimumSizeAndDisappearsWhenNothingScrolls) {
    const ScrollBarLayout tiny(RECT{0, 0, 100, 16}, false, State(0, 9999, 1, 0));
    EXPECT_EQ(tiny.Thumb().right - tiny.Thumb().left, 8);
    EXPECT_EQ(tiny.Thumb().left, 16);
    const ScrollBarLayout noPage(RECT{0, 0, 100, 16}, false, State(0, 10, 0, 10));
    EXPECT_EQ(noPage.Thumb().right - noPage.Thumb().left, 16);
    EXPECT_EQ(noPage.Thumb().right, 84);
    const ScrollBarLayout fits(RECT{0, 0, 16, 100}, true, State(0, 9, 10, 0));
    EXPECT_FALSE(fits.HasThumb());
    EXPECT_EQ(fits.PartAt(POINT{8, 50}), ScrollPart::None);
    // Too short for a thumb: the arrows share the length.
    const ScrollBarLayout squeezed(RECT{0, 0, 16, 20}, true, State(0, 100, 0, 0));
    EXPECT_EQ(squeezed.UpArrow().bottom, 10);
    EXPECT_FALSE(squeezed.HasThumb());
}

TEST(ScrollBarLayoutTest, StateLimitsFollowThePage) {
    EXPECT_EQ(State(0, 99, 10, 0).MaxPos(), 90);
    EXPECT_EQ(State(0, 99, 0, 0).MaxPos(), 99);
    EXPECT_EQ(State(5, 5, 0, 0).MaxPos(), 5);
    EXPECT_TRUE(State(0, 10, 10, 0).Scrollable());
    EXPECT_FALSE(State(0, 10, 11, 0).Scrollable());
    EXPECT_FALSE(State(3, 3, 0, 0).Scrollable());
}

}  // namespace
}  // namespace platform
