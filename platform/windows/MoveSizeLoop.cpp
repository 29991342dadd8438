// Moving a window by its caption and sizing it by its border with the mouse: the system's own
// loop, entered from WM_SYSCOMMAND SC_MOVE and SC_SIZE while the left button is down. It holds the
// capture and follows the cursor until the button comes up; Esc puts the window back.
#include <algorithm>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

// The edges an SC_SIZE command moves (its low four bits are WMSZ_LEFT..WMSZ_BOTTOMRIGHT).
struct Edges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

Edges EdgesOf(WPARAM command) {
    switch (command & 0x0F) {
        case 1:
            return {true, false, false, false};
        case 2:
            return {false, false, true, false};
        case 3:
            return {false, true, false, false};
        case 4:
            return {true, true, false, false};
        case 5:
            return {false, true, true, false};
        case 6:
            return {false, false, false, true};
        case 7:
            return {true, false, false, true};
        case 8:
            return {false, false, true, true};
        default:
            return {};
    }
}

RECT Follow(const RECT& start, const Edges& edges, bool moving, int dx, int dy, SIZE smallest) {
    RECT rect = start;
    if (moving) {
        return OffsetRectBy(start, dx, dy);
    }
    if (edges.left) {
        rect.left = std::min<LONG>(start.left + dx, start.right - smallest.cx);
    }
    if (edges.right) {
        rect.right = std::max<LONG>(start.right + dx, start.left + smallest.cx);
    }
    if (edges.top) {
        rect.top = std::min<LONG>(start.top + dy, start.bottom - smallest.cy);
    }
    if (edges.bottom) {
        rect.bottom = std::max<LONG>(start.bottom + dy, start.top + smallest.cy);
    }
    return rect;
}

}  // namespace

void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT anchor) {
    const bool moving = (command & 0xFFF0) == SC_MOVE;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    // A maximised or minimised window keeps its place; only a sizable frame is sized.
    if ((style & (WS_MAXIMIZE | WS_MINIMIZE)) != 0 || (!moving && (style & WS_THICKFRAME) == 0) ||
        (GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
        return;
    }
    const Edges edges = EdgesOf(command);
    RECT start{};
    GetWindowRect(hwnd, &start);
    if (HWND parent = GetParent(hwnd); parent != nullptr && (style & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&start), 2);
    }
    // The frame and caption stay whole, as the smallest frame the system draws.
    const RECT insets =
        FrameInsets(style, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)), false);
    const SIZE smallest{insets.left + insets.right + 2 * kCaptionHeight,
                        insets.top + insets.bottom};
    SetCapture(hwnd);
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0);
    RECT now = start;
    for (;;) {
        if (GetCapture() != hwnd || !IsWindow(hwnd)) {
            break;
        }
        MSG msg{};
        const CapturedInput input = TakeCapturedInput(msg);
        if (input == CapturedInput::kNone) {
            WaitMessage();
            continue;
        }
        if (input == CapturedInput::kQuit) {
            break;
        }
        const bool release = input == CapturedInput::kRelease;
        if (input == CapturedInput::kMove || release) {
            const RECT wanted =
                Follow(start, edges, moving, msg.pt.x - anchor.x, msg.pt.y - anchor.y, smallest);
            if (wanted.left != now.left || wanted.top != now.top || wanted.right != now.right ||
                wanted.bottom != now.bottom) {
                now = wanted;
                SetWindowPos(hwnd, nullptr, now.left, now.top, now.right - now.left,
                             now.bottom - now.top, flags);
            }
            if (release) {
                break;
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            SetWindowPos(hwnd, nullptr, start.left, start.top, start.right - start.left,
                         start.bottom - start.top, flags);
            break;
        }
        DispatchCapturedInput(msg);
    }
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
    }
}

}  // namespace platform
