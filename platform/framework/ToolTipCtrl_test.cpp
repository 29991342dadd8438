#include "platform/framework/ToolTipCtrl.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/framework/Button.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class ToolTipCtrlWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0});
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                                  nullptr, nullptr));
        ASSERT_TRUE(
            button.Create("过滤", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &host, 1033));
        ASSERT_TRUE(tips.Create(&host));
    }
    void TearDown() override {
        tips.DestroyWindow();
        button.DestroyWindow();
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
    }

    std::string TextOf(CWnd* window, UINT_PTR id) {
        CString text;
        tips.GetText(text, window, id);
        return static_cast<LPCSTR>(text);
    }
    // Hands the tool tip a mouse move over a point of the window, as PreTranslateMessage would.
    void Relay(CWnd& window, CPoint point) {
        CPoint screen = point;
        window.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        MSG msg{window.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y), 0, screen};
        tips.RelayEvent(&msg);
    }
    static void Wait(int ms) {
        platform::AdvanceTestClock(std::chrono::milliseconds(ms));
        platform::PumpUntilIdle();
    }
    bool Shown() const { return tips.IsWindowVisible() != FALSE; }

    CWnd host;
    CButton button;
    CToolTipCtrl tips;
};

TEST_F(ToolTipCtrlWrapperTest, ToolsAreNamedByWindowAndId) {
    EXPECT_EQ(tips.GetStyle() & WS_POPUP, static_cast<DWORD>(WS_POPUP));
    EXPECT_EQ(::GetWindow(tips.m_hWnd, GW_OWNER), host.m_hWnd);

    const CRect strip(0, 0, 300, 20);
    EXPECT_TRUE(tips.AddTool(&button, "整个按钮"));
    EXPECT_TRUE(tips.AddTool(&host, "己过滤网址:0个", &strip, 2));
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(TextOf(&button, 0), "整个按钮");
    EXPECT_EQ(TextOf(&host, 2), "己过滤网址:0个");
    EXPECT_EQ(TextOf(&host, 3), "");

    tips.UpdateTipText("己过滤网址:12个  点击查看详细", &host, 2);
    EXPECT_EQ(TextOf(&host, 2), "己过滤网址:12个  点击查看详细");
    tips.DelTool(&button);
    EXPECT_EQ(tips.GetToolCount(), 1);
    EXPECT_EQ(TextOf(&button, 0), "");
}

TEST_F(ToolTipCtrlWrapperTest, RelayedMovesShowTheTipUnlessDeactivated) {
    EXPECT_TRUE(tips.AddTool(&button, "提示"));
    tips.SetDelayTime(TTDT_INITIAL, 100);
    EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 100);
    EXPECT_EQ(tips.SetMaxTipWidth(200), -1);
    EXPECT_EQ(tips.GetMaxTipWidth(), 200);

    Relay(button, CPoint(20, 10));
    Wait(99);
    EXPECT_FALSE(Shown());
    Wait(1);
    EXPECT_TRUE(Shown());

    tips.Activate(FALSE);
    EXPECT_FALSE(Shown());
    Relay(button, CPoint(21, 10));
    Wait(1000);
    EXPECT_FALSE(Shown());

    tips.Activate(TRUE);
    Relay(button, CPoint(22, 10));
    Wait(100);
    EXPECT_TRUE(Shown());
}

}  // namespace
