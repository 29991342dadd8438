// Test support for a control's window class: the screen, a top-level parent whose messages the
// log keeps, the controls created as its children, the commands they send it, and the pixels
// they leave on the screen.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {

class ControlTest : public WindowTest {
protected:
    // `registerClass` registers the window class under test.
    explicit ControlTest(void (*registerClass)()) : registerClass_(registerClass) {}

    void SetUp() override {
        WindowTest::SetUp();
        InstallScreen();
        registerClass_();
        parent_ = TopLevel();
        PumpUntilIdle();
    }

    // A visible child of the parent with the id, once it has painted.
    HWND Child(const char* className, int id, DWORD style, const char* text, RECT rect) {
        HWND control =
            CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        PumpUntilIdle();
        return control;
    }

    // (id, code) of every WM_COMMAND the parent got, in order; each names the control it came from.
    std::vector<std::pair<int, WORD>> Commands() {
        std::vector<std::pair<int, WORD>> commands;
        for (const auto& entry : Log().Of(WM_COMMAND)) {
            if (entry.hwnd == parent_) {
                EXPECT_EQ(GetDlgCtrlID(reinterpret_cast<HWND>(entry.lParam)), LOWORD(entry.wParam));
                commands.emplace_back(LOWORD(entry.wParam), HIWORD(entry.wParam));
            }
        }
        return commands;
    }

    static POINT OnScreen(HWND hwnd, int x, int y) {
        POINT point{x, y};
        ClientToScreen(hwnd, &point);
        return point;
    }

    static COLORREF PixelAt(HWND hwnd, int x, int y) {
        const POINT point = OnScreen(hwnd, x, y);
        return ColorFromPixel(CaptureScreen().At(point.x, point.y));
    }

    HWND parent_ = nullptr;

private:
    void (*registerClass_)();
};

}  // namespace platform::testing
