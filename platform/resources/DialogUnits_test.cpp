#include "platform/resources/DialogUnits.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DialogUnitsTest, ConvertsWithMapDialogRectRounding) {
    // A 9-point 宋体 at 96 dots per inch: 6 pixels average width, 12 pixels high.
    DialogBaseUnits base{6, 12};
    RECT pixels = DialogUnitsToPixels(RECT{7, 9, 521, 345}, base);
    EXPECT_EQ(pixels.left, 11);                      // 10.5 rounds up
    EXPECT_EQ(pixels.top, 14);                       // 13.5 rounds up
    EXPECT_EQ(pixels.right, 782);                    // 781.5
    EXPECT_EQ(pixels.bottom, 518);                   // 517.5
    EXPECT_EQ(DialogUnitsToPixelsX(-7, base), -11);  // halves round away from zero
    EXPECT_EQ(DialogUnitsToPixelsY(-1, base), -2);
    EXPECT_EQ(DialogUnitsToPixelsX(0, base), 0);
    EXPECT_EQ(DialogUnitsToPixelsX(1, DialogBaseUnits{7, 13}), 2);  // 1.75
    EXPECT_EQ(DialogUnitsToPixelsY(1, DialogBaseUnits{7, 13}), 2);  // 1.625
}

TEST(DialogUnitsTest, AverageWidthFromTheLetterExtent) {
    EXPECT_EQ(AverageCharWidthFromLetters(312), 6);  // 12 per letter pair, halved
    EXPECT_EQ(AverageCharWidthFromLetters(338), 7);  // 13 rounds up
    EXPECT_EQ(AverageCharWidthFromLetters(0), 0);
}

}  // namespace
}  // namespace platform
