#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class WindowGeometryTest : public WindowTest {};

RECT WindowRectOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRectOf(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowGeometryTest, ClientAreasFollowTheFrameOfEachStyle) {
    struct Case {
        DWORD style;
        DWORD exStyle;
        RECT client;
    };
    // A 770x520 window rectangle, as a main window is placed.
    const Case cases[] = {
        {WS_POPUP, 0, {0, 0, 770, 520}},
        {WS_POPUP | WS_BORDER, 0, {0, 0, 768, 518}},
        {WS_POPUP | WS_CAPTION, 0, {0, 0, 764, 495}},
        {WS_OVERLAPPEDWINDOW, 0, {0, 0, 762, 493}},
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {0, 0, 764, 499}},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, {0, 0, 764, 495}},
        {WS_POPUP, WS_EX_CLIENTEDGE, {0, 0, 766, 516}},
        {WS_POPUP, WS_EX_STATICEDGE, {0, 0, 768, 518}},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 754, 504}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.style << " " << c.exStyle);
        HWND hwnd = TopLevel(c.style, {10, 20, 780, 540}, "", c.exStyle);
        EXPECT_TRUE(Same(WindowRectOf(hwnd), RECT{10, 20, 780, 540}));
        EXPECT_TRUE(Same(ClientRectOf(hwnd), c.client));
        RECT adjusted = c.client;
        AdjustWindowRectEx(&adjusted, c.style & ~(WS_VSCROLL | WS_HSCROLL), FALSE, c.exStyle);
        if ((c.style & (WS_VSCROLL | WS_HSCROLL)) == 0) {
            EXPECT_EQ(adjusted.right - adjusted.left, 770);
            EXPECT_EQ(adjusted.bottom - adjusted.top, 520);
        }
        DestroyWindow(hwnd);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
}

TEST_F(WindowGeometryTest, PointsMapBetweenNestedClientAreasAndTheScreen) {
    HWND top = TopLevel(WS_POPUP | WS_BORDER | WS_VISIBLE, {100, 50, 400, 350});
    HWND child = Child(top, 1, {10, 20, 110, 120}, WS_CHILD | WS_VISIBLE | WS_BORDER);
    EXPECT_TRUE(Same(WindowRectOf(child), RECT{111, 71, 211, 171}));
    POINT point{0, 0};
    ClientToScreen(child, &point);
    EXPECT_EQ(point.x, 112);
    EXPECT_EQ(point.y, 72);
    ScreenToClient(top, &point);
    EXPECT_EQ(point.x, 11);
    EXPECT_EQ(point.y, 21);
    POINT points[2] = {{0, 0}, {5, 5}};
    const int offset = MapWindowPoints(child, top, points, 2);
    EXPECT_EQ(LOWORD(offset), 11);
    EXPECT_EQ(HIWORD(offset), 21);
    EXPECT_EQ(points[1].x, 16);
    EXPECT_EQ(MapWindowPoints(top, nullptr, points, 1), MAKELONG(101, 51));
}

TEST_F(WindowGeometryTest, DesktopFollowsTheConfiguredScreen) {
    HWND desktop = GetDesktopWindow();
    EXPECT_TRUE(Same(WindowRectOf(desktop), RECT{0, 0, 1024, 768}));
    SetScreenSize(1920, 1080);
    EXPECT_TRUE(Same(ClientRectOf(desktop), RECT{0, 0, 1920, 1080}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    HWND top = TopLevel();
    EXPECT_EQ(GetWindow(desktop, GW_CHILD), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), desktop);
}

TEST_F(WindowGeometryTest, WorkAreaStaysOnTheScreenAndANewScreenSizeResetsIt) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(Same(work, RECT{0, 0, 1024, 768}));
    SetWorkArea(RECT{-50, 0, 1024, 740});
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(Same(work, RECT{0, 0, 1024, 740}));
    EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), 740);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    // An area with nothing on the screen means the whole screen.
    SetWorkArea(RECT{2000, 0, 3000, 100});
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(Same(work, RECT{0, 0, 1024, 768}));
    SetWorkArea(RECT{0, 0, 1024, 740});
    SetScreenSize(800, 600);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(Same(work, RECT{0, 0, 800, 600}));
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfoA(0x1234, 0, &work, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowGeometryTest, MoveWindowReportsOnlyWhatChanged) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Log().Clear();
    MoveWindow(top, 0, 0, 100, 100, TRUE);
    EXPECT_TRUE(Log().Only({WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}).empty());
    MoveWindow(top, 5, 6, 100, 100, TRUE);
    EXPECT_EQ(Log().Only({WM_SIZE, WM_MOVE}), (std::vector<std::pair<HWND, UINT>>{{top, WM_MOVE}}));
    EXPECT_EQ(Log().Of(WM_MOVE).front().lParam, MAKELPARAM(5, 6));
    Log().Clear();
    MoveWindow(top, 5, 6, 300, 200, TRUE);
    EXPECT_EQ(Log().Only({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              (std::vector<std::pair<HWND, UINT>>{
                  {top, WM_WINDOWPOSCHANGING}, {top, WM_WINDOWPOSCHANGED}, {top, WM_SIZE}}));
    const LoggedMessage size = Log().Of(WM_SIZE).front();
    EXPECT_EQ(size.wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(size.lParam, MAKELPARAM(300, 200));

    // A frame change after a style change reports the new client size.
    Log().Clear();
    SetWindowLongA(top, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    SetWindowPos(top, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Log().Of(WM_SIZE).front().lParam, MAKELPARAM(294, 175));
}

TEST_F(WindowGeometryTest, ZOrderKeepsTopmostWindowsAboveTheOthers) {
    HWND a = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "a");
    HWND b = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "b");
    HWND c = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "c");
    auto order = [] {
        std::vector<HWND> handles;
        for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            handles.push_back(h);
        }
        return handles;
    };
    EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(order(), (std::vector<HWND>{a, c, b}));
    // Bringing a normal window to the top leaves it under the topmost band.
    BringWindowToTop(b);
    EXPECT_EQ(order(), (std::vector<HWND>{a, b, c}));
    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_FALSE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(order(), (std::vector<HWND>{a, b, c}));
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(order(), (std::vector<HWND>{b, c, a}));
    SetWindowPos(c, HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE);
    EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
    EXPECT_TRUE(Same(WindowRectOf(c), RECT{20, 20, 30, 30}));
    // Activation by SetWindowPos keeps the place the call asked for.
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(order(), (std::vector<HWND>{c, a, b}));
    SetWindowPos(b, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(order(), (std::vector<HWND>{c, a, b}));
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
    // A window created later goes under the topmost band.
    HWND d = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "d");
    EXPECT_EQ(order(), (std::vector<HWND>{c, d, b, a}));
}

TEST_F(WindowGeometryTest, OwnedWindowsStayAboveTheirOwner) {
    HWND owner = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "owner");
    HWND dialog = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "dialog", 0, owner);
    HWND nested = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "nested", 0, dialog);
    HWND other = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "other");
    auto order = [] {
        std::vector<HWND> handles;
        for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            handles.push_back(h);
        }
        return handles;
    };
    ASSERT_EQ(order(), (std::vector<HWND>{other, nested, dialog, owner}));
    // Raising the owner raises what it owns with it, in the order they had.
    BringWindowToTop(owner);
    EXPECT_EQ(order(), (std::vector<HWND>{nested, dialog, owner, other}));
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetActiveWindow(owner);
    EXPECT_EQ(order(), (std::vector<HWND>{nested, dialog, owner, other}));
    // The owned windows join a topmost owner's band.
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(order(), (std::vector<HWND>{nested, dialog, owner, other}));
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND later = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "later");
    EXPECT_EQ(order(), (std::vector<HWND>{nested, dialog, owner, later, other}));
}

TEST_F(WindowGeometryTest, MinimiseEmptiesTheClientAreaAndRestoreBringsTheRectangleBack) {
    HWND main = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 870, 620});
    HWND other = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 50, 50}, "other");
    SetActiveWindow(main);
    Log().Clear();
    SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    const auto sizes = Log().Of(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(sizes[0].lParam, 0);
    EXPECT_TRUE(Same(ClientRectOf(main), RECT{0, 0, 0, 0}));
    EXPECT_EQ(WindowRectOf(main).left, -32000);
    EXPECT_EQ(GetActiveWindow(), other);

    Log().Clear();
    EXPECT_TRUE(ShowWindow(main, SW_SHOWNORMAL));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(Same(WindowRectOf(main), RECT{100, 100, 870, 620}));
    EXPECT_EQ(Log().Of(WM_SIZE).front().wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(Log().Of(WM_SIZE).front().lParam, MAKELPARAM(762, 493));
    EXPECT_EQ(GetActiveWindow(), main);

    ShowWindow(main, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_TRUE(Same(WindowRectOf(main), RECT{-4, -4, 1028, 772}));
    EXPECT_TRUE(Same(ClientRectOf(main), RECT{0, 0, 1024, 749}));
    ShowWindow(main, SW_MINIMIZE);
    ShowWindow(main, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(main));
    ShowWindow(main, SW_RESTORE);
    EXPECT_TRUE(Same(WindowRectOf(main), RECT{100, 100, 870, 620}));
}

TEST_F(WindowGeometryTest, ShowAndHideSendShowWindowOnlyOnChangeAndReturnThePreviousState) {
    HWND top = TopLevel(WS_POPUP, {0, 0, 10, 10});
    HWND child = Child(top, 3, {0, 0, 5, 5});
    EXPECT_FALSE(IsWindowVisible(child));
    Log().Clear();
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    EXPECT_EQ(Log().Of(WM_SHOWWINDOW).size(), 1u);
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(ShowWindow(top, SW_HIDE));
    const auto shows = Log().Of(WM_SHOWWINDOW);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[1].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WindowGeometryTest, WindowFromPointFindsTheDeepestVisibleWindow) {
    HWND back = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 400, 400}, "back");
    HWND page = Child(back, 1, {10, 10, 210, 210});
    HWND button = Child(page, 2, {0, 0, 50, 50});
    HWND hidden = Child(page, 3, {60, 60, 100, 100}, WS_CHILD);
    HWND disabled = Child(page, 4, {100, 0, 150, 50}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND overlay = TopLevel(WS_POPUP | WS_VISIBLE, {20, 20, 40, 40}, "overlay", WS_EX_TOPMOST);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), overlay);
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), button);
    EXPECT_EQ(WindowFromPoint(POINT{80, 80}), page);
    EXPECT_EQ(WindowFromPoint(POINT{120, 20}), page);
    EXPECT_EQ(WindowFromPoint(POINT{300, 300}), back);
    EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
    ShowWindow(overlay, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), button);
    EXPECT_EQ(ChildWindowFromPoint(page, POINT{80, 80}), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(page, POINT{80, 80}, CWP_SKIPINVISIBLE), page);
    EXPECT_EQ(ChildWindowFromPoint(page, POINT{120, 20}), disabled);
    EXPECT_EQ(ChildWindowFromPoint(page, POINT{-1, 5}), nullptr);
}

TEST_F(WindowGeometryTest, FocusMovesWithMessagesAndLeavesDisabledWindows) {
    HWND top = TopLevel();
    HWND first = Child(top, 1, {0, 0, 10, 10});
    HWND second = Child(top, 2, {0, 0, 10, 10});
    SetFocus(first);
    Log().Clear();
    EXPECT_EQ(SetFocus(second), first);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(Log().Only({WM_KILLFOCUS, WM_SETFOCUS}),
              (std::vector<std::pair<HWND, UINT>>{{first, WM_KILLFOCUS}, {second, WM_SETFOCUS}}));
    EXPECT_EQ(reinterpret_cast<HWND>(Log().Of(WM_SETFOCUS).front().wParam), first);

    Log().Clear();
    EXPECT_FALSE(EnableWindow(second, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(second));
    EXPECT_EQ(Log().Only({WM_KILLFOCUS, WM_ENABLE}),
              (std::vector<std::pair<HWND, UINT>>{{second, WM_KILLFOCUS}, {second, WM_ENABLE}}));
    EXPECT_EQ(SetFocus(second), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(EnableWindow(second, TRUE));
    EXPECT_FALSE(EnableWindow(second, TRUE));
    EXPECT_EQ(Log().Of(WM_ENABLE).size(), 2u);
}

TEST_F(WindowGeometryTest, ActivationSwitchesBetweenTopLevelWindowsWithMessages) {
    HWND first = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 10, 10}, "first");
    HWND second = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 10, 10}, "second");
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetForegroundWindow(), second);
    Log().Clear();
    EXPECT_TRUE(SetForegroundWindow(first));
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), first);
    const auto activations = Log().Of(WM_ACTIVATE);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0].hwnd, second);
    EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
    EXPECT_EQ(activations[1].hwnd, first);
    EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
    DestroyWindow(first);
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(WindowGeometryTest, CaptureChangesAreAnnounced) {
    HWND a = TopLevel();
    HWND b = TopLevel();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(GetCapture(), a);
    Log().Clear();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    const auto changes = Log().Of(WM_CAPTURECHANGED);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].hwnd, a);
    EXPECT_EQ(reinterpret_cast<HWND>(changes[0].lParam), b);
    EXPECT_EQ(changes[1].hwnd, b);
    EXPECT_EQ(changes[1].lParam, 0);
}

TEST_F(WindowGeometryTest, AMenuBarTakesItsHeightFromTheClientArea) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
    Log().Clear();
    const HMENU menu = reinterpret_cast<HMENU>(0x500);
    EXPECT_TRUE(SetMenu(top, menu));
    EXPECT_EQ(GetMenu(top), menu);
    EXPECT_TRUE(Same(ClientRectOf(top), RECT{0, 0, 200, 80}));
    EXPECT_EQ(Log().Of(WM_SIZE).front().lParam, MAKELPARAM(200, 80));
    EXPECT_EQ(Log().Of(WM_MOVE).front().lParam, MAKELPARAM(0, 20));
    HWND child = Child(top, 1, {0, 0, 10, 10});
    EXPECT_FALSE(SetMenu(child, menu));
}

TEST_F(WindowGeometryTest, ReparentingAndOwnedPopupsFollowTheTree) {
    HWND first = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, "first");
    HWND second = TopLevel(WS_POPUP | WS_VISIBLE, {200, 0, 300, 100}, "second");
    HWND child = Child(first, 7, {10, 10, 20, 20});
    EXPECT_EQ(SetParent(child, second), first);
    EXPECT_EQ(GetParent(child), second);
    EXPECT_EQ(GetWindow(first, GW_CHILD), nullptr);
    EXPECT_TRUE(Same(WindowRectOf(child), RECT{210, 10, 220, 20}));
    EXPECT_EQ(SetParent(second, child), nullptr);

    HWND popup = TopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, "popup", 0, first);
    EXPECT_EQ(GetWindow(first, GW_ENABLEDPOPUP), popup);
    EnableWindow(popup, FALSE);
    EXPECT_EQ(GetWindow(first, GW_ENABLEDPOPUP), nullptr);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), second);
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), first);
}

TEST_F(WindowGeometryTest, HitTestAnswersFromTheFrame) {
    HWND top = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 300});
    auto hit = [&](int x, int y) { return SendMessageA(top, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(150, 110), HTCAPTION);
    EXPECT_EQ(hit(150, 150), HTCLIENT);
    EXPECT_EQ(hit(101, 101), HTTOPLEFT);
    EXPECT_EQ(hit(298, 200), HTRIGHT);
    EXPECT_EQ(hit(50, 50), HTNOWHERE);
}

}  // namespace
}  // namespace platform::testing
