// DefWindowProcA: what the system does for a message the window procedure passes on.
#include <cstring>
#include <functional>
#include <mutex>

#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

std::mutex scroll_press_mutex;
std::function<void(HWND, WPARAM, POINT)> scroll_press_handler;

void PressScrollBar(HWND hwnd, WPARAM hitTest, LPARAM lParam) {
    std::function<void(HWND, WPARAM, POINT)> handler;
    {
        std::lock_guard lock(scroll_press_mutex);
        handler = scroll_press_handler;
    }
    if (handler) {
        handler(hwnd, hitTest, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
}

LRESULT HitTest(HWND hwnd, POINT screen) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr) {
        return HTNOWHERE;
    }
    const RECT outer = system.ScreenRect(hwnd);
    if (!RectContains(outer, screen)) {
        return HTNOWHERE;
    }
    if (window->style & WS_MINIMIZE) {
        return HTCAPTION;
    }
    const POINT origin = system.ClientOriginOnScreen(hwnd);
    const RECT client = OffsetRectBy(system.ClientSize(*window), origin.x, origin.y);
    if (RectContains(client, screen)) {
        return HTCLIENT;
    }
    const RECT frame = FrameInsets(
        window->style & ~static_cast<DWORD>(WS_CAPTION | WS_VSCROLL | WS_HSCROLL),
        window->exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false);
    const RECT inner{outer.left + frame.left, outer.top + frame.top, outer.right - frame.right,
                     outer.bottom - frame.bottom};
    if (!RectContains(inner, screen)) {
        if ((window->style & WS_THICKFRAME) == 0) {
            return HTBORDER;
        }
        const bool left = screen.x < inner.left;
        const bool right = screen.x >= inner.right;
        const bool top = screen.y < inner.top;
        const bool bottom = screen.y >= inner.bottom;
        if (top) {
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        }
        if (bottom) {
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        }
        return left ? HTLEFT : HTRIGHT;
    }
    if ((window->style & WS_CAPTION) == WS_CAPTION) {
        const int caption =
            (window->exStyle & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
        if (screen.y < inner.top + caption) {
            const RECT bar{inner.left, inner.top, inner.right, inner.top + caption - 1};
            if ((window->style & WS_SYSMENU) && RectContains(CloseBoxRect(bar), screen)) {
                return HTCLOSE;
            }
            if (HasSizeBoxes(window->style, window->exStyle)) {
                if (RectContains(MaximizeBoxRect(bar), screen)) {
                    return HTMAXBUTTON;
                }
                if (RectContains(MinimizeBoxRect(bar), screen)) {
                    return HTMINBUTTON;
                }
            }
            return HTCAPTION;
        }
    }
    if (window->menu != nullptr && (window->style & WS_CHILD) == 0 && screen.y < client.top) {
        return HTMENU;
    }
    if ((window->style & WS_VSCROLL) && screen.x >= client.right) {
        return HTVSCROLL;
    }
    if ((window->style & WS_HSCROLL) && screen.y >= client.bottom) {
        return HTHSCROLL;
    }
    return HTBORDER;
}

LRESULT SetText(HWND hwnd, LPCSTR text) {
    WindowSystem& system = WindowSystem::Get();
    bool topLevel = false;
    {
        std::lock_guard lock(system.mutex);
        Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return FALSE;
        }
        window->text = text == nullptr ? "" : text;
        topLevel = system.IsTopLevel(*window);
    }
    if (topLevel) {
        NotifyTopLevel(hwnd);
    }
    return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPSTR buffer) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    if (window == nullptr || buffer == nullptr || size == 0) {
        return 0;
    }
    const size_t length = CutAtCharBoundary(window->text, size - 1);
    std::memcpy(buffer, window->text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT Erase(HWND hwnd, HDC dc) {
    WindowSystem& system = WindowSystem::Get();
    HBRUSH background = nullptr;
    std::function<void(HWND, HDC, HBRUSH)> painter;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return 0;
        }
        background = window->windowClass->background;
        painter = system.backgroundPainter;
    }
    // A class without a brush leaves the background to the window.
    if (background == nullptr) {
        return 0;
    }
    if (painter && dc != nullptr) {
        painter(hwnd, dc, background);
    }
    return 1;
}

std::mutex menu_bar_tracker_mutex;
std::function<void(HWND, WPARAM, LPARAM)> menu_bar_tracker;

// Alt opens the menu bar when it is released without another key in between.
thread_local bool key_since_alt = false;
// The caption box (close, maximise or minimise) the left button last went down on, and its
// window: the box acts when the button comes up over it.
struct PressedBox {
    HWND hwnd = nullptr;
    WPARAM hit = HTNOWHERE;
};
thread_local PressedBox pressed_box;

bool IsCaptionBox(WPARAM hit) {
    return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON;
}

// The command of a caption box or of a double click on the caption; 0 where its style is off.
WPARAM CaptionCommand(HWND hwnd, WPARAM hit) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    switch (hit) {
        case HTCLOSE:
            return SC_CLOSE;
        case HTMINBUTTON:
            return (style & WS_MINIMIZEBOX) ? SC_MINIMIZE : 0;
        case HTMAXBUTTON:
        case HTCAPTION:
            if (hit == HTCAPTION && (style & WS_MINIMIZE)) {
                return SC_RESTORE;
            }
            if ((style & WS_MAXIMIZEBOX) == 0) {
                return 0;
            }
            return (style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE;
        default:
            return 0;
    }
}

void OpenMenuBar(HWND hwnd, WPARAM command, LPARAM lParam) {
    std::function<void(HWND, WPARAM, LPARAM)> tracker;
    {
        std::lock_guard lock(menu_bar_tracker_mutex);
        tracker = menu_bar_tracker;
    }
    if (tracker) {
        tracker(hwnd, command, lParam);
    }
}

LRESULT SystemCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
        case SC_MOUSEMENU:
        case SC_KEYMENU:
            OpenMenuBar(hwnd, command, lParam);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        case SC_MOVE:
        case SC_SIZE:
            RunMoveSizeLoop(hwnd, command, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case SC_CLOSE: {
            WindowSystem& system = WindowSystem::Get();
            {
                std::lock_guard lock(system.mutex);
                const Window* window = system.Find(hwnd);
                if (window == nullptr || (window->windowClass->style & CS_NOCLOSE)) {
                    return 0;
                }
            }
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        default:
            return 0;
    }
}

void WindowPositionChanged(HWND hwnd, const WINDOWPOS* position) {
    if (position == nullptr) {
        return;
    }
    RECT client{};
    WPARAM sizeKind = SIZE_RESTORED;
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return;
        }
        client = system.ClientInParent(*window);
        sizeKind = (window->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                   : (window->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                   : SIZE_RESTORED;
    }
    if ((position->flags & SWP_NOCLIENTMOVE) == 0) {
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
    }
    if ((position->flags & SWP_NOCLIENTSIZE) == 0) {
        SendMessageA(hwnd, WM_SIZE, sizeKind,
                     MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
}

}  // namespace

void SetScrollBarPressHandler(std::function<void(HWND, WPARAM, POINT)> handler) {
    std::lock_guard lock(scroll_press_mutex);
    scroll_press_handler = std::move(handler);
}

void SetMenuBarTracker(std::function<void(HWND, WPARAM, LPARAM)> tracker) {
    std::lock_guard lock(menu_bar_tracker_mutex);
    menu_bar_tracker = std::move(tracker);
}

}  // namespace platform

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (create != nullptr && create->lpszName != nullptr) {
                platform::SetText(hWnd, create->lpszName);
            }
            return TRUE;
        }
        case WM_SETTEXT:
            return platform::SetText(hWnd, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return platform::GetText(hWnd, wParam, reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH: {
            platform::WindowSystem& system = platform::WindowSystem::Get();
            std::lock_guard lock(system.mutex);
            const platform::Window* window = system.Find(hWnd);
            return window == nullptr ? 0 : static_cast<LRESULT>(window->text.size());
        }
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SYSCOMMAND:
            return platform::SystemCommand(hWnd, wParam, lParam);
        case WM_NCLBUTTONDOWN:
            platform::pressed_box = platform::IsCaptionBox(wParam)
                                        ? platform::PressedBox{hWnd, wParam}
                                        : platform::PressedBox{};
            if (wParam == HTMENU) {
                SendMessageA(hWnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
            } else if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
                platform::PressScrollBar(hWnd, wParam, lParam);
            } else if (wParam == HTCAPTION) {
                SendMessageA(hWnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
            } else if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
                // SC_SIZE's low bits count the edges from WMSZ_LEFT as the hit codes do from
                // HTLEFT.
                SendMessageA(hWnd, WM_SYSCOMMAND, SC_SIZE + (wParam - HTLEFT + 1), lParam);
            }
            return 0;
        case WM_NCLBUTTONUP:
            if (platform::IsCaptionBox(wParam) && platform::pressed_box.hwnd == hWnd &&
                platform::pressed_box.hit == wParam) {
                platform::pressed_box = {};
                if (const WPARAM command = platform::CaptionCommand(hWnd, wParam)) {
                    SendMessageA(hWnd, WM_SYSCOMMAND, command, lParam);
                }
            }
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam != VK_MENU) {
                platform::key_since_alt = true;
            } else if ((lParam & (1 << 30)) == 0) {
                platform::key_since_alt = false;
            }
            return 0;
        case WM_SYSKEYUP:
            if ((wParam == VK_MENU && !platform::key_since_alt) || wParam == VK_F10) {
                SendMessageA(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
            }
            return 0;
        case WM_SYSCHAR:
            platform::key_since_alt = true;
            if (lParam & (1 << 29)) {
                SendMessageA(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU,
                             static_cast<LPARAM>(wParam));
            }
            return 0;
        case WM_NCHITTEST:
            return platform::HitTest(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_ERASEBKGND:
        case WM_ICONERASEBKGND:
            return platform::Erase(hWnd, reinterpret_cast<HDC>(wParam));
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            BeginPaint(hWnd, &paint);
            EndPaint(hWnd, &paint);
            return 0;
        }
        case WM_WINDOWPOSCHANGED:
            platform::WindowPositionChanged(hWnd, reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
                SetFocus(hWnd);
            }
            return 0;
        case WM_NCACTIVATE:
            return TRUE;
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
                platform::PressScrollBar(hWnd, wParam, lParam);
            } else if (wParam == HTCAPTION) {
                if (const WPARAM command = platform::CaptionCommand(hWnd, wParam)) {
                    SendMessageA(hWnd, WM_SYSCOMMAND, command, lParam);
                }
            }
            return 0;
        case WM_MOUSEACTIVATE: {
            // A child asks its parent first; the first nonzero answer decides.
            const LONG style = GetWindowLongA(hWnd, GWL_STYLE);
            if (style & WS_CHILD) {
                if (const LRESULT answer = SendMessageA(GetParent(hWnd), Msg, wParam, lParam)) {
                    return answer;
                }
            }
            return (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) ? MA_NOACTIVATE
                                                                          : MA_ACTIVATE;
        }
        case WM_QUERYENDSESSION:
            return TRUE;
        default:
            return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (lpPrevWndFunc == nullptr) {
        return 0;
    }
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
