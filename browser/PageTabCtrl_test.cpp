#include "browser/PageTabCtrl.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

constexpr UINT kCloseTab = 32813;

class PageTabCtrlTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH,
                                CRect(0, 0, 500, 24), frame, 1002));
        tabs.SetItemSize(CSize(80, 20));
        for (const char* text : {"a", "b", "c", "d"}) {
            tabs.InsertItem(tabs.GetItemCount(), text);
        }
        tabs.SetCurSel(0);
        frame->tabs = &tabs;
        platform::PumpUntilIdle();
    }

    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (int index = 0; index < tabs.GetItemCount(); ++index) {
            texts.push_back(frame->TabText(index));
        }
        return texts;
    }
    CRect ItemRect(int index) {
        CRect rect;
        EXPECT_TRUE(tabs.GetItemRect(index, &rect));
        return rect;
    }
    void Press(POINT client) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, ScreenPoint(tabs, client.x, client.y));
        platform::PumpUntilIdle();
    }
    void MoveTo(POINT client) {
        platform::InjectMouse(MOUSEEVENTF_MOVE, ScreenPoint(tabs, client.x, client.y));
        platform::PumpUntilIdle();
    }
    void Release(POINT client) {
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, ScreenPoint(tabs, client.x, client.y));
        platform::PumpUntilIdle();
    }

    CPageTabCtrl tabs;
};

TEST_F(PageTabCtrlTest, HitTestFindsTheTabUnderThePoint) {
    for (int index = 0; index < 4; ++index) {
        CRect rect = ItemRect(index);
        EXPECT_EQ(tabs.HitTestTab(rect.left, rect.top), index);
        EXPECT_EQ(tabs.HitTestTab(rect.right - 1, rect.bottom - 1), index);
    }
    CRect last = ItemRect(3);
    EXPECT_EQ(tabs.HitTestTab(last.right + 5, last.top + 2), -1);
    EXPECT_EQ(tabs.HitTestTab(-1, -1), -1);
}

TEST_F(PageTabCtrlTest, PressingRecordsTheSelectionAsTheDragSource) {
    EXPECT_EQ(tabs.dragSource, -1);
    CRect second = ItemRect(1);
    Press({second.left + 7, second.top + 5});
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(tabs.dragSource, 1);
    EXPECT_EQ(tabs.lastX, second.left + 7);
    EXPECT_EQ(tabs.lastY, second.top + 5);
    Release({second.left + 7, second.top + 5});
}

TEST_F(PageTabCtrlTest, TenPixelsDoNotMoveATabElevenOverANeighbourSwapIt) {
    CRect first = ItemRect(0);
    int y = first.top + 5;
    int x = first.right - 4;
    Press({x, y});
    MoveTo({x + 10, y});
    EXPECT_TRUE(frame->calls.empty());
    EXPECT_EQ(tabs.lastX, x);
    MoveTo({x + 11, y});
    EXPECT_EQ(frame->calls, std::vector<std::string>{"MoveTab 0 1"});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"b", "a", "c", "d"}));
    EXPECT_EQ(tabs.dragSource, 1);
    EXPECT_EQ(tabs.lastX, x + 11);
    Release({x + 11, y});
}

TEST_F(PageTabCtrlTest, DraggingOntoAFarTabSwapsExactlyThoseTwo) {
    CRect first = ItemRect(0);
    CRect third = ItemRect(2);
    Press({first.left + 10, first.top + 5});
    MoveTo({third.left + 10, third.top + 5});
    EXPECT_EQ(frame->calls, std::vector<std::string>{"MoveTab 0 2"});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"c", "b", "a", "d"}));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(tabs.dragSource, 2);
    // Further along, one swap at a time.
    CRect fourth = ItemRect(3);
    MoveTo({fourth.left + 10, fourth.top + 5});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"c", "b", "d", "a"}));
    Release({fourth.left + 10, fourth.top + 5});
}

TEST_F(PageTabCtrlTest, NoDragWithAnotherKeyHeldOrOverTheSameTabOrWithoutAPress) {
    CRect first = ItemRect(0);
    CRect second = ItemRect(1);
    MoveTo({second.left + 30, second.top + 5});
    EXPECT_TRUE(frame->calls.empty());

    Press({first.left + 5, first.top + 5});
    MoveTo({first.left + 40, first.top + 5});
    EXPECT_TRUE(frame->calls.empty());
    platform::InjectKey(VK_SHIFT, true);
    MoveTo({second.left + 40, second.top + 5});
    platform::InjectKey(VK_SHIFT, false);
    EXPECT_TRUE(frame->calls.empty());
    Release({second.left + 40, second.top + 5});
}

TEST_F(PageTabCtrlTest, ADoubleClickClosesTheSelectedTab) {
    CRect third = ItemRect(2);
    POINT at = ScreenPoint(tabs, third.left + 10, third.top + 5);
    for (int click = 0; click < 2; ++click) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, at);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, at);
    }
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->calls, std::vector<std::string>{"CloseTab 2"});
}

TEST_F(PageTabCtrlTest, TheRightButtonTracksTheOwnerDrawnTabMenuForTheFrame) {
    CRect second = ItemRect(1);
    bool ownerDrawn = false;
    RECT firstItem{};
    frame->menuSteps.push_back([&] {
        ::GetMenuItemRect(frame->m_hWnd, frame->lastPopup, 0, &firstItem);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        ownerDrawn = ::GetMenuItemInfoA(frame->lastPopup, 0, TRUE, &info) &&
                     (info.fType & MFT_OWNERDRAW) != 0;
        platform::InjectKey(VK_DOWN, true);
        platform::InjectKey(VK_DOWN, false);
        platform::InjectKey(VK_RETURN, true);
        platform::InjectKey(VK_RETURN, false);
    });
    POINT at = ScreenPoint(tabs, second.left + 10, second.top + 5);
    platform::InjectMouse(MOUSEEVENTF_RIGHTDOWN, at);
    platform::InjectMouse(MOUSEEVENTF_RIGHTUP, at);
    platform::PumpUntilIdle();
    EXPECT_TRUE(ownerDrawn);
    // Centred on the cursor: the items span the menu between equal borders.
    EXPECT_GT(firstItem.right - firstItem.left, 60);
    EXPECT_NEAR((firstItem.left + firstItem.right) / 2, at.x, 1);
    EXPECT_EQ(frame->commands, std::vector<UINT>{kCloseTab});
    // The command acts on the selection, which the right button does not change.
    EXPECT_EQ(tabs.GetCurSel(), 0);
}

TEST_F(PageTabCtrlTest, TheSelectedTabSteps12PerRowFromBlackToWhite) {
    CRect rect = ItemRect(0);
    ASSERT_EQ(rect.Height(), 20);
    for (int row = 0; row < 20; ++row) {
        int level = 12 * row;
        EXPECT_EQ(PixelAt(tabs, rect.left + 2, rect.top + row), RGB(level, level, level)) << row;
        EXPECT_EQ(PixelAt(tabs, rect.right - 1, rect.top + row), RGB(level, level, level)) << row;
    }
    EXPECT_GT(CountColor(tabs, rect, kTabSelectedText), 3);
}

TEST_F(PageTabCtrlTest, OtherTabsShowTheirTextOnTheTabBackgroundAndTheRestTheToolColour) {
    CRect rect = ItemRect(1);
    EXPECT_EQ(PixelAt(tabs, rect.left + 2, rect.top + 2), kTabBackground);
    EXPECT_GT(CountColor(tabs, rect, kTabText), 3);
    CRect last = ItemRect(3);
    EXPECT_EQ(PixelAt(tabs, last.right + 20, 2), kToolBackground);
}

TEST_F(PageTabCtrlTest, ASelectionChangeDrawnAloneGetsOnlyTheGradient) {
    CDC dc;
    HDC screen = ::GetDC(nullptr);
    dc.CreateCompatibleDC(CDC::FromHandle(screen));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), 60, 10);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 60, 10, RGB(1, 1, 1));
    Skin().tabSelectedBegin = RGB(100, 200, 50);
    Skin().tabSelectedEnd = RGB(91, 209, 50);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_TAB;
    draw.itemID = 1;
    draw.itemAction = ODA_SELECT;
    draw.itemState = ODS_SELECTED;
    draw.hDC = dc.m_hDC;
    draw.rcItem = {0, 0, 60, 10};
    tabs.DrawItem(&draw);
    // Steps truncate toward zero: -9 / 10 and 9 / 10 are both 0.
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(100, 200, 50));
    EXPECT_EQ(dc.GetPixel(0, 9), RGB(100, 200, 50));

    draw.itemState = 0;
    dc.FillSolidRect(0, 0, 60, 10, RGB(1, 1, 1));
    tabs.DrawItem(&draw);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 1, 1));
    dc.SelectObject(old);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace
