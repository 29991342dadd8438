// Test support: an owner window that runs a test's steps from inside a common dialog's modal
// loop, and helpers to tap keys and read controls.
#pragma once

#include <functional>
#include <string>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::testing {

class CommonDialogTestOwner {
public:
    CommonDialogTestOwner() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "CommonDialogTestOwner";
        RegisterClassA(&windowClass);
        hwnd_ =
            CreateWindowExA(0, "CommonDialogTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            40, 40, 600, 400, nullptr, nullptr, nullptr, nullptr);
    }
    ~CommonDialogTestOwner() { Steps() = nullptr; }

    HWND hwnd() const { return hwnd_; }

    // `steps` runs once the dialog opened next is up, with the dialog (the active window).
    void WhenShown(std::function<void(HWND)> steps) {
        Steps() = std::move(steps);
        PostMessageA(hwnd_, WM_APP, 0, 0);
    }

    static void Tap(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
    }
    // Letters, digits and the punctuation of paths and patterns, as keys.
    static void Type(const std::string& text) {
        for (char c : text) {
            BYTE key = static_cast<BYTE>(c);
            bool shift = c >= 'A' && c <= 'Z';
            if (c >= 'a' && c <= 'z') {
                key = static_cast<BYTE>(c - 'a' + 'A');
            } else if (c == '.') {
                key = VK_OEM_PERIOD;
            } else if (c == '\\') {
                key = VK_OEM_5;
            } else if (c == ':') {
                key = VK_OEM_1;
                shift = true;
            } else if (c == '_') {
                key = VK_OEM_MINUS;
                shift = true;
            } else if (c == '*') {
                key = '8';
                shift = true;
            }
            if (shift) {
                InjectKey(VK_SHIFT, true);
            }
            Tap(key);
            if (shift) {
                InjectKey(VK_SHIFT, false);
            }
        }
    }
    static std::string Text(HWND hwnd) {
        char text[512] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }

private:
    static std::function<void(HWND)>& Steps() {
        static std::function<void(HWND)> steps;
        return steps;
    }
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP && Steps()) {
            auto steps = std::move(Steps());
            Steps() = nullptr;
            steps(GetActiveWindow());
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

}  // namespace platform::testing
