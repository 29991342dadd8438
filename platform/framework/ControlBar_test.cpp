#include "platform/framework/ControlBar.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ToolTip.h"
#include "platform/framework/DockBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/ReBar.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"
#include "platform/framework/WinThread.h"
#include "platform/framework/testdata/bars.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

static void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

constexpr UINT kTabBarId = AFX_IDW_CONTROLBAR_FIRST + 0x20;
constexpr UINT kSearchBarId = AFX_IDW_CONTROLBAR_FIRST + 0x21;

// A frame like the programs': a rebar with the standard tool bar and a search bar on a second
// row, a tab bar that docks at the top or the bottom, a status bar, and a view.
class CBarFrame : public CFrameWnd {
public:
    CReBar rebar;
    CToolBar standard;
    CToolBar search;
    CToolBar tabs;
    CStatusBar status;
    CWnd view;

    BOOL backEnabled = FALSE;
    int forwardCheck = 1;
    BOOL sizeShown = TRUE;
    std::vector<int> dropDowns;
    std::vector<UINT> commands;

    BOOL BandVisible(UINT id) {
        const auto index = static_cast<int>(rebar.SendMessage(RB_IDTOINDEX, id));
        REBARBANDINFOA band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE;
        rebar.SendMessage(RB_GETBANDINFO, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&band));
        return (band.fStyle & RBBS_HIDDEN) == 0;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
            return -1;
        }
        if (!view.Create(AFX_WND_CLASS, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                         AFX_IDW_PANE_FIRST)) {
            return -1;
        }
        if (!rebar.Create(this)) {
            return -1;
        }
        const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;
        const UINT buttons[] = {ID_BAR_BACK, ID_BAR_FORWARD, ID_SEPARATOR,
                                ID_BAR_STOP, ID_BAR_ORPHAN,  ID_BAR_QUIET};
        if (!standard.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, barStyle) ||
            !standard.SetButtons(buttons, 6)) {
            return -1;
        }
        standard.SetSizes(CSize(33, 30), CSize(25, 23));
        if (!search.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(0, 0, 0, 0), kSearchBarId) ||
            !search.SetButtons(nullptr, 1)) {
            return -1;
        }
        search.SetSizes(CSize(26, 25), CSize(18, 18));
        search.SetButtonInfo(0, 0, TBBS_SEPARATOR, 400);
        rebar.AddBar(&standard);
        rebar.AddBar(&search, nullptr, nullptr, RBBS_BREAK | RBBS_GRIPPERALWAYS);

        if (!tabs.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                           kTabBarId) ||
            !tabs.SetButtons(nullptr, 1)) {
            return -1;
        }
        tabs.SetSizes(CSize(5008, 22), CSize(5000, 15));
        tabs.SetButtonInfo(0, 0, TBBS_BUTTON, 0);
        tabs.SetButtonText(0, "tab");

        const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PROGRESS, ID_INDICATOR_SIZE};
        if (!status.Create(this) || !status.SetIndicators(indicators, 3)) {
            return -1;
        }
        EnableDocking(CBRS_ALIGN_ANY);
        tabs.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        DockControlBar(&tabs);
        return 0;
    }
    void OnBack() { commands.push_back(ID_BAR_BACK); }
    void OnForward() { commands.push_back(ID_BAR_FORWARD); }
    void OnStop() { commands.push_back(ID_BAR_STOP); }
    void OnQuiet() { commands.push_back(ID_BAR_QUIET); }
    void OnUpdateBack(CCmdUI* pCmdUI) { pCmdUI->Enable(backEnabled); }
    void OnUpdateForward(CCmdUI* pCmdUI) { pCmdUI->SetCheck(forwardCheck); }
    void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
        dropDowns.push_back(reinterpret_cast<NMTOOLBARA*>(pNMHDR)->iItem);
        *pResult = TBDDRET_DEFAULT;
    }
    void OnUpdateSize(CCmdUI* pCmdUI) {
        pCmdUI->Enable(sizeShown);
        pCmdUI->SetCheck(1);
        pCmdUI->SetText(" (792,470) ");
    }
    // The standard tool bar's command shows or hides its band rather than the bar.
    void OnViewToolbar() {
        const auto index = static_cast<WPARAM>(rebar.SendMessage(RB_IDTOINDEX, 0));
        rebar.SendMessage(RB_SHOWBAND, index, !BandVisible(0));
        RecalcLayout();
    }
    void OnUpdateViewToolbar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(BandVisible(0) ? 1 : 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_BAR_BACK, OnBack)
ON_COMMAND(ID_BAR_FORWARD, OnForward)
ON_COMMAND(ID_BAR_STOP, OnStop)
ON_COMMAND(ID_BAR_QUIET, OnQuiet)
ON_UPDATE_COMMAND_UI(ID_BAR_BACK, OnUpdateBack)
ON_UPDATE_COMMAND_UI(ID_BAR_FORWARD, OnUpdateForward)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SIZE, OnUpdateSize)
ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnDropDown)
ON_COMMAND(ID_VIEW_TOOLBAR, OnViewToolbar)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateViewToolbar)
END_MESSAGE_MAP()

// Records what an update handler sets.
class CProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { check = nCheck; }
    BOOL enabled = -1;
    int check = -1;
};

int TextHeight() {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return metrics.tmHeight;
}

class ControlBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0});
        platform::ResetWindowSystemForTesting();
        frame_ = new CBarFrame;
        ASSERT_TRUE(frame_->Create(nullptr, "bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(0, 0, 800, 600)));
        platform::PumpUntilIdle();
        frame_->GetClientRect(&client_);
        statusHeight_ = TextHeight() + 7;
    }
    void TearDown() override {
        if (::IsWindow(frameHandle())) {
            frame_->DestroyWindow();
        }
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
    }
    HWND frameHandle() const { return frame_->m_hWnd; }
    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(const CWnd& window) const {
        CRect rect;
        window.GetWindowRect(&rect);
        frame_->ScreenToClient(&rect);
        return rect;
    }
    CString StatusText() const {
        CString text;
        frame_->status.GetWindowText(text);
        return text;
    }
    void Idle() {
        CWinThread thread;
        thread.m_pMainWnd = frame_;
        thread.OnIdle(0);
    }
    void MoveMouseTo(const CWnd& window, CPoint client) {
        window.ClientToScreen(&client);
        platform::InjectMouse(0, client);
        platform::PumpUntilIdle();
    }
    BOOL ButtonEnabled(UINT id) const {
        return static_cast<BOOL>(frame_->standard.SendMessage(TB_ISBUTTONENABLED, id));
    }
    BOOL ButtonChecked(UINT id) const {
        return static_cast<BOOL>(frame_->standard.SendMessage(TB_ISBUTTONCHECKED, id));
    }
    std::string TipOf(UINT id) const {
        auto tip = reinterpret_cast<HWND>(frame_->standard.SendMessage(TB_GETTOOLTIPS));
        char text[80] = "unchanged";
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = frame_->standard.m_hWnd;
        tool.uId = id;
        tool.lpszText = text;
        ::SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    CBarFrame* frame_ = nullptr;
    CRect client_;
    int statusHeight_ = 0;
};

TEST_F(ControlBarTest, RebarRowsTabBarStatusBarAndTheViewShareTheClientArea) {
    CBarFrame& frame = *frame_;
    // Two rows as high as the highest band (the standard tool bar's 30 pixels) and the band
    // border between them; the search bar is centred in its row.
    EXPECT_EQ(frame.rebar.SendMessage(RB_GETROWCOUNT), 2);
    EXPECT_EQ(frame.rebar.SendMessage(RB_GETBARHEIGHT), 30 + 2 + 30);
    EXPECT_EQ(InFrame(frame.rebar), CRect(0, 0, client_.right, 62));
    EXPECT_EQ(::GetParent(frame.standard.m_hWnd), frame.rebar.m_hWnd);
    EXPECT_EQ(::GetParent(frame.search.m_hWnd), frame.rebar.m_hWnd);
    EXPECT_EQ(frame.rebar.SendMessage(RB_IDTOINDEX, 0), 0);
    EXPECT_EQ(frame.rebar.SendMessage(RB_IDTOINDEX, 1), 1);
    EXPECT_EQ(InFrame(frame.search), CRect(InFrame(frame.search).left, 34, client_.right, 59));

    CControlBar* top = frame.GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->IsDockBar());
    EXPECT_EQ(::GetParent(frame.tabs.m_hWnd), top->m_hWnd);
    EXPECT_EQ(InFrame(frame.tabs), CRect(0, 62, client_.right, 62 + 22));
    EXPECT_EQ(InFrame(frame.status),
              CRect(0, client_.bottom - statusHeight_, client_.right, client_.bottom));
    EXPECT_EQ(InFrame(frame.view), CRect(0, 84, client_.right, client_.bottom - statusHeight_));
}

TEST_F(ControlBarTest, TheTabBarMovesToTheBottomAboveTheStatusBarAndOnlyWhereItMayDock) {
    CBarFrame& frame = *frame_;
    frame.DockControlBar(&frame.tabs, AFX_IDW_DOCKBAR_BOTTOM);
    CControlBar* bottom = frame.GetControlBar(AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(::GetParent(frame.tabs.m_hWnd), bottom->m_hWnd);
    EXPECT_EQ(frame.tabs.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
    const int statusTop = client_.bottom - statusHeight_;
    EXPECT_EQ(InFrame(frame.tabs), CRect(0, statusTop - 22, client_.right, statusTop));
    EXPECT_EQ(InFrame(frame.view), CRect(0, 62, client_.right, statusTop - 22));
    EXPECT_EQ(InFrame(*frame.GetControlBar(AFX_IDW_DOCKBAR_TOP)).Height(), 0);

    // The tab bar may not dock at the sides: it stays where it is.
    frame.DockControlBar(&frame.tabs, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(::GetParent(frame.tabs.m_hWnd), bottom->m_hWnd);
    // A bar that allows no side is never docked.
    frame.search.EnableDocking(0);
    frame.DockControlBar(&frame.search);
    EXPECT_EQ(::GetParent(frame.search.m_hWnd), frame.rebar.m_hWnd);

    frame.DockControlBar(&frame.tabs, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(InFrame(frame.tabs), CRect(0, 62, client_.right, 84));
    EXPECT_TRUE(static_cast<CDockBar*>(bottom)->GetDockedBars().empty());
}

TEST_F(ControlBarTest, ShowControlBarHidesAtOnceOrAtTheNextIdleTime) {
    CBarFrame& frame = *frame_;
    const int statusTop = client_.bottom - statusHeight_;
    frame.ShowControlBar(&frame.tabs, FALSE, FALSE);
    EXPECT_FALSE(frame.tabs.IsWindowVisible());
    EXPECT_EQ(InFrame(frame.view), CRect(0, 62, client_.right, statusTop));

    frame.ShowControlBar(&frame.tabs, TRUE, TRUE);
    EXPECT_FALSE(frame.tabs.IsWindowVisible());
    EXPECT_TRUE(frame.tabs.IsVisible());
    EXPECT_EQ(InFrame(frame.view).top, 62);
    Idle();
    EXPECT_TRUE(frame.tabs.IsWindowVisible());
    EXPECT_EQ(InFrame(frame.view), CRect(0, 84, client_.right, statusTop));
}

TEST_F(ControlBarTest, TheStatusBarCommandTogglesTheBarAndItsCheck) {
    CBarFrame& frame = *frame_;
    CProbeCmdUI probe;
    probe.m_nID = ID_VIEW_STATUS_BAR;
    ASSERT_TRUE(frame.OnCmdMsg(ID_VIEW_STATUS_BAR, CN_UPDATE_COMMAND_UI, &probe, nullptr));
    EXPECT_EQ(probe.check, 1);

    frame.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame.status.IsWindowVisible());
    EXPECT_EQ(InFrame(frame.view), CRect(0, 84, client_.right, client_.bottom));
    frame.OnCmdMsg(ID_VIEW_STATUS_BAR, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    EXPECT_EQ(probe.check, 0);

    frame.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame.status.IsWindowVisible());
    EXPECT_EQ(InFrame(frame.view).bottom, client_.bottom - statusHeight_);
}

TEST_F(ControlBarTest, TheFramesOwnToolBarCommandShowsAndHidesTheBand) {
    CBarFrame& frame = *frame_;
    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame.BandVisible(0));
    // The band's bar goes with it; the rebar is one row high now.
    EXPECT_FALSE(frame.standard.IsWindowVisible());
    EXPECT_EQ(InFrame(frame.rebar).Height(), 25);
    EXPECT_EQ(InFrame(frame.view).top, 25 + 22);
    CProbeCmdUI probe;
    probe.m_nID = ID_VIEW_TOOLBAR;
    frame.OnCmdMsg(ID_VIEW_TOOLBAR, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    EXPECT_EQ(probe.check, 0);

    frame.SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame.BandVisible(0));
    EXPECT_EQ(InFrame(frame.view).top, 84);
}

TEST_F(ControlBarTest, IdleTimeEnablesAndChecksToolBarButtons) {
    CBarFrame& frame = *frame_;
    Idle();
    EXPECT_FALSE(ButtonEnabled(ID_BAR_BACK));
    EXPECT_TRUE(ButtonChecked(ID_BAR_FORWARD));
    EXPECT_TRUE(ButtonEnabled(ID_BAR_FORWARD));
    // A command with a handler but no update handler stays enabled; one with neither is not.
    EXPECT_TRUE(ButtonEnabled(ID_BAR_STOP));
    EXPECT_FALSE(ButtonEnabled(ID_BAR_ORPHAN));
    EXPECT_EQ(frame.standard.GetButtonStyle(0) & TBBS_DISABLED, static_cast<UINT>(TBBS_DISABLED));

    frame.backEnabled = TRUE;
    frame.forwardCheck = 0;
    Idle();
    EXPECT_TRUE(ButtonEnabled(ID_BAR_BACK));
    EXPECT_FALSE(ButtonChecked(ID_BAR_FORWARD));
    // A hidden bar is not updated.
    frame.forwardCheck = 1;
    frame.standard.ShowWindow(SW_HIDE);
    Idle();
    EXPECT_FALSE(ButtonChecked(ID_BAR_FORWARD));
}

TEST_F(ControlBarTest, ClicksOnButtonsReachTheFrame) {
    CBarFrame& frame = *frame_;
    Idle();
    CRect stop;
    frame.standard.GetItemRect(frame.standard.CommandToIndex(ID_BAR_STOP), &stop);
    CRect back;
    frame.standard.GetItemRect(0, &back);
    for (const CRect& rect : {stop, back}) {
        CPoint point = rect.CenterPoint();
        frame.standard.ClientToScreen(&point);
        platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        platform::InjectMouse(MOUSEEVENTF_LEFTUP, point);
        platform::PumpUntilIdle();
    }
    // The disabled back button does nothing.
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_BAR_STOP});
}

TEST_F(ControlBarTest, DropDownArrowsOfABarInTheRebarReachTheFrame) {
    CBarFrame& frame = *frame_;
    frame.standard.SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    const int index = frame.standard.CommandToIndex(ID_BAR_STOP);
    frame.standard.SetButtonStyle(index, TBBS_DROPDOWN);
    CRect stop;
    frame.standard.GetItemRect(index, &stop);
    CPoint arrow(stop.right - 3, stop.CenterPoint().y);
    frame.standard.ClientToScreen(&arrow);
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, arrow);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, arrow);
    platform::PumpUntilIdle();
    EXPECT_EQ(frame.dropDowns, std::vector<int>{ID_BAR_STOP});
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(ControlBarTest, CommandsOfWindowsOnABarReachTheFrame) {
    CBarFrame& frame = *frame_;
    platform::RegisterButtonClass();
    CWnd button;
    ASSERT_TRUE(button.Create("BUTTON", "GO", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                              CRect(2, 2, 40, 22), &frame.search, ID_BAR_QUIET));
    button.SendMessage(BM_CLICK);
    platform::PumpUntilIdle();
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_BAR_QUIET});
    button.DestroyWindow();
}

TEST_F(ControlBarTest, IdleTimeUpdatesStatusPanes) {
    CBarFrame& frame = *frame_;
    Idle();
    const int index = frame.status.CommandToIndex(ID_INDICATOR_SIZE);
    EXPECT_STREQ(frame.status.GetPaneText(index), " (792,470) ");
    EXPECT_EQ(frame.status.GetPaneStyle(index), static_cast<UINT>(SBPS_POPOUT));
    // A pane without an update handler keeps its state.
    EXPECT_EQ(frame.status.GetPaneStyle(1), static_cast<UINT>(SBPS_NORMAL));
    frame.sizeShown = FALSE;
    Idle();
    EXPECT_EQ(frame.status.GetPaneStyle(index), static_cast<UINT>(SBPS_POPOUT | SBPS_DISABLED));
    char shown[64] = "unchanged";
    frame.status.SendMessage(SB_GETTEXT, index, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, "");
}

TEST_F(ControlBarTest, ToolTipsComeFromTheTextAfterTheLineBreak) {
    EXPECT_EQ(TipOf(ID_BAR_BACK), "后退");
    EXPECT_EQ(TipOf(ID_BAR_STOP), "停止");
    // A string without a tip part and a command without a string give no tip.
    EXPECT_EQ(TipOf(ID_BAR_QUIET), "");
    EXPECT_EQ(TipOf(ID_BAR_ORPHAN), "");
}

TEST_F(ControlBarTest, TheStatusLineShowsTheIdleTextAndPromptsWhileTheMouseRestsOnAButton) {
    CBarFrame& frame = *frame_;
    Idle();
    EXPECT_STREQ(StatusText(), "就绪");
    EXPECT_STREQ(frame.status.GetPaneText(0), "就绪");

    CRect forward;
    frame.standard.GetItemRect(1, &forward);
    MoveMouseTo(frame.standard, forward.CenterPoint());
    EXPECT_STREQ(StatusText(), "前进到下一页");
    CRect separator;
    frame.standard.GetItemRect(2, &separator);
    MoveMouseTo(frame.standard, separator.CenterPoint());
    EXPECT_STREQ(StatusText(), "就绪");
    MoveMouseTo(frame.standard, forward.CenterPoint());
    EXPECT_STREQ(StatusText(), "前进到下一页");

    // Leaving the bar for the view brings the idle text back at the next check.
    MoveMouseTo(frame.view, CPoint(100, 100));
    EXPECT_STREQ(StatusText(), "前进到下一页");
    platform::AdvanceTestClock(std::chrono::milliseconds(250));
    platform::PumpUntilIdle();
    EXPECT_STREQ(StatusText(), "就绪");

    // A text the program writes stays until it writes another.
    frame.SetMessageText("打开网页");
    Idle();
    EXPECT_STREQ(StatusText(), "打开网页");
}

TEST_F(ControlBarTest, BarsLeaveTheFramesListWhenDestroyed) {
    CBarFrame& frame = *frame_;
    EXPECT_EQ(frame.GetControlBar(AFX_IDW_STATUS_BAR), &frame.status);
    EXPECT_EQ(frame.GetControlBar(kTabBarId), &frame.tabs);
    frame.tabs.DestroyWindow();
    EXPECT_EQ(frame.GetControlBar(kTabBarId), nullptr);
    auto* bottom = static_cast<CDockBar*>(frame.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(bottom->GetDockedBars().empty());
    frame.RecalcLayout();
    EXPECT_EQ(InFrame(frame.view).top, 62);
}

// The control classes reach the bars' own windows; the bars keep their objects and messages,
// and the windows are destroyed once, by the bars.
TEST_F(ControlBarTest, EachBarIsReachedThroughTheClassOfItsControl) {
    CBarFrame& frame = *frame_;
    CToolBarCtrl& buttons = frame.standard.GetToolBarCtrl();
    EXPECT_EQ(buttons.m_hWnd, frame.standard.m_hWnd);
    EXPECT_EQ(&frame.standard.GetToolBarCtrl(), &buttons);
    EXPECT_EQ(buttons.GetButtonCount(), 6);
    EXPECT_EQ(buttons.CommandToIndex(ID_BAR_STOP), 3);
    buttons.SetState(ID_BAR_STOP, TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(frame.standard.GetButtonStyle(3) & TBBS_CHECKED, static_cast<UINT>(TBBS_CHECKED));
    EXPECT_EQ(CWnd::FromHandle(buttons.m_hWnd), &frame.standard);

    CStatusBarCtrl& panes = frame.status.GetStatusBarCtrl();
    EXPECT_EQ(panes.m_hWnd, frame.status.m_hWnd);
    EXPECT_EQ(panes.GetParts(0, nullptr), frame.status.GetCount());
    frame.status.SetPaneText(1, "页 3");
    EXPECT_EQ(panes.GetText(1), CString("页 3"));

    CReBarCtrl& bands = frame.rebar.GetReBarCtrl();
    EXPECT_EQ(bands.GetBandCount(), 2u);
    EXPECT_EQ(bands.IDToIndex(1), 1);
    EXPECT_EQ(CWnd::FromHandle(bands.m_hWnd), &frame.rebar);

    frame.rebar.DestroyWindow();
    EXPECT_EQ(frame.rebar.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(bands.m_hWnd));
}

}  // namespace
