#include "browser/ProgressButton.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

class ProgressButtonTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(progress.Create("progress", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                    CRect(10, 10, 110, 30), frame, 0));
        platform::PumpUntilIdle();
    }

    // The colours along the middle row.
    std::vector<COLORREF> Row() {
        platform::Surface shot = platform::CaptureScreen();
        std::vector<COLORREF> row;
        for (int x = 0; x < 100; ++x) {
            row.push_back(PixelIn(shot, progress, x, 10));
        }
        return row;
    }

    CProgressButton progress;
};

TEST_F(ProgressButtonTest, OutOfRangeValuesBecomeZero) {
    EXPECT_EQ(progress.SetProgress(100), 100);
    EXPECT_EQ(progress.SetProgress(101), 0);
    EXPECT_EQ(progress.position, 0);
    EXPECT_EQ(progress.SetProgress(57), 57);
    EXPECT_EQ(progress.SetProgress(-1), 0);
    EXPECT_EQ(progress.SetProgress(0), 0);
}

TEST_F(ProgressButtonTest, TheFilledPartEndsAtItsShareOfTheWidthInsideTheBorder) {
    progress.SetProgress(30);
    platform::PumpUntilIdle();
    std::vector<COLORREF> row = Row();
    EXPECT_EQ(row[0], kStatusItemBorder);
    EXPECT_EQ(row[1], kProgress1);
    EXPECT_EQ(row[29], kProgress1);
    EXPECT_EQ(row[31], kProgress2);
    EXPECT_EQ(row[98], kProgress2);
    EXPECT_EQ(row[99], kStatusItemBorder);
    EXPECT_EQ(PixelAt(progress, 50, 0), kStatusItemBorder);
    EXPECT_EQ(PixelAt(progress, 50, 19), kStatusItemBorder);
}

TEST_F(ProgressButtonTest, ValuesOutOfRangeShowAnEmptyBar) {
    progress.SetProgress(80);
    platform::PumpUntilIdle();
    EXPECT_EQ(PixelAt(progress, 50, 10), kProgress1);
    for (int value : {101, -1}) {
        progress.SetProgress(80);
        platform::PumpUntilIdle();
        progress.SetProgress(value);
        platform::PumpUntilIdle();
        std::vector<COLORREF> row = Row();
        EXPECT_EQ(std::count(row.begin() + 2, row.end() - 1, kProgress2), 97) << value;
    }
}

TEST_F(ProgressButtonTest, FullBarHasNoSecondColour) {
    progress.SetProgress(100);
    platform::PumpUntilIdle();
    std::vector<COLORREF> row = Row();
    EXPECT_EQ(std::count(row.begin() + 1, row.end() - 1, kProgress1), 98);
}

}  // namespace
