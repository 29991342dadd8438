#include "browser/HoverButton.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

constexpr UINT kGoBitmap = 139;
constexpr UINT kCloseBitmap = 141;

class HoverButtonTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(button.Create("打开", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                  CRect(10, 10, 70, 34), frame, 1000));
        platform::PumpUntilIdle();
    }

    // A point where the bitmap's normal and hot images differ (neither magenta), and the
    // colours of both there.
    struct Probe {
        POINT at{-1, -1};
        COLORREF normal = 0;
        COLORREF hot = 0;
    };
    static Probe FindProbe(UINT bitmapId) {
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.LoadBitmap(bitmapId));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        Probe probe;
        for (int y = 0; y < 20 && probe.at.x < 0; ++y) {
            for (int x = 0; x < 20; ++x) {
                COLORREF normal = dc.GetPixel(x, y);
                COLORREF hot = dc.GetPixel(x + 20, y);
                if (normal != hot && normal != RGB(255, 0, 255) && hot != RGB(255, 0, 255)) {
                    probe = {{x, y}, normal, hot};
                    break;
                }
            }
        }
        dc.SelectObject(old);
        return probe;
    }

    std::string TipText() {
        CString text;
        button.tooltip.GetText(text, &button);
        return std::string(text);
    }

    void MoveMouse(POINT screen) {
        platform::InjectMouse(MOUSEEVENTF_MOVE, screen);
        platform::PumpUntilIdle();
    }

    CHoverButton button;
};

TEST_F(HoverButtonTest, WithoutABitmapTheCaptionIsBlackOnTheButtonBackground) {
    EXPECT_EQ(button.textMode, 1);
    EXPECT_EQ(PixelAt(button, 0, 0), kButtonBackground);
    EXPECT_EQ(PixelAt(button, 59, 23), kButtonBackground);
    EXPECT_GT(CountColor(button, CRect(0, 0, 60, 24), RGB(0, 0, 0)), 20);
    // Left and right of the centred caption stays background.
    EXPECT_EQ(PixelAt(button, 3, 12), kButtonBackground);
    EXPECT_EQ(PixelAt(button, 56, 12), kButtonBackground);
}

TEST_F(HoverButtonTest, TheHotImageShowsWhileTheMouseIsOverAndAfterLeavingTheNormalOneAgain) {
    button.SetBitmap(20, 20, kGoBitmap, "在新窗口中打开网页");
    EXPECT_EQ(button.textMode, 0);
    EXPECT_EQ(button.images.GetImageCount(), 2);
    Probe probe = FindProbe(kGoBitmap);
    ASSERT_GE(probe.at.x, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.normal);
    // Outside the 20 x 20 image the button's background shows.
    EXPECT_EQ(PixelAt(button, 40, 22), kButtonBackground);

    MoveMouse(ScreenPoint(button, 30, 12));
    EXPECT_EQ(button.state, CHoverButton::kHot);
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.hot);

    // The mouse jumps far away: the button hears no move, only its timer notices.
    MoveMouse(ScreenPoint(*frame, 400, 300));
    EXPECT_EQ(button.state, CHoverButton::kHot);
    Tick(99);
    EXPECT_EQ(button.state, CHoverButton::kHot);
    Tick(1);
    EXPECT_EQ(button.state, CHoverButton::kNormal);
    EXPECT_EQ(button.leaveTimer, 0u);
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.normal);
}

TEST_F(HoverButtonTest, TheTimerKeepsTheHotLookWhileTheCursorStaysOnTheButton) {
    button.SetBitmap(20, 20, kGoBitmap, "tip");
    MoveMouse(ScreenPoint(button, 5, 5));
    Tick(100);
    Tick(100);
    EXPECT_EQ(button.state, CHoverButton::kHot);
    EXPECT_EQ(button.leaveTimer, CHoverButton::kLeaveTimer);
}

TEST_F(HoverButtonTest, PressingShowsHotAndReleasingNormalWhileTheClickReachesTheParent) {
    button.SetBitmap(20, 20, kGoBitmap, "tip");
    Probe probe = FindProbe(kGoBitmap);
    POINT at = ScreenPoint(button, 5, 5);
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
    platform::PumpUntilIdle();
    EXPECT_EQ(button.state, CHoverButton::kHot);
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.hot);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, at);
    platform::PumpUntilIdle();
    EXPECT_EQ(button.state, CHoverButton::kNormal);
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.normal);
    EXPECT_EQ(frame->commands, std::vector<UINT>{1000});
}

TEST_F(HoverButtonTest, BitmapIdZeroChangesOnlyTheTipText) {
    button.SetBitmap(0, 0, 0, "第一");
    EXPECT_EQ(button.textMode, 1);
    ASSERT_NE(button.tooltip.m_hWnd, nullptr);
    EXPECT_EQ(TipText(), "第一");
    EXPECT_EQ(button.tooltip.GetToolCount(), 1);

    button.SetBitmap(20, 20, kCloseBitmap, "关闭当前网页");
    HWND tooltip = button.tooltip.m_hWnd;
    HIMAGELIST images = button.images.GetSafeHandle();
    button.SetBitmap(0, 0, 0, "设置网页搜索功能");
    EXPECT_EQ(button.textMode, 0);
    EXPECT_EQ(button.tooltip.m_hWnd, tooltip);
    EXPECT_EQ(button.images.GetSafeHandle(), images);
    EXPECT_EQ(button.tooltip.GetToolCount(), 1);
    EXPECT_EQ(TipText(), "设置网页搜索功能");
}

TEST_F(HoverButtonTest, MouseMessagesReachTheTipWhichShowsAfterItsDelay) {
    button.SetBitmap(20, 20, kGoBitmap, "在新窗口中打开网页");
    MoveMouse(ScreenPoint(button, 8, 8));
    EXPECT_FALSE(button.tooltip.IsWindowVisible());
    for (int step = 0; step < 10; ++step) {
        Tick(100);
    }
    EXPECT_TRUE(button.tooltip.IsWindowVisible());
}

TEST_F(HoverButtonTest, AMissingBitmapLeavesAnEmptyImageList) {
    button.SetBitmap(20, 20, 9999, "tip");
    EXPECT_EQ(button.textMode, 0);
    EXPECT_EQ(button.images.GetImageCount(), 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(PixelAt(button, 5, 5), kButtonBackground);
}

// The picture collector's buttons: the caption over the image, in the skin's colours, grey while
// disabled.
TEST_F(HoverButtonTest, WithTheCaptionOverTheImageTheSkinsTextColoursFollowTheState) {
    constexpr COLORREF kText = RGB(0, 0, 200);
    constexpr COLORREF kSelectedText = RGB(200, 0, 0);
    Skin().buttonText = kText;
    Skin().selectedButtonText = kSelectedText;
    button.SetBitmap(20, 20, kGoBitmap, "tip");
    button.captionOverImage = TRUE;
    const Probe probe = FindProbe(kGoBitmap);
    button.Invalidate();
    platform::PumpUntilIdle();
    const CRect all(0, 0, 60, 24);
    EXPECT_GT(CountColor(button, all, kText), 20);
    EXPECT_EQ(CountColor(button, all, RGB(0, 0, 0)), 0);
    EXPECT_EQ(PixelAt(button, probe.at.x, probe.at.y), probe.normal);

    MoveMouse(ScreenPoint(button, 30, 12));
    EXPECT_GT(CountColor(button, all, kSelectedText), 20);
    EXPECT_EQ(CountColor(button, all, kText), 0);

    MoveMouse(ScreenPoint(*frame, 400, 300));
    Tick(100);
    button.EnableWindow(FALSE);
    platform::PumpUntilIdle();
    EXPECT_GT(CountColor(button, all, RGB(200, 200, 200)), 20);
    EXPECT_EQ(CountColor(button, all, kText), 0);
}

}  // namespace
