#include "browser/StatusBarEx.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

class StatusBarExTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(bar.Create(frame));
        const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
        bar.SetIndicators(panes, 3);
        bar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH, 0);
        bar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 100);
        bar.SetPaneInfo(2, ID_SEPARATOR, SBPS_NORMAL, 80);
        ASSERT_TRUE(bar.CreateProgress());
        frame->RecalcLayout();
        platform::PumpUntilIdle();
    }

    CRect Pane(int index) {
        CRect rect;
        bar.GetItemRect(index, &rect);
        return rect;
    }

    CStatusBarEx bar;
};

TEST_F(StatusBarExTest, TheProgressBarIsAChildOnPaneOne) {
    EXPECT_EQ(bar.progress.GetParent(), &bar);
    EXPECT_EQ(bar.progress.GetDlgCtrlID(), 0);
    EXPECT_EQ(bar.progress.GetStyle(), static_cast<DWORD>(0x5000000B));
    CString caption;
    bar.progress.GetWindowText(caption);
    EXPECT_EQ(caption, "progress");
    CRect placed;
    bar.progress.GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed, Pane(1));

    frame->MoveWindow(20, 20, 400, 300);
    frame->RecalcLayout();
    platform::PumpUntilIdle();
    bar.progress.GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed, Pane(1));
}

TEST_F(StatusBarExTest, PanesShowTheSkinsItemColoursAndTheirText) {
    bar.SetPaneText(0, "完成");
    bar.SetPaneText(2, " (596,300) ");
    bar.Invalidate();
    platform::PumpUntilIdle();
    for (int index : {0, 2}) {
        CRect pane = Pane(index);
        EXPECT_EQ(PixelAt(bar, pane.left, pane.top), kStatusItemBorder) << index;
        EXPECT_EQ(PixelAt(bar, pane.right - 1, pane.bottom - 1), kStatusItemBorder) << index;
        EXPECT_EQ(PixelAt(bar, pane.right - 2, pane.top + 1), kStatusItemBackground) << index;
        EXPECT_GT(CountColor(bar, pane, kStatusText), 5) << index;
    }
    // Left-aligned: the text starts near the left edge of pane 0.
    CRect first = Pane(0);
    EXPECT_GT(
        CountColor(bar, CRect(first.left, first.top, first.left + 20, first.bottom), kStatusText),
        0);
}

TEST_F(StatusBarExTest, TheBarBehindThePanesIsTheStatusBackground) {
    bar.SetPaneInfo(0, ID_SEPARATOR, SBPS_NORMAL, 100);
    bar.Invalidate();
    platform::PumpUntilIdle();
    CRect client;
    bar.GetClientRect(&client);
    CRect last = Pane(2);
    ASSERT_LT(last.right, client.right);
    EXPECT_EQ(PixelAt(bar, client.right - 1, client.top), kStatusBackground);
}

TEST_F(StatusBarExTest, TheProgressBarShowsTheSkinsProgressColours) {
    bar.progress.SetProgress(50);
    platform::PumpUntilIdle();
    CRect pane = Pane(1);
    EXPECT_EQ(PixelAt(bar, pane.left + 10, pane.top + pane.Height() / 2), kProgress1);
    EXPECT_EQ(PixelAt(bar, pane.right - 10, pane.top + pane.Height() / 2), kProgress2);
}

}  // namespace
