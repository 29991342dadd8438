#include "platform/controls/MenuBar.h"

#include "platform/controls/MenuLayout.h"
#include "platform/controls/MenuPainter.h"
#include "platform/controls/MenuTracker.h"
#include "platform/screen/ScreenApi.h"

namespace platform {

namespace {

struct BarLayout {
    HMENU menu = nullptr;
    RECT bar{};
    std::vector<MenuEntry> items;
    MenuLayout layout;
};

BarLayout LayOutBar(HWND frame) {
    BarLayout bar;
    bar.menu = GetMenu(frame);
    bar.bar = MenuBarRect(frame);
    if (bar.menu == nullptr || bar.bar.right <= bar.bar.left) {
        return bar;
    }
    {
        MenuTable& table = MenuTable::Get();
        std::lock_guard lock(table.mutex);
        bar.items = table.Items(bar.menu);
    }
    bar.layout = LayOutMenuBar(bar.items, bar.bar.right - bar.bar.left);
    return bar;
}

void Publish(HWND frame, const BarLayout& bar) {
    RECT window{};
    GetWindowRect(frame, &window);
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuData* data = table.Find(bar.menu);
    if (data == nullptr) {
        return;
    }
    data->shownIn = frame;
    data->itemRects.clear();
    for (const RECT& rect : bar.layout.rects) {
        const int dx = window.left + bar.bar.left;
        const int dy = window.top + bar.bar.top;
        data->itemRects.push_back(
            RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy});
    }
}

}  // namespace

RECT MenuBarRect(HWND frame) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE));
    if (GetMenu(frame) == nullptr || (style & WS_CHILD) || (style & WS_MINIMIZE)) {
        return RECT{};
    }
    RECT window{};
    RECT client{};
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    // The bar sits right above the client area (and its sunken edge), across the frame's inside.
    const int edge = (GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 2 : 0;
    const int bottom = origin.y - window.top - edge;
    const int left = origin.x - window.left - edge;
    const int right = left + edge + client.right + edge;
    return RECT{left, bottom - GetSystemMetrics(SM_CYMENU), right, bottom};
}

void PaintMenuBar(HDC windowDC, HWND frame) {
    const BarLayout bar = LayOutBar(frame);
    if (bar.menu == nullptr) {
        return;
    }
    FillRect(windowDC, &bar.bar, GetSysColorBrush(COLOR_MENU));
    const MenuTracker* tracker = MenuTracker::Current();
    const int selected = tracker != nullptr ? tracker->BarSelection(frame) : -1;
    for (size_t i = 0; i < bar.items.size(); ++i) {
        const RECT& rect = bar.layout.rects[i];
        MenuItemPaint paint;
        paint.menu = bar.menu;
        paint.entry = &bar.items[i];
        paint.rect = RECT{rect.left + bar.bar.left, rect.top + bar.bar.top,
                          rect.right + bar.bar.left, rect.bottom + bar.bar.top};
        paint.selected = selected == static_cast<int>(i);
        paint.inMenuBar = true;
        PaintMenuItem(windowDC, paint);
    }
    Publish(frame, bar);
}

void PublishMenuBarRects(HWND frame) {
    const BarLayout bar = LayOutBar(frame);
    if (bar.menu != nullptr) {
        Publish(frame, bar);
    }
}

void TrackMenuBar(HWND hwnd, WPARAM command, LPARAM lParam) {
    const HWND frame = GetAncestor(hwnd, GA_ROOT);
    if (frame == nullptr || GetMenu(frame) == nullptr || MenuTracker::Current() != nullptr) {
        return;
    }
    UINT chosen = 0;
    {
        MenuTracker tracker(frame, 0);
        if ((command & 0xFFF0) == SC_MOUSEMENU) {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            PublishMenuBarRects(frame);
            chosen = tracker.TrackBar(frame, MenuItemFromPoint(frame, GetMenu(frame), point), 0);
        } else {
            chosen = tracker.TrackBar(frame, -1, static_cast<char>(lParam));
        }
    }
    DrawMenuBar(frame);
    if (chosen != 0) {
        PostMessageA(frame, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
}

}  // namespace platform

BOOL DrawMenuBar(HWND hWnd) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (GetMenu(hWnd) == nullptr) {
        return FALSE;
    }
    HDC dc = GetWindowDC(hWnd);
    if (dc != nullptr) {
        platform::PaintMenuBar(dc, hWnd);
        ReleaseDC(hWnd, dc);
    } else {
        platform::PublishMenuBarRects(hWnd);
    }
    return TRUE;
}
