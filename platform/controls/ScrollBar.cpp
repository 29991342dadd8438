#include "platform/controls/ScrollBar.h"

#include <algorithm>

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ScrollBarPainter.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

struct ScrollBarControl {
    explicit ScrollBarControl(HWND window) : hwnd(window) { state.max = 100; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    ScrollState state;
};

ScrollState* StateOf(HWND hwnd) {
    auto* control = reinterpret_cast<ScrollBarControl*>(GetWindowLongPtrA(hwnd, 0));
    return control != nullptr ? &control->state : nullptr;
}

bool IsVertical(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & SBS_VERT) != 0;
}

UINT ScrollMessage(HWND hwnd) {
    return IsVertical(hwnd) ? WM_VSCROLL : WM_HSCROLL;
}

void Redraw(HWND hwnd, bool redraw) {
    if (redraw) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

int ApplyInfo(ScrollState& state, const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        state.min = info.nMin;
        state.max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) {
        state.page = info.nPage;
    }
    const long long span = static_cast<long long>(state.max) - state.min + 1;
    if (state.page > span) {
        state.page = static_cast<UINT>(span);
    }
    if (info.fMask & SIF_POS) {
        state.pos = info.nPos;
    }
    state.pos = std::clamp(state.pos, state.min, state.MaxPos());
    return state.pos;
}

void Paint(HWND hwnd, const ScrollState& state) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd, &client);
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd));
        DrawScrollBar(dc, client, IsVertical(hwnd), state, IsWindowEnabled(hwnd) != FALSE);
    }
    EndPaint(hwnd, &paint);
}

void KeyDown(HWND hwnd, WPARAM key) {
    const bool vertical = IsVertical(hwnd);
    int code = -1;
    switch (key) {
        case VK_UP:
            code = vertical ? SB_LINEUP : -1;
            break;
        case VK_DOWN:
            code = vertical ? SB_LINEDOWN : -1;
            break;
        case VK_LEFT:
            code = vertical ? -1 : SB_LINELEFT;
            break;
        case VK_RIGHT:
            code = vertical ? -1 : SB_LINERIGHT;
            break;
        case VK_PRIOR:
            code = SB_PAGEUP;
            break;
        case VK_NEXT:
            code = SB_PAGEDOWN;
            break;
        case VK_HOME:
            code = SB_TOP;
            break;
        case VK_END:
            code = SB_BOTTOM;
            break;
        default:
            break;
    }
    if (code >= 0) {
        SendMessageA(GetParent(hwnd), ScrollMessage(hwnd), MAKEWPARAM(code, 0),
                     reinterpret_cast<LPARAM>(hwnd));
        SendMessageA(GetParent(hwnd), ScrollMessage(hwnd), MAKEWPARAM(SB_ENDSCROLL, 0),
                     reinterpret_cast<LPARAM>(hwnd));
    }
}

void Press(HWND hwnd, LPARAM lParam) {
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) {
        SetFocus(hwnd);
    }
    RECT bar{};
    GetClientRect(hwnd, &bar);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    bar =
        RECT{bar.left + origin.x, bar.top + origin.y, bar.right + origin.x, bar.bottom + origin.y};
    const POINT press{GET_X_LPARAM(lParam) + origin.x, GET_Y_LPARAM(lParam) + origin.y};
    TrackScrollBar(
        hwnd, GetParent(hwnd), ScrollMessage(hwnd), hwnd, bar, IsVertical(hwnd), press,
        [hwnd] {
            const ScrollState* state = StateOf(hwnd);
            return state != nullptr ? *state : ScrollState{};
        },
        [hwnd](int pos) {
            if (ScrollState* state = StateOf(hwnd)) {
                state->trackPos = pos;
            }
        });
}

LRESULT Dispatch(HWND hwnd, ScrollState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SBM_SETPOS: {
            const int previous = state.pos;
            ApplyInfo(state, SCROLLINFO{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0,
                                        static_cast<int>(wParam), 0});
            Redraw(hwnd, lParam != 0 && previous != state.pos);
            return previous;
        }
        case SBM_GETPOS:
            return state.pos;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            const int previous = state.pos;
            ApplyInfo(state, SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE, static_cast<int>(wParam),
                                        static_cast<int>(lParam), 0, 0, 0});
            Redraw(hwnd, message == SBM_SETRANGEREDRAW);
            return previous;
        }
        case SBM_GETRANGE:
            if (wParam != 0) {
                *reinterpret_cast<int*>(wParam) = state.min;
            }
            if (lParam != 0) {
                *reinterpret_cast<int*>(lParam) = state.max;
            }
            return 0;
        case SBM_ENABLE_ARROWS: {
            const UINT arrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
            if (arrows == state.disabledArrows) {
                return FALSE;
            }
            state.disabledArrows = arrows;
            Redraw(hwnd, true);
            return TRUE;
        }
        case SBM_SETSCROLLINFO: {
            const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
            if (info == nullptr) {
                return state.pos;
            }
            const int pos = ApplyInfo(state, *info);
            Redraw(hwnd, wParam != 0);
            return pos;
        }
        case SBM_GETSCROLLINFO: {
            auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
            if (info == nullptr) {
                return FALSE;
            }
            if (info->fMask & SIF_RANGE) {
                info->nMin = state.min;
                info->nMax = state.max;
            }
            if (info->fMask & SIF_PAGE) {
                info->nPage = state.page;
            }
            if (info->fMask & SIF_POS) {
                info->nPos = state.pos;
            }
            if (info->fMask & SIF_TRACKPOS) {
                info->nTrackPos = state.trackPos;
            }
            return TRUE;
        }
        case WM_PAINT:
            Paint(hwnd, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_ENABLE:
            Redraw(hwnd, true);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(hwnd, lParam);
            return 0;
        case WM_KEYDOWN:
            KeyDown(hwnd, wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT ScrollBarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hwnd, state, message, wParam, lParam);
}

}  // namespace

void RegisterScrollBarClass() {
    InstallWindowScrollBars();
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        "ScrollBar", ControlProcedure<ScrollBarControl>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

}  // namespace platform
