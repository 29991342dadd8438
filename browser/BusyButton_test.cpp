#include "browser/BusyButton.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

class BusyButtonTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(
            busy.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(1, 4, 25, 28), frame, 0));
        platform::PumpUntilIdle();
    }

    // The frame's picture as the bitmap holds it, magenta showing the background.
    static std::vector<COLORREF> FramePicture(int index) {
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.LoadBitmap(CBusyButton::kBitmapId));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                COLORREF pixel = dc.GetPixel(index * 24 + x, y);
                pixels.push_back(pixel == RGB(255, 0, 255) ? kTabBackground : pixel);
            }
        }
        dc.SelectObject(old);
        return pixels;
    }
    std::vector<COLORREF> Shown() {
        platform::Surface shot = platform::CaptureScreen();
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                pixels.push_back(PixelIn(shot, busy, x, y));
            }
        }
        return pixels;
    }

    CBusyButton busy;
};

TEST_F(BusyButtonTest, CreationLoadsTheSixFramesAndShowsTheFirst) {
    EXPECT_EQ(busy.images.GetImageCount(), CBusyButton::kFrameCount);
    EXPECT_EQ(busy.frame, 0);
    EXPECT_EQ(busy.timer, 0u);
    EXPECT_EQ(Shown(), FramePicture(0));
    EXPECT_NE(FramePicture(0), FramePicture(1));
}

TEST_F(BusyButtonTest, SevenTicksAfterStartShowFramesOneToFiveThenZeroAndOne) {
    EXPECT_EQ(busy.StartBusy(), 1);
    EXPECT_EQ(busy.timer, CBusyButton::kTimerId);
    std::vector<int> frames;
    for (int tick = 0; tick < 7; ++tick) {
        Tick(200);
        frames.push_back(busy.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 0, 1}));
    EXPECT_EQ(Shown(), FramePicture(1));
}

TEST_F(BusyButtonTest, NoFrameAdvancesBefore200Milliseconds) {
    busy.StartBusy();
    Tick(199);
    EXPECT_EQ(busy.frame, 0);
    Tick(1);
    EXPECT_EQ(busy.frame, 1);
}

TEST_F(BusyButtonTest, StopReturnsToTheFirstFrameAndStopsTheClock) {
    busy.StartBusy();
    Tick(200);
    Tick(200);
    Tick(200);
    ASSERT_EQ(busy.frame, 3);
    EXPECT_EQ(busy.StopBusy(), 0);
    EXPECT_EQ(busy.timer, 0u);
    EXPECT_EQ(busy.frame, 0);
    Tick(1000);
    EXPECT_EQ(busy.frame, 0);
    EXPECT_EQ(Shown(), FramePicture(0));
}

TEST_F(BusyButtonTest, ASecondStartRestartsTheTimerAndKeepsTheFrame) {
    busy.StartBusy();
    Tick(200);
    Tick(200);
    Tick(150);
    EXPECT_EQ(busy.StartBusy(), 1);
    EXPECT_EQ(busy.frame, 2);
    Tick(150);
    EXPECT_EQ(busy.frame, 2);
    Tick(50);
    EXPECT_EQ(busy.frame, 3);
}

TEST_F(BusyButtonTest, TheBackgroundIsTheSkinsTabBackground) {
    busy.MoveWindow(1, 4, 30, 28);
    platform::PumpUntilIdle();
    EXPECT_EQ(PixelAt(busy, 27, 10), kTabBackground);
}

}  // namespace
