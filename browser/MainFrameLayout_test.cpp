#include <gtest/gtest.h>

#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/ChromeTestFixture.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameTest.h"
#include "browser/SkinColors.h"
#include "platform/controls/ReBar.h"
#include "platform/controls/Tab.h"
#include "platform/controls/ToolBar.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Surface.h"
#include "platform/files/Path.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::MainFrameTest;

TEST_F(MainFrameTest, TheAddressBoxHidesWhenItsBandIsNarrow) {
    Start();
    frame->MoveWindow(0, 0, 800, 600);
    EXPECT_TRUE(frame->m_wndAddress.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndGo.IsWindowVisible());
    frame->MoveWindow(0, 0, 300, 600);
    EXPECT_FALSE(frame->m_wndAddress.IsWindowVisible());
    EXPECT_FALSE(frame->m_wndGo.IsWindowVisible());
    frame->MoveWindow(0, 0, 800, 600);
    EXPECT_TRUE(frame->m_wndAddress.IsWindowVisible());
}

TEST_F(MainFrameTest, TabBarControlsAreMeasuredFromTheRightEdge) {
    Start();
    frame->MoveWindow(0, 0, 800, 600);
    CRect client;
    frame->GetClientRect(&client);
    CRect filter;
    frame->m_wndFilter.GetWindowRect(&filter);
    frame->m_wndTabBar.ScreenToClient(&filter);
    EXPECT_EQ(filter, CRect(client.right - 103, 2, client.right - 3, 22));
    CRect close;
    frame->m_wndCloseTab.GetWindowRect(&close);
    frame->m_wndTabBar.ScreenToClient(&close);
    EXPECT_EQ(close, CRect(client.right - 149, 2, client.right - 129, 22));
    CRect tabs;
    frame->m_wndTab.GetWindowRect(&tabs);
    EXPECT_EQ(tabs.Width(), client.right - 152);
    EXPECT_FALSE(frame->m_wndPageSettings.IsWindowVisible());
}

TEST_F(MainFrameTest, PagesCoverTheViewGrownByTwoAndTheSizeIsShown) {
    Start();
    OpenTabs(2);
    frame->MoveWindow(0, 0, 800, 600);
    CRect view;
    frame->GetActiveView()->GetClientRect(&view);
    const CRect expected(-2, -2, view.right + 2, view.bottom + 2);
    EXPECT_EQ(frame->m_pageRect, expected);
    for (CPageDlg* page : Pages()) {
        CRect rect;
        page->GetWindowRect(&rect);
        frame->GetActiveView()->ScreenToClient(&rect);
        EXPECT_EQ(rect, expected);
    }
    CString size;
    size.Format(" (%d,%d) ", expected.Width(), expected.Height());
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(2)), std::string(size));
}

TEST_F(MainFrameTest, MaximalPageAreaKeepsOnlyTheAddressBand) {
    DataStore().tabMaximized = 1;
    Start();
    EXPECT_TRUE(BandHidden(CMainFrame::kStandardBand));
    EXPECT_TRUE(BandHidden(CMainFrame::kMenuButtonBand));
    EXPECT_TRUE(BandHidden(CMainFrame::kBusyBand));
    EXPECT_FALSE(BandHidden(CMainFrame::kAddressBand));
    DataStore().tabMaximized = 0;
    frame->ApplyBarOptions();
    for (UINT band : {0u, 1u, 2u, 3u}) {
        EXPECT_FALSE(BandHidden(band)) << band;
    }
}

TEST_F(MainFrameTest, TheTabBarDocksAtTheBottomWhenAsked) {
    DataStore().tabsAtBottom = 1;
    Start();
    CRect client;
    frame->GetClientRect(&client);
    CRect bar;
    frame->m_wndTabBar.GetWindowRect(&bar);
    frame->ScreenToClient(&bar);
    CRect status;
    frame->m_wndStatusBar.GetWindowRect(&status);
    frame->ScreenToClient(&status);
    EXPECT_GT(bar.top, client.Height() / 2);
    EXPECT_LE(bar.bottom, status.top);
}

TEST_F(MainFrameTest, TheBarsAreBuiltWithTheirTextsAndEngines) {
    Start();
    EXPECT_EQ(frame->GetMenu(), nullptr);
    EXPECT_EQ(WindowText(frame->m_wndKeyword), "关健词");
    EXPECT_EQ(WindowText(frame->m_wndAddressLabel), "地址:");
    EXPECT_EQ(WindowText(frame->m_wndMenuButton), "菜 单");
    EXPECT_EQ(WindowText(frame->m_wndFilter), "弹出菜单管理");
    EXPECT_EQ(frame->m_wndEngine.GetCount(), 2);
    EXPECT_EQ(frame->m_wndEngine.GetCurSel(), 0);
    EXPECT_EQ(frame->m_wndToolBar.GetCount(), 16);
    EXPECT_EQ(frame->m_wndToolBar.GetItemID(1), static_cast<UINT>(ID_GO_BACK));
    EXPECT_NE(frame->m_wndToolBar.GetButtonStyle(1) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(frame->m_wndToolBar.GetButtonStyle(3) & TBSTYLE_DROPDOWN, 0u);
    EXPECT_EQ(frame->m_wndStatusBar.GetCount(), 3);
    EXPECT_EQ(frame->m_wndFilter.blockedCount, 0);
    EXPECT_EQ(frame->m_wndTab.GetDlgCtrlID(), IDC_PAGE_TAB);
}

class MainFrameLookTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        folder.WriteFile("look/skin.ini", chrome_test::SkinFile());
        Skin().Load(platform::ToWindowsPath(folder.path() / "look" / "skin.ini").c_str());
        Skin().normalFont =
            ::CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, "宋体");
        DataStore().windowRect = {0, 0, 1000, 700};
    }
    void TearDown() override {
        MainFrameTest::TearDown();
        ::DeleteObject(Skin().normalFont);
        Skin().normalFont = nullptr;
    }
    void Show() {
        Start();
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        platform::PumpUntilIdle();
    }
    static CRect ScreenRect(const CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }
    CRect BandRect(UINT id) const {
        const LRESULT index = frame->m_wndReBar.SendMessage(RB_IDTOINDEX, id);
        CRect rect;
        frame->m_wndReBar.SendMessage(RB_GETRECT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&rect));
        frame->m_wndReBar.ClientToScreen(&rect);
        return rect;
    }
    static COLORREF At(const platform::Surface& shot, int x, int y) {
        return platform::ColorFromPixel(shot.At(x, y));
    }
    static SIZE TextExtent(const std::string& text) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, Skin().normalFont);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return size;
    }
};

TEST_F(MainFrameLookTest, EachTabIsAsWideAsItsTitleAndShowsItWhole) {
    Show();
    OpenTabs(2);
    // The blank pages finish loading first, so that their own titles come before ours.
    platform::PumpUntilIdle();
    const std::vector<std::string> titles = {"新浪首页 News", "about:blank"};
    for (int i = 0; i < 2; ++i) {
        frame->GetPageAt(i)->m_strTitle = titles[static_cast<size_t>(i)].c_str();
        frame->UpdatePageTitle(frame->GetPageAt(i));
    }
    frame->m_wndTab.SetCurSel(1);
    platform::PumpUntilIdle();

    CRect first;
    CRect second;
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(0, &first));
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(1, &second));
    EXPECT_EQ(first.Height(), 20);
    EXPECT_GT(first.Width(), TextExtent(titles[0]).cx);
    EXPECT_GT(second.Width(), TextExtent(titles[1]).cx);
    EXPECT_EQ(second.left, first.right);

    // The unselected first tab's text, in the tab text colour, runs as wide as the title.
    const platform::Surface shot = platform::CaptureScreen();
    frame->m_wndTab.ClientToScreen(&first);
    int left = first.right;
    int right = first.left - 1;
    for (int y = first.top; y < first.bottom; ++y) {
        for (int x = first.left; x < first.right; ++x) {
            if (At(shot, x, y) == chrome_test::kTabText) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GE(right - left + 1, TextExtent(titles[0]).cx - 4);
}

TEST_F(MainFrameLookTest, WithManyTabsTheCurrentTabStaysInSight) {
    Show();
    OpenTabs(20);
    platform::PumpUntilIdle();
    for (int i = 0; i < 20; ++i) {
        frame->GetPageAt(i)->m_strTitle.Format("第%d个网页", i + 1);
        frame->UpdatePageTitle(frame->GetPageAt(i));
    }
    frame->m_wndTab.SetCurSel(19);
    platform::PumpUntilIdle();
    CRect strip;
    frame->m_wndTab.GetClientRect(&strip);
    CRect current;
    ASSERT_TRUE(frame->m_wndTab.GetItemRect(19, &current));
    EXPECT_GE(current.left, 0);
    EXPECT_LE(current.right, strip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL));
    frame->m_wndTab.ClientToScreen(&current);
    const platform::Surface shot = platform::CaptureScreen();
    int text = 0;
    for (int y = current.top; y < current.bottom; ++y) {
        for (int x = current.left; x < current.right; ++x) {
            text += At(shot, x, y) == chrome_test::kTabSelectedText;
        }
    }
    EXPECT_GT(text, 20);

    // A quick double click on the left arrow moves the row back by two and closes no tab.
    CRect before;
    frame->m_wndTab.GetItemRect(17, &before);
    POINT arrow{strip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL) + 3, 10};
    frame->m_wndTab.ClientToScreen(&arrow);
    for (int i = 0; i < 2; ++i) {
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, arrow);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, arrow);
    }
    platform::PumpUntilIdle();
    EXPECT_EQ(frame->GetTabCount(), 20);
    EXPECT_EQ(frame->GetCurrentIndex(), 19);
    CRect after;
    frame->m_wndTab.GetItemRect(17, &after);
    EXPECT_GT(after.left, before.left);
}

TEST_F(MainFrameLookTest, TheMenuAndBusyButtonsShowTheirWholePictures) {
    Show();
    const CRect band = BandRect(CMainFrame::kMenuButtonBand);
    const CRect bar = ScreenRect(frame->m_wndMenuBar);
    const CRect button = ScreenRect(frame->m_wndMenuButton);
    EXPECT_GE(band.Width(), 60);
    EXPECT_EQ(bar.Width(), 60);
    EXPECT_EQ(bar.Height(), 24);
    EXPECT_EQ(button, CRect(bar.left, bar.top, bar.left + 60, bar.top + 24));
    EXPECT_EQ(PictureShown(button.TopLeft(), IDB_MENU_BUTTON, CSize(60, 24)), 1.0);

    const CRect busy = ScreenRect(frame->m_wndBusy);
    EXPECT_TRUE(ScreenRect(frame->m_wndBusyBar).PtInRect(busy.BottomRight() - CSize(1, 1)));
    EXPECT_EQ(PictureShown(busy.TopLeft(), IDB_BUSY, CSize(24, 24)), 1.0);
}

TEST_F(MainFrameLookTest, OnlyTheFirstRowOfBandsHasGrippers) {
    Show();
    const CRect band = BandRect(CMainFrame::kAddressBand);
    const CRect bar = ScreenRect(frame->m_wndAddressBar);
    const CRect standardBand = BandRect(CMainFrame::kStandardBand);
    const CRect standardBar = ScreenRect(frame->m_wndToolBar);
    EXPECT_LT(bar.left - band.left, standardBar.left - standardBand.left);
    const platform::Surface shot = platform::CaptureScreen();
    auto etched = [&](int left, int right, int top, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const COLORREF color = At(shot, x, y);
                count += color == ::GetSysColor(COLOR_BTNSHADOW) ||
                         color == ::GetSysColor(COLOR_BTNHIGHLIGHT);
            }
        }
        return count;
    };
    EXPECT_EQ(etched(band.left, bar.left, band.top, band.bottom), 0);
    EXPECT_GT(etched(standardBand.left, standardBar.left, standardBand.top, standardBand.bottom),
              0);
}

TEST_F(MainFrameLookTest, TheAddressEditSpansTheAddressBoxAtEveryWidth) {
    Show();
    CWnd* edit = frame->m_wndAddress.GetDlgItem(1001);
    ASSERT_NE(edit, nullptr);
    for (int width : {1000, 700, 1000}) {
        frame->MoveWindow(0, 0, width, 700);
        platform::PumpUntilIdle();
        const CRect box = ScreenRect(frame->m_wndAddress);
        const CRect text = ScreenRect(*edit);
        EXPECT_EQ(box.Width(), BandRect(CMainFrame::kAddressBand).Width() - 35 - 270) << width;
        EXPECT_LE(text.left - box.left, 4) << width;
        const int arrow = ::GetSystemMetrics(SM_CXVSCROLL);
        EXPECT_LE(box.right - text.right, arrow + 4) << width;
        EXPECT_GE(box.right - text.right, arrow) << width;
    }
}

}  // namespace
