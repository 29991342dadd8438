#include "browser/FilterButton.h"

#include <gtest/gtest.h>

#include <chrono>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserDialogTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/time/Clock.h"

namespace {

using browser_testing::BrowserDialogTest;

constexpr COLORREF kNormalBack = RGB(10, 20, 30);
constexpr COLORREF kNormalText = RGB(40, 50, 60);
constexpr COLORREF kSelectedBack = RGB(200, 100, 0);
constexpr COLORREF kSelectedText = RGB(0, 100, 200);
// Pixels of the button's picture: (0, 0) is transparent in both images, (1, 1) differs between
// the normal and the hover image.
constexpr COLORREF kNormalImageAt11 = RGB(154, 168, 191);
constexpr COLORREF kHoverImageAt11 = RGB(208, 80, 42);

class FilterButtonTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        platform::InstallScreen();
        platform::UseTestClock(SYSTEMTIME{2026, 3, 0, 2, 10, 0, 0, 0});
        ResetSkin();
        Skin().buttonBackground = kNormalBack;
        Skin().buttonText = kNormalText;
        Skin().selectedButtonBackground = kSelectedBack;
        Skin().selectedButtonText = kSelectedText;
        DataStore().promptMode = -1;
        button.Create("弹出菜单管理", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                      CRect(200, 100, 300, 120), &frame, 1003);
        platform::PumpUntilIdle();
    }
    void TearDown() override {
        button.DestroyWindow();
        DataStore().promptMode = -1;
        platform::UseRealClock();
        ResetSkin();
        BrowserDialogTest::TearDown();
    }

    void Tick(int milliseconds) {
        platform::AdvanceTestClock(std::chrono::milliseconds(milliseconds));
        platform::PumpUntilIdle();
    }
    COLORREF PixelAt(int x, int y) {
        platform::PumpUntilIdle();
        return platform::ColorFromPixel(platform::CaptureWindow(button).At(x, y));
    }
    std::string ToolText() {
        char text[256] = {};
        TOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.hwnd = button.m_hWnd;
        info.uId = CFilterButton::kToolId;
        info.lpszText = text;
        SendMessageA(button.tooltip, TTM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(&info));
        return text;
    }
    POINT ScreenPoint(int x, int y) {
        POINT point{x, y};
        button.ClientToScreen(&point);
        return point;
    }

    CFilterButton button;
};

TEST_F(FilterButtonTest, PaintsTheSkinsButtonColoursUnderItsPicture) {
    EXPECT_EQ(button.backColor, kNormalBack);
    EXPECT_EQ(button.textColor, kNormalText);
    EXPECT_EQ(PixelAt(0, 0), kNormalBack);
    EXPECT_EQ(PixelAt(1, 1), kNormalImageAt11);
    EXPECT_EQ(button.images.GetImageCount(), 2);
}

TEST_F(FilterButtonTest, TheToolTipNamesTheActionThenTheCount) {
    button.SetTip("网页过滤工具条,点击查看详细过滤设置");
    ASSERT_NE(button.tooltip, nullptr);
    EXPECT_EQ(SendMessageA(button.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(), "显示阻止窗口");
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = button.m_hWnd;
    info.uId = CFilterButton::kToolId;
    ASSERT_TRUE(SendMessageA(button.tooltip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.rect.right, 300);
    EXPECT_EQ(info.rect.bottom, 20);
    button.SetBlockedCount(12);
    EXPECT_EQ(button.blockedCount, 12);
    EXPECT_EQ(ToolText(), "己过滤网址:12个  点击查看详细");
}

TEST_F(FilterButtonTest, BlinksTwicePerPromptAndStops) {
    DataStore().promptMode = 2;
    button.StartBlink();
    std::vector<COLORREF> backs;
    std::vector<COLORREF> texts;
    std::vector<COLORREF> pixels;
    for (int tick = 1; tick <= 5; ++tick) {
        Tick(500);
        backs.push_back(button.backColor);
        texts.push_back(button.textColor);
        pixels.push_back(PixelAt(0, 0));
    }
    const std::vector<COLORREF> expected = {kSelectedBack, kNormalBack, kSelectedBack, kNormalBack,
                                            kNormalBack};
    EXPECT_EQ(backs, expected);
    EXPECT_EQ(pixels, expected);
    EXPECT_EQ(texts, (std::vector<COLORREF>{kSelectedText, kNormalText, kSelectedText, kNormalText,
                                            kNormalText}));
    EXPECT_EQ(button.blinkTimer, 0u);
    EXPECT_EQ(button.blinkCount, 0);
    Tick(500);
    EXPECT_EQ(button.backColor, kNormalBack);
}

TEST_F(FilterButtonTest, NoPromptNeverShowsTheSelectedColours) {
    DataStore().promptMode = 0;
    button.StartBlink();
    Tick(500);
    EXPECT_EQ(button.backColor, kNormalBack);
    EXPECT_EQ(button.blinkTimer, 0u);
}

TEST_F(FilterButtonTest, PromptUntilConfirmedBlinksUntilStopped) {
    DataStore().promptMode = -1;
    button.StartBlink();
    for (int tick = 1; tick <= 41; ++tick) {
        Tick(500);
    }
    EXPECT_EQ(button.blinkCount, 41);
    EXPECT_EQ(button.backColor, kSelectedBack);
    button.StopBlink();
    EXPECT_EQ(button.backColor, kNormalBack);
    EXPECT_EQ(button.textColor, kNormalText);
    Tick(500);
    EXPECT_EQ(button.backColor, kNormalBack);
}

TEST_F(FilterButtonTest, StartingAgainRestartsTheCount) {
    DataStore().promptMode = 1;
    button.StartBlink();
    Tick(500);
    button.StartBlink();
    EXPECT_EQ(button.backColor, kNormalBack);
    Tick(500);
    EXPECT_EQ(button.backColor, kSelectedBack);
}

TEST_F(FilterButtonTest, HoverShowsTheSecondImageUntilTheMouseLeaves) {
    platform::InjectMouse(0, ScreenPoint(50, 10));
    platform::PumpUntilIdle();
    EXPECT_EQ(button.hover, 1);
    EXPECT_EQ(PixelAt(1, 1), kHoverImageAt11);
    Tick(100);
    EXPECT_EQ(button.hover, 1);
    platform::InjectMouse(0, ScreenPoint(150, 10));
    platform::PumpUntilIdle();
    EXPECT_EQ(button.hover, 1);
    Tick(100);
    EXPECT_EQ(button.hover, 0);
    EXPECT_EQ(PixelAt(1, 1), kNormalImageAt11);
}

TEST_F(FilterButtonTest, AClickAsksTheFrameForTheBlockedList) {
    ClickAt(ScreenPoint(50, 10));
    EXPECT_EQ(frame.blockedListShows, 1);
}

TEST_F(FilterButtonTest, ASkinChangeReachesTheButton) {
    Skin().buttonBackground = RGB(1, 2, 3);
    button.TakeSkinColors();
    EXPECT_EQ(PixelAt(0, 0), RGB(1, 2, 3));
}

}  // namespace
