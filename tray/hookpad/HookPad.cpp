// The tray companion's hook library, loaded by name ("hookpad.dll"). Its hook procedures run in
// the process that installed them, for the input of every program of the user (the platform
// hands input that reaches another program to them over the link), and post what they see to
// the window named last:
//   1325 for every key press, wParam the virtual key, lParam bit 3 set (a press may fire a hot
//        key), bit 2 Alt, bit 1 Ctrl, bit 0 Shift held;
//   1324 for every mouse event, wParam 1 for a left press, 4 for a right press, 0 otherwise;
//        lParam the point (x in the low word, y in the high word), since the cursor of the
//        process that installed the hook is not that of the program the mouse is in.
// The modifiers are followed from the key events themselves, for the same reason. Keys and
// mouse events are always passed on, never eaten.
//
// It is linked into no program: the platform functions it calls are those of the program that
// loads it.
#include <cstdint>

#include "platform/windows/WindowApi.h"

namespace {

constexpr UINT kHookKeyMessage = 1325;
constexpr UINT kHookMouseMessage = 1324;

HWND target = nullptr;
HHOOK next_hook = nullptr;
bool shift_held = false;
bool control_held = false;
bool alt_held = false;

bool IsRelease(LPARAM lParam) {
    return (static_cast<std::uint64_t>(lParam) & (1u << 31)) != 0;
}

LRESULT Keyboard(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const bool down = !IsRelease(lParam);
        switch (wParam) {
            case VK_SHIFT:
                shift_held = down;
                break;
            case VK_CONTROL:
                control_held = down;
                break;
            case VK_MENU:
                alt_held = down;
                break;
            default:
                if (down && target != nullptr) {
                    const LPARAM flags =
                        8 | (alt_held ? 4 : 0) | (control_held ? 2 : 0) | (shift_held ? 1 : 0);
                    PostMessageA(target, kHookKeyMessage, wParam, flags);
                }
                break;
        }
    }
    return CallNextHookEx(next_hook, code, wParam, lParam);
}

}  // namespace

extern "C" {

void InitialEnvironment(HWND window) {
    target = window;
}

void SetNextHook(HHOOK hook) {
    next_hook = hook;
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    return Keyboard(code, wParam, lParam);
}

// The capture's keyboard hook: the same messages; the capture only looks for Esc.
LRESULT CALLBACK KeyboardHookProc2(int code, WPARAM wParam, LPARAM lParam) {
    return Keyboard(code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && target != nullptr && lParam != 0) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        const WPARAM button = wParam == WM_LBUTTONDOWN ? 1 : wParam == WM_RBUTTONDOWN ? 4 : 0;
        PostMessageA(target, kHookMouseMessage, button, MAKELPARAM(info->pt.x, info->pt.y));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"
