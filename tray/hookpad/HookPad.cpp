// The tray companion's hook library, loaded by name ("hookpad.dll"). Its hook procedures run in
// the process that installed them, for the input of every program of the user (the platform
// hands input that reaches another program to them over the link), and post what they see to
// the window named last:
//   1325 for every key press, wParam the virtual key, lParam bit 3 set (a press may fire a hot
//        key), bit 2 Alt, bit 1 Ctrl, bit 0 Shift held;
//   1324 for every mouse event, wParam 1 for a left press, 4 for a right press (on a window's
//        frame or caption too, and the second press of a double click), 0 otherwise;
//        lParam the point (x in the low word, y in the high word), since the cursor of the
//        process that installed the hook is not that of the program the mouse is in.
// The modifiers are those the program that took the key held (bits 32 to 34 of the hook's
// lParam), for the same reason: followed here from the modifier keys alone, a release seen by no
// hook would leave one held. Keys and mouse events are always passed on, never eaten. The
// procedures run on the threads that bring the other programs' input while the program's own
// thread names the window and the next hook, so the state they share is atomic.
//
// It is linked into no program: the platform functions it calls are those of the program that
// loads it.
#include <atomic>
#include <cstdint>

#include "platform/windows/WindowApi.h"

namespace {

constexpr UINT kHookKeyMessage = 1325;
constexpr UINT kHookMouseMessage = 1324;

std::atomic<HWND> target = nullptr;
std::atomic<HHOOK> next_hook = nullptr;

LRESULT Keyboard(int code, WPARAM wParam, LPARAM lParam) {
    const auto bits = static_cast<std::uint64_t>(lParam);
    const bool press = (bits & (1u << 31)) == 0;
    const bool modifier = wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU;
    if (HWND window = target.load(); code == HC_ACTION && press && !modifier && window != nullptr) {
        // Shift, Ctrl and Alt come in the same order as in the message: bits 0, 1 and 2.
        PostMessageA(window, kHookKeyMessage, wParam, static_cast<LPARAM>(8 | ((bits >> 32) & 7)));
    }
    return CallNextHookEx(next_hook.load(), code, wParam, lParam);
}

WPARAM ButtonOf(WPARAM message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
            return 4;
        default:
            return 0;
    }
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
    if (HWND window = target.load(); code == HC_ACTION && window != nullptr && lParam != 0) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        PostMessageA(window, kHookMouseMessage, ButtonOf(wParam),
                     MAKELPARAM(info->pt.x, info->pt.y));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"
