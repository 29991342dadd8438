#include "platform/framework/Wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/screen/ClientDC.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

std::vector<std::string> events;

class WndTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        events.clear();
    }
    void TearDown() override {
        platform::ResetWindowSystemForTesting();
        CWnd::DeleteTempMap();
    }
};

class CProbeWnd : public CWnd {
public:
    int destroyed = 0;
    UINT registeredArrived = 0;
    HBRUSH brush = reinterpret_cast<HBRUSH>(0x5150);

protected:
    int OnCreate(LPCREATESTRUCT cs) {
        events.push_back(std::string("create ") + cs->lpszName + " " + std::to_string(cs->cx));
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT nType, int cx, int cy) {
        events.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" +
                         std::to_string(cy));
    }
    void OnLButtonDown(UINT nFlags, CPoint point) {
        events.push_back("down " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," +
                         std::to_string(point.y));
    }
    void OnTimer(UINT_PTR nIDEvent) { events.push_back("timer " + std::to_string(nIDEvent)); }
    BOOL OnEraseBkgnd(CDC* pDC) {
        events.push_back(pDC->GetSafeHdc() != nullptr ? "erase" : "erase without a dc");
        return TRUE;
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT) {
        events.push_back("key " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
    }
    HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor) {
        events.push_back("ctlcolor " + std::to_string(nCtlColor) + " " +
                         std::to_string(pWnd->GetDlgCtrlID()));
        return brush;
    }
    LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
        return static_cast<LRESULT>(wParam * 100 + static_cast<WPARAM>(lParam));
    }
    LRESULT OnRegistered(WPARAM, LPARAM) {
        registeredArrived++;
        return 7;
    }
    void OnDestroy() {
        destroyed++;
        events.push_back("destroy");
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

UINT probeMessage = 0;

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_ERASEBKGND()
ON_WM_KEYDOWN()
ON_WM_CTLCOLOR()
ON_WM_DESTROY()
ON_MESSAGE(WM_USER + 5, OnPing)
ON_REGISTERED_MESSAGE(probeMessage, OnRegistered)
END_MESSAGE_MAP()

TEST_F(WndTest, CreateAttachesBeforeTheFirstMessageAndHandlersGetExactArguments) {
    CProbeWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "probe", WS_POPUP, 10, 20, 300, 200, nullptr, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
    EXPECT_EQ(events, (std::vector<std::string>{"create probe 300", "size 0 300x200"}));
    events.clear();

    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
    window.SendMessage(WM_TIMER, 33);
    window.SendMessage(WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x3F));
    EXPECT_EQ(events, (std::vector<std::string>{"down 1 -5,7", "timer 33", "key 116 x3"}));
    EXPECT_EQ(window.SendMessage(WM_USER + 5, 4, 2), 402);

    probeMessage = ::RegisterWindowMessageA("ProbeRegistered");
    EXPECT_EQ(window.SendMessage(probeMessage), 7);
    EXPECT_EQ(window.registeredArrived, 1u);

    // An erase without a device context (no screen) is not handed to the handler.
    events.clear();
    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, 0), 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), TRUE);
    ::DeleteDC(dc);
    EXPECT_EQ(events, (std::vector<std::string>{"erase"}));
}

TEST_F(WndTest, AnObjectWithAWindowCannotCreateAnother) {
    CProbeWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "one", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND first = window.m_hWnd;
    EXPECT_FALSE(window.CreateEx(0, nullptr, "two", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(window.m_hWnd, first);
    EXPECT_EQ(CWnd::FromHandlePermanent(first), &window);
}

TEST_F(WndTest, EveryControlColourMessageArrivesAsOneHandlerWithItsKind) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1051));
    events.clear();
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.m_hWnd)),
              0x5150);
    parent.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(events, (std::vector<std::string>{"ctlcolor 6 1051", "ctlcolor 1 1051"}));
}

TEST_F(WndTest, UnhandledMessagesGetTheDefaultProcessing) {
    CProbeWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "title", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    window.SetWindowText("新标题");
    CString text;
    window.GetWindowText(text);
    EXPECT_EQ(text, "新标题");
    EXPECT_EQ(window.GetWindowTextLength(), 6);
}

class CSelfDeletingWnd : public CWnd {
public:
    explicit CSelfDeletingWnd(int& deletions) : deletions_(deletions) {}
    ~CSelfDeletingWnd() override { deletions_++; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    int& deletions_;
};

TEST_F(WndTest, AWindowAndItsObjectEndTogetherExactlyOnce) {
    int deletions = 0;
    auto* parent = new CSelfDeletingWnd(deletions);
    ASSERT_TRUE(parent->CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    auto* child = new CSelfDeletingWnd(deletions);
    ASSERT_TRUE(child->Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 10, 10), parent, 5));
    HWND parentHandle = parent->m_hWnd;
    HWND childHandle = child->m_hWnd;
    EXPECT_TRUE(parent->DestroyWindow());
    EXPECT_EQ(deletions, 2);
    EXPECT_FALSE(::IsWindow(parentHandle));
    EXPECT_EQ(CWnd::FromHandlePermanent(parentHandle), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(childHandle), nullptr);
}

TEST_F(WndTest, DeletingAnObjectDestroysItsWindow) {
    HWND handle = nullptr;
    {
        CProbeWnd window;
        ASSERT_TRUE(window.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        handle = window.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(handle));
}

class CRefusingWnd : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCT) {
        events.push_back("refuse");
        return -1;
    }
    void OnNcDestroy() {
        events.push_back("ncdestroy");
        CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingWnd, CWnd)
ON_WM_CREATE()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(WndTest, CreationRefusedInOnCreateFailsAndDetaches) {
    CRefusingWnd window;
    EXPECT_FALSE(window.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"refuse", "ncdestroy"}));
}

TEST_F(WndTest, FromHandleGivesTemporaryObjectsForForeignWindows) {
    AfxRegisterFrameworkClasses();
    HWND plain = ::CreateWindowExA(0, "AfxWnd", "plain", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CWnd* temporary = CWnd::FromHandle(plain);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandle(plain), temporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(plain));
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 5) {
        events.push_back("original ping");
        return 1;
    }
    if (message == WM_TIMER) {
        events.push_back("original timer");
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(WndTest, SubclassingPutsTheMapBeforeTheOriginalProcedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.lpszClassName = "Counting";
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
    HWND control = ::CreateWindowExA(0, "Counting", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr);
    CProbeWnd probe;
    ASSERT_TRUE(probe.SubclassWindow(control));
    EXPECT_FALSE(probe.SubclassWindow(control));
    EXPECT_EQ(::SendMessageA(control, WM_USER + 5, 1, 2), 102);
    ::SendMessageA(control, WM_TIMER, 9, 0);
    ::SendMessageA(control, WM_USER + 6, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"timer 9"}));
    EXPECT_EQ(probe.UnsubclassWindow(), control);
    EXPECT_EQ(probe.m_hWnd, nullptr);
    EXPECT_EQ(::SendMessageA(control, WM_USER + 5, 1, 2), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"timer 9", "original ping"}));
    ::DestroyWindow(control);
}

class CKeyEater : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            events.push_back("eaten by parent");
            return TRUE;
        }
        return FALSE;
    }
};

TEST_F(WndTest, PreTranslationWalksFromTheTargetToItsParents) {
    CKeyEater parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    CProbeWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 7));
    events.clear();
    child.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    child.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    platform::PumpUntilIdle();
    EXPECT_EQ(events, (std::vector<std::string>{"eaten by parent", "key 13 x1"}));
}

LRESULT CALLBACK CheckBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BM_SETCHECK) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        return 0;
    }
    if (message == BM_GETCHECK) {
        return ::GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(WndTest, RadioHelpersSkipWindowsThatAreNotButtons) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CheckBoxProc;
    windowClass.lpszClassName = "CheckBoxLike";
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, nullptr, "page", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    for (int id : {1033, 1036, 1040}) {
        ::CreateWindowExA(0, "CheckBoxLike", "", WS_CHILD, 0, 0, 1, 1, page.m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    // A window of another kind inside the range answers BM_GETCHECK with 0.
    ::CreateWindowExA(0, "AfxWnd", "", WS_CHILD, 0, 0, 1, 1, page.m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1034)), nullptr, nullptr);
    EXPECT_EQ(page.GetCheckedRadioButton(1033, 1040), 0);
    page.CheckRadioButton(1033, 1040, 1036);
    EXPECT_EQ(page.IsDlgButtonChecked(1033), 0u);
    EXPECT_EQ(page.IsDlgButtonChecked(1036), 1u);
    EXPECT_EQ(page.GetCheckedRadioButton(1033, 1040), 1036);
    page.CheckDlgButton(1040, BST_CHECKED);
    page.CheckDlgButton(1036, BST_UNCHECKED);
    EXPECT_EQ(page.GetCheckedRadioButton(1033, 1040), 1040);
}

TEST_F(WndTest, CenterWindowCentersOverTheOwnerAndStaysOnTheScreen) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                               nullptr, nullptr));
    CWnd popup;
    ASSERT_TRUE(
        popup.CreateEx(0, nullptr, "popup", WS_POPUP, 0, 0, 200, 100, owner.m_hWnd, nullptr));
    popup.CenterWindow();
    CRect rect;
    popup.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(200, 200, 400, 300));

    owner.MoveWindow(900, 700, 100, 60);
    popup.CenterWindow();
    popup.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(824, 668, 1024, 768));
}

TEST_F(WndTest, AClientDCOverAWindowObjectDrawsIntoItsClientArea) {
    platform::InstallScreen();
    CWnd window;
    ASSERT_TRUE(
        window.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 40, 30, 20, 10, nullptr, nullptr));
    platform::PumpUntilIdle();
    {
        CClientDC dc(&window);
        dc.FillSolidRect(2, 3, 4, 5, RGB(200, 0, 100));
    }
    const platform::Surface screen = platform::CaptureScreen();
    EXPECT_EQ(platform::ColorFromPixel(screen.At(42, 33)), RGB(200, 0, 100));
    EXPECT_EQ(platform::ColorFromPixel(screen.At(45, 37)), RGB(200, 0, 100));
    EXPECT_NE(platform::ColorFromPixel(screen.At(46, 33)), RGB(200, 0, 100));
    EXPECT_NE(platform::ColorFromPixel(screen.At(42, 38)), RGB(200, 0, 100));
}

}  // namespace

namespace {

// A window's own bars through the object: the range shows and hides the bar, positions are
// clamped to the range less the page, and the object fills in the structure's size itself.
TEST_F(WndTest, ScrollMembersReachTheWindowsOwnBars) {
    CWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, nullptr, "pane", WS_POPUP | WS_HSCROLL | WS_VSCROLL, 0, 0, 300,
                              200, nullptr, nullptr));
    pane.SetScrollRange(SB_VERT, 0, 1000);
    int low = -1;
    int high = -1;
    pane.GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    EXPECT_EQ(pane.SetScrollPos(SB_VERT, 400), 0);
    EXPECT_EQ(pane.SetScrollPos(SB_VERT, 5000), 400);
    EXPECT_EQ(pane.GetScrollPos(SB_VERT), 1000);

    SCROLLINFO info{};
    info.cbSize = 0;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 1199;
    info.nPage = 200;
    info.nPos = 2000;
    EXPECT_TRUE(pane.SetScrollInfo(SB_HORZ, &info));
    EXPECT_EQ(info.cbSize, sizeof(SCROLLINFO));
    SCROLLINFO read{};
    read.nMax = -7;
    ASSERT_TRUE(pane.GetScrollInfo(SB_HORZ, &read, SIF_POS));
    EXPECT_EQ(read.fMask, static_cast<UINT>(SIF_POS));
    EXPECT_EQ(read.nPos, 1000);
    EXPECT_EQ(read.nMax, -7);
    ASSERT_TRUE(pane.GetScrollInfo(SB_HORZ, &read));
    EXPECT_EQ(read.nMax, 1199);
    EXPECT_EQ(read.nPage, 200u);
    EXPECT_FALSE(pane.SetScrollInfo(SB_HORZ, nullptr));

    pane.ShowScrollBar(SB_HORZ, FALSE);
    EXPECT_FALSE(pane.GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(pane.GetStyle() & WS_VSCROLL);
    pane.ShowScrollBar(SB_BOTH);
    EXPECT_TRUE(pane.GetStyle() & WS_HSCROLL);
    pane.SetScrollRange(SB_VERT, 0, 0);
    EXPECT_FALSE(pane.GetStyle() & WS_VSCROLL);
    pane.DestroyWindow();
}

}  // namespace
