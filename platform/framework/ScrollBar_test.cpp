#include "platform/framework/ScrollBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/WindowPlatform.h"

namespace {

// A parent that reads the scroll bar it is told about, as a program's pane does.
class CPane : public CWnd {
public:
    std::vector<std::string> scrolls;

protected:
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
        scrolls.push_back(std::to_string(nSBCode) + " " + std::to_string(nPos) +
                          (pScrollBar != nullptr ? " bar" : " window"));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPane, CWnd)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

// A scroll bar of a program that handles its own scrolling.
class CSelfScrolling : public CScrollBar {
public:
    std::vector<UINT> codes;

protected:
    void HScroll(UINT nSBCode, UINT) { codes.push_back(nSBCode); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfScrolling, CScrollBar)
ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class ScrollBarWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(pane.CreateEx(0, nullptr, "pane", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200,
                                  nullptr, nullptr));
    }
    void TearDown() override {
        pane.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    CPane pane;
};

TEST_F(ScrollBarWrapperTest, RangePositionAndPageAreTheControls) {
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_HORZ, CRect(0, 180, 300, 196), &pane, 1));
    bar.SetScrollRange(0, 100);
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(bar.SetScrollPos(40), 0);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    bar.SetScrollPos(500);
    EXPECT_EQ(bar.GetScrollPos(), 100);

    SCROLLINFO page{};
    page.fMask = SIF_PAGE;
    page.nPage = 10;
    bar.SetScrollInfo(&page);
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    EXPECT_EQ(bar.GetScrollPos(), 91);
    SCROLLINFO info{};
    ASSERT_TRUE(bar.GetScrollInfo(&info));
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nMax, 100);
}

TEST_F(ScrollBarWrapperTest, TheParentHearsWhichBarMoved) {
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_HORZ, CRect(0, 0, 300, 16), &pane, 2));
    pane.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30),
                     reinterpret_cast<LPARAM>(bar.m_hWnd));
    pane.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(pane.scrolls, (std::vector<std::string>{"4 30 bar", "1 0 window"}));
}

TEST_F(ScrollBarWrapperTest, AParentWithoutAHandlerLetsTheBarHandleItself) {
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, nullptr, "plain", WS_POPUP | WS_VISIBLE, 40, 260, 300, 50,
                               nullptr, nullptr));
    CSelfScrolling own;
    ASSERT_TRUE(own.Create(WS_VISIBLE | SBS_HORZ, CRect(0, 0, 300, 16), &plain, 3));
    plain.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 0), reinterpret_cast<LPARAM>(own.m_hWnd));
    EXPECT_EQ(own.codes, std::vector<UINT>{SB_PAGEUP});
}

}  // namespace
