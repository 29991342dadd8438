#include "platform/controls/ScrollInfo.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/controls/ScrollBar.h"
#include "platform/controls/ScrollBarPainter.h"
#include "platform/screen/ScreenApi.h"
#include "platform/screen/WindowFrame.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

struct WindowBar {
    ScrollState state;
    // Disabled because SIF_DISABLENOSCROLL kept a bar whose range fits in a page.
    bool disabledForRange = false;
};

struct WindowBars {
    WindowBar horizontal;
    WindowBar vertical;
};

class BarTable {
public:
    static BarTable& Get() {
        static BarTable* table = new BarTable;
        return *table;
    }

    std::mutex mutex;

    // The bars of a window, made on first use with the default range of a window that has the
    // style bit. Entries of windows that are gone are dropped whenever a new one is made.
    WindowBars& Of(HWND hwnd) {
        auto found = bars_.find(hwnd);
        if (found != bars_.end()) {
            return found->second;
        }
        std::erase_if(bars_, [](const auto& entry) { return !IsWindow(entry.first); });
        WindowBars made;
        const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        if (style & WS_HSCROLL) {
            made.horizontal.state.max = 100;
        }
        if (style & WS_VSCROLL) {
            made.vertical.state.max = 100;
        }
        return bars_.emplace(hwnd, made).first->second;
    }
    bool Has(HWND hwnd) const { return bars_.contains(hwnd); }

private:
    std::unordered_map<HWND, WindowBars> bars_;
};

WindowBar& BarOf(WindowBars& bars, int bar) {
    return bar == SB_HORZ ? bars.horizontal : bars.vertical;
}

DWORD StyleBit(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

bool HasStyle(HWND hwnd, DWORD bits) {
    return (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & bits) != 0;
}

// Changes the scroll style bits and lets the frame (and the client size) follow.
void SetBarStyle(HWND hwnd, DWORD bits, bool on) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD changed = on ? (style | bits) : (style & ~bits);
    if (changed == style) {
        return;
    }
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(changed));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WindowBarOnScreen(HWND hwnd, int bar) {
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int thickness = GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
    if (bar == SB_VERT) {
        return RECT{origin.x + client.right, origin.y, origin.x + client.right + thickness,
                    origin.y + client.bottom};
    }
    return RECT{origin.x, origin.y + client.bottom, origin.x + client.right,
                origin.y + client.bottom + thickness};
}

void RedrawWindowBars(HWND hwnd) {
    if (!IsWindowVisible(hwnd) || !HasStyle(hwnd, WS_HSCROLL | WS_VSCROLL)) {
        return;
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        DrawWindowScrollBars(hwnd, dc);
        ReleaseDC(hwnd, dc);
    }
}

void SetTrackPos(HWND hwnd, int bar, int pos) {
    BarTable& table = BarTable::Get();
    std::lock_guard lock(table.mutex);
    BarOf(table.Of(hwnd), bar).state.trackPos = pos;
}

bool IsWindowBar(int bar) {
    return bar == SB_HORZ || bar == SB_VERT;
}

}  // namespace

ScrollState WindowScrollState(HWND hwnd, int bar) {
    BarTable& table = BarTable::Get();
    std::lock_guard lock(table.mutex);
    return BarOf(table.Of(hwnd), bar).state;
}

void InstallWindowScrollBars() {
    static std::once_flag once;
    std::call_once(once, [] {
        SetScrollBarPressHandler([](HWND hwnd, WPARAM hitTest, POINT screen) {
            const int bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
            TrackScrollBar(
                hwnd, hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, nullptr,
                WindowBarOnScreen(hwnd, bar), bar == SB_VERT, screen,
                [hwnd, bar] { return WindowScrollState(hwnd, bar); },
                [hwnd, bar](int pos) { SetTrackPos(hwnd, bar, pos); });
        });
        SetScrollBarPainter(DrawWindowScrollBars);
    });
}

void DrawScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollState& state, bool enabled) {
    const ScrollBarLayout layout(bar, vertical, state);
    const bool active = enabled && state.Scrollable() &&
                        (state.disabledArrows & ESB_DISABLE_BOTH) != ESB_DISABLE_BOTH;
    DrawScrollTrack(dc, layout.Track());
    DrawArrowButton(dc, layout.UpArrow(), vertical ? ArrowDirection::Up : ArrowDirection::Left,
                    active && (state.disabledArrows & ESB_DISABLE_LTUP) == 0);
    DrawArrowButton(dc, layout.DownArrow(), vertical ? ArrowDirection::Down : ArrowDirection::Right,
                    active && (state.disabledArrows & ESB_DISABLE_RTDN) == 0);
    if (active && layout.HasThumb()) {
        DrawRaisedButton(dc, layout.Thumb());
    }
}

void DrawWindowScrollBars(HWND hwnd, HDC windowDc) {
    const bool horizontal = HasStyle(hwnd, WS_HSCROLL);
    const bool vertical = HasStyle(hwnd, WS_VSCROLL);
    if (!horizontal && !vertical) {
        return;
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    auto toWindow = [&](RECT rect) {
        return RECT{rect.left - window.left, rect.top - window.top, rect.right - window.left,
                    rect.bottom - window.top};
    };
    RECT vbar{};
    RECT hbar{};
    if (vertical) {
        vbar = toWindow(WindowBarOnScreen(hwnd, SB_VERT));
        DrawScrollBar(windowDc, vbar, true, WindowScrollState(hwnd, SB_VERT), enabled);
    }
    if (horizontal) {
        hbar = toWindow(WindowBarOnScreen(hwnd, SB_HORZ));
        DrawScrollBar(windowDc, hbar, false, WindowScrollState(hwnd, SB_HORZ), enabled);
    }
    if (horizontal && vertical) {
        const RECT corner{vbar.left, hbar.top, vbar.right, hbar.bottom};
        FillRect(windowDc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void TrackScrollBar(HWND captureWindow, HWND notify, UINT message, HWND control,
                    const RECT& barOnScreen, bool vertical, POINT pressOnScreen,
                    const std::function<ScrollState()>& currentState,
                    const std::function<void(int)>& setTrackPos) {
    const ScrollState state = currentState();
    const ScrollBarLayout layout(barOnScreen, vertical, state);
    const ScrollPart part = layout.PartAt(pressOnScreen);
    const bool upDisabled = (state.disabledArrows & ESB_DISABLE_LTUP) != 0;
    const bool downDisabled = (state.disabledArrows & ESB_DISABLE_RTDN) != 0;
    if (part == ScrollPart::None || !state.Scrollable() || (upDisabled && downDisabled) ||
        (part == ScrollPart::LineUp && upDisabled) ||
        (part == ScrollPart::LineDown && downDisabled)) {
        return;
    }
    auto send = [&](int code, int pos) {
        SendMessageA(notify, message, MAKEWPARAM(code, static_cast<WORD>(pos)),
                     reinterpret_cast<LPARAM>(control));
    };
    auto along = [&](POINT point) {
        return vertical ? point.y - barOnScreen.top : point.x - barOnScreen.left;
    };
    const RECT thumb = layout.Thumb();
    const RECT track = layout.Track();
    const int thumbStart = vertical ? thumb.top - barOnScreen.top : thumb.left - barOnScreen.left;
    const int trackStart = vertical ? track.top - barOnScreen.top : track.left - barOnScreen.left;
    const int grab = along(pressOnScreen) - thumbStart;

    SetCapture(captureWindow);
    int trackPos = state.pos;
    switch (part) {
        case ScrollPart::LineUp:
            send(SB_LINEUP, 0);
            break;
        case ScrollPart::PageUp:
            send(SB_PAGEUP, 0);
            break;
        case ScrollPart::PageDown:
            send(SB_PAGEDOWN, 0);
            break;
        case ScrollPart::LineDown:
            send(SB_LINEDOWN, 0);
            break;
        case ScrollPart::Thumb:
        case ScrollPart::None:
            setTrackPos(trackPos);
            break;
    }
    while (GetCapture() == captureWindow) {
        MSG msg{};
        const CapturedInput input = TakeCapturedInput(msg);
        if (input == CapturedInput::kNone) {
            // Released where no window of this thread saw it.
            if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0) {
                if (part == ScrollPart::Thumb) {
                    send(SB_THUMBPOSITION, trackPos);
                }
                break;
            }
            WaitMessage();
            continue;
        }
        if (input == CapturedInput::kQuit) {
            break;
        }
        if (input == CapturedInput::kMove) {
            if (part == ScrollPart::Thumb) {
                const int pos = layout.PositionAtThumbOffset(along(msg.pt) - grab - trackStart);
                if (pos != trackPos) {
                    trackPos = pos;
                    setTrackPos(pos);
                    send(SB_THUMBTRACK, pos);
                }
            }
            continue;
        }
        if (input == CapturedInput::kRelease) {
            if (part == ScrollPart::Thumb) {
                send(SB_THUMBPOSITION, trackPos);
            }
            break;
        }
        DispatchCapturedInput(msg);
    }
    if (GetCapture() == captureWindow) {
        ReleaseCapture();
    }
    send(SB_ENDSCROLL, 0);
}

}  // namespace platform

using platform::BarTable;

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (nBar == SB_CTL) {
        return static_cast<int>(
            SendMessageA(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(lpsi)));
    }
    if (lpsi == nullptr || !platform::IsWindowBar(nBar) || !IsWindow(hwnd)) {
        return 0;
    }
    platform::InstallWindowScrollBars();
    const DWORD bit = platform::StyleBit(nBar);
    const bool hadBar = platform::HasStyle(hwnd, bit);
    std::optional<bool> show;
    int pos = 0;
    bool redrawNow = false;
    {
        BarTable& table = BarTable::Get();
        std::lock_guard lock(table.mutex);
        platform::WindowBar& bar = platform::BarOf(table.Of(hwnd), nBar);
        platform::ScrollState& state = bar.state;
        if (lpsi->fMask & SIF_RANGE) {
            state.min = lpsi->nMin;
            state.max = std::max(lpsi->nMin, lpsi->nMax);
        }
        if (lpsi->fMask & SIF_PAGE) {
            state.page = lpsi->nPage;
        }
        const long long span = static_cast<long long>(state.max) - state.min + 1;
        if (state.page > span) {
            state.page = static_cast<UINT>(span);
        }
        if (lpsi->fMask & SIF_POS) {
            state.pos = lpsi->nPos;
        }
        state.pos = std::clamp(state.pos, state.min, state.MaxPos());
        pos = state.pos;
        if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
            const bool scrollable = state.Scrollable();
            if (scrollable) {
                if (bar.disabledForRange) {
                    state.disabledArrows = ESB_ENABLE_BOTH;
                    bar.disabledForRange = false;
                }
                show = true;
            } else if (lpsi->fMask & SIF_DISABLENOSCROLL) {
                state.disabledArrows = ESB_DISABLE_BOTH;
                bar.disabledForRange = true;
                show = hadBar ? std::optional<bool>() : std::optional<bool>(true);
            } else {
                show = false;
            }
        }
        redrawNow = redraw != FALSE;
    }
    if (show.has_value() && *show != hadBar) {
        platform::SetBarStyle(hwnd, bit, *show);
    }
    if (redrawNow) {
        platform::RedrawWindowBars(hwnd);
    }
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (nBar == SB_CTL) {
        return static_cast<BOOL>(
            SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)));
    }
    if (lpsi == nullptr || !platform::IsWindowBar(nBar) || !IsWindow(hwnd)) {
        return FALSE;
    }
    BarTable& table = BarTable::Get();
    std::lock_guard lock(table.mutex);
    if (!table.Has(hwnd) && !platform::HasStyle(hwnd, platform::StyleBit(nBar))) {
        return FALSE;
    }
    const platform::ScrollState& state = platform::BarOf(table.Of(hwnd), nBar).state;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = state.min;
        lpsi->nMax = state.max;
    }
    if (lpsi->fMask & SIF_PAGE) {
        lpsi->nPage = state.page;
    }
    if (lpsi->fMask & SIF_POS) {
        lpsi->nPos = state.pos;
    }
    if (lpsi->fMask & SIF_TRACKPOS) {
        lpsi->nTrackPos = state.trackPos;
    }
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageA(hWnd, SBM_SETPOS, static_cast<WPARAM>(nPos), bRedraw));
    }
    if (!platform::IsWindowBar(nBar) || !IsWindow(hWnd)) {
        return 0;
    }
    const int previous = platform::WindowScrollState(hWnd, nBar).pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return previous;
}

int GetScrollPos(HWND hWnd, int nBar) {
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageA(hWnd, SBM_GETPOS, 0, 0));
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, nBar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (static_cast<long long>(nMaxPos) - nMinPos > INT_MAX) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (nBar == SB_CTL) {
        SendMessageA(hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE,
                     static_cast<WPARAM>(nMinPos), nMaxPos);
        return TRUE;
    }
    if (!platform::IsWindowBar(nBar) || !IsWindow(hWnd)) {
        return FALSE;
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos) {
    if (lpMinPos == nullptr || lpMaxPos == nullptr) {
        return FALSE;
    }
    if (nBar == SB_CTL) {
        SendMessageA(hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos),
                     reinterpret_cast<LPARAM>(lpMaxPos));
        return TRUE;
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, nBar, &info)) {
        info.nMin = 0;
        info.nMax = 0;
    }
    *lpMinPos = info.nMin;
    *lpMaxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    if (!IsWindow(hWnd)) {
        return FALSE;
    }
    if (wBar == SB_CTL) {
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = 0;
    if (wBar == SB_HORZ || wBar == SB_BOTH) {
        bits |= WS_HSCROLL;
    }
    if (wBar == SB_VERT || wBar == SB_BOTH) {
        bits |= WS_VSCROLL;
    }
    if (bits == 0) {
        return FALSE;
    }
    platform::InstallWindowScrollBars();
    {
        // Keep the range the window had before the bar goes or comes.
        BarTable& table = BarTable::Get();
        std::lock_guard lock(table.mutex);
        table.Of(hWnd);
    }
    platform::SetBarStyle(hWnd, bits, bShow != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    if (wSBflags == SB_CTL) {
        return static_cast<BOOL>(SendMessageA(hWnd, SBM_ENABLE_ARROWS, wArrows, 0));
    }
    if (wSBflags > SB_BOTH || !IsWindow(hWnd)) {
        return FALSE;
    }
    bool changed = false;
    {
        BarTable& table = BarTable::Get();
        std::lock_guard lock(table.mutex);
        platform::WindowBars& bars = table.Of(hWnd);
        for (int bar : {SB_HORZ, SB_VERT}) {
            if (wSBflags != SB_BOTH && static_cast<int>(wSBflags) != bar) {
                continue;
            }
            platform::WindowBar& one = platform::BarOf(bars, bar);
            changed = changed || one.state.disabledArrows != (wArrows & ESB_DISABLE_BOTH);
            one.state.disabledArrows = wArrows & ESB_DISABLE_BOTH;
            one.disabledForRange = false;
        }
    }
    if (changed) {
        platform::RedrawWindowBars(hWnd);
    }
    return changed ? TRUE : FALSE;
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                   HRGN hrgnUpdate, LPRECT prcUpdate, UINT flags) {
    if (!IsWindow(hWnd)) {
        return ERROR;
    }
    RECT area{};
    GetClientRect(hWnd, &area);
    if (prcScroll != nullptr) {
        area = *prcScroll;
    }
    RECT clip = area;
    if (prcClip != nullptr) {
        clip = RECT{std::max(area.left, prcClip->left), std::max(area.top, prcClip->top),
                    std::min(area.right, prcClip->right), std::min(area.bottom, prcClip->bottom)};
    }
    const int width = clip.right - clip.left;
    const int height = clip.bottom - clip.top;
    if (width <= 0 || height <= 0) {
        if (prcUpdate != nullptr) {
            *prcUpdate = RECT{};
        }
        return NULLREGION;
    }
    if ((dx != 0 || dy != 0) && IsWindowVisible(hWnd)) {
        // Through a copy, since source and target overlap.
        HDC dc = GetDC(hWnd);
        HDC copy = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ old = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, width, height, dc, clip.left, clip.top, SRCCOPY);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        BitBlt(dc, clip.left + dx, clip.top + dy, width, height, copy, 0, 0, SRCCOPY);
        SelectObject(copy, old);
        DeleteObject(bitmap);
        DeleteDC(copy);
        ReleaseDC(hWnd, dc);
    }
    // What the move uncovered: a band along each edge the contents moved away from.
    std::vector<RECT> uncovered;
    if (dx > 0) {
        uncovered.push_back(
            RECT{clip.left, clip.top, std::min(clip.right, clip.left + dx), clip.bottom});
    } else if (dx < 0) {
        uncovered.push_back(
            RECT{std::max(clip.left, clip.right + dx), clip.top, clip.right, clip.bottom});
    }
    if (dy > 0) {
        uncovered.push_back(
            RECT{clip.left, clip.top, clip.right, std::min(clip.bottom, clip.top + dy)});
    } else if (dy < 0) {
        uncovered.push_back(
            RECT{clip.left, std::max(clip.top, clip.bottom + dy), clip.right, clip.bottom});
    }
    RECT bounds{};
    for (const RECT& part : uncovered) {
        bounds =
            bounds.right <= bounds.left
                ? part
                : RECT{std::min(bounds.left, part.left), std::min(bounds.top, part.top),
                       std::max(bounds.right, part.right), std::max(bounds.bottom, part.bottom)};
        if (flags & SW_INVALIDATE) {
            InvalidateRect(hWnd, &part, (flags & SW_ERASE) ? TRUE : FALSE);
        }
    }
    if (hrgnUpdate != nullptr) {
        SetRectRgn(hrgnUpdate, bounds.left, bounds.top, bounds.right, bounds.bottom);
    }
    if (prcUpdate != nullptr) {
        *prcUpdate = bounds;
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND child = GetWindow(hWnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect{};
            GetWindowRect(child, &rect);
            POINT topLeft{rect.left, rect.top};
            ScreenToClient(hWnd, &topLeft);
            SetWindowPos(child, nullptr, topLeft.x + dx, topLeft.y + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (uncovered.empty()) {
        return NULLREGION;
    }
    return uncovered.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect) {
    const UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect == nullptr ? SW_SCROLLCHILDREN : 0);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) !=
           ERROR;
}
