#include "platform/display/RawInputSource.h"

#include <mutex>
#include <vector>

#include "platform/display/desktop/DesktopTest.h"

// After GoogleTest, whose own None the macro of Xlib would spoil.
#include <X11/extensions/XTest.h>

namespace platform::testing {
namespace {

struct Seen {
    WPARAM message;
    DWORD virtualKey;
    DWORD scanCode;
    DWORD flags;
    POINT pt;
};

std::mutex seen_mutex;
std::vector<Seen> seen;
POINT last_move{};

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    std::lock_guard lock(seen_mutex);
    seen.push_back(Seen{wParam, info->vkCode, info->scanCode, info->flags, POINT{}});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    std::lock_guard lock(seen_mutex);
    if (wParam != WM_MOUSEMOVE) {
        seen.push_back(Seen{wParam, 0, 0, info->mouseData, info->pt});
    } else {
        last_move = info->pt;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<Seen> SeenSoFar() {
    std::lock_guard lock(seen_mutex);
    return seen;
}

class RawInputSourceTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        keyboard_ = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, nullptr, 0);
        mouse_ = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, nullptr, 0);
        std::lock_guard lock(seen_mutex);
        seen.clear();
    }
    void TearDown() override {
        UnhookWindowsHookEx(keyboard_);
        UnhookWindowsHookEx(mouse_);
        DesktopTest::TearDown();
    }

    HHOOK keyboard_ = nullptr;
    HHOOK mouse_ = nullptr;
};

TEST_F(RawInputSourceTest, HooksSeeKeysAndClicksOfOtherProgramsAndPlatformWindowsKeysOnce) {
    CreateTestWindow("Hook owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 50, 350, 250});
    std::string own;
    ASSERT_TRUE(PumpUntil([&] {
        return !(own = Shell("xdotool search --onlyvisible --name '^Hook owner$'")).empty();
    }));
    OtherClientWindow other;
    Xdotool("windowfocus --sync " + other.id());
    Xdotool("keydown Control_L key F9 keyup Control_L");
    // A move of the pointer device (xdotool only warps the pointer, which no device reports).
    Display* display = XOpenDisplay(nullptr);
    XTestFakeMotionEvent(display, -1, 640, 440, CurrentTime);
    XCloseDisplay(display);
    EXPECT_TRUE(PumpUntil([] {
        std::lock_guard lock(seen_mutex);
        return last_move.x == 640 && last_move.y == 440;
    })) << last_move.x
        << "," << last_move.y;
    Xdotool("mousemove --sync 650 450 click 3");
    std::vector<Seen> found;
    ASSERT_TRUE(PumpUntil([&] { return (found = SeenSoFar()).size() >= 6; })) << found.size();
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].message, WM_KEYDOWN);
    EXPECT_EQ(found[0].virtualKey, VK_LCONTROL);
    EXPECT_EQ(found[0].scanCode, 0x1Du);
    EXPECT_EQ(found[1].message, WM_KEYDOWN);
    EXPECT_EQ(found[1].virtualKey, VK_F9);
    EXPECT_EQ(found[1].scanCode, 0x43u);
    EXPECT_EQ(found[2].message, WM_KEYUP);
    EXPECT_EQ(found[2].virtualKey, VK_F9);
    EXPECT_EQ(found[2].flags, static_cast<DWORD>(LLKHF_UP));
    EXPECT_EQ(found[3].message, WM_KEYUP);
    EXPECT_EQ(found[3].virtualKey, VK_LCONTROL);
    EXPECT_EQ(found[4].message, WM_RBUTTONDOWN);
    EXPECT_EQ(found[4].pt.x, 650);
    EXPECT_EQ(found[4].pt.y, 450);
    EXPECT_EQ(found[5].message, WM_RBUTTONUP);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 650);
    EXPECT_EQ(cursor.y, 450);

    // A key for this process's own window comes once, through the window's own input.
    {
        std::lock_guard lock(seen_mutex);
        seen.clear();
    }
    Xdotool("windowfocus --sync " + own);
    Xdotool("key F7");
    ASSERT_TRUE(PumpUntil([&] { return SeenSoFar().size() >= 2; }));
    PumpUntil([] { return false; }, 300ms);
    found = SeenSoFar();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].virtualKey, VK_F7);
    EXPECT_EQ(found[0].message, WM_KEYDOWN);
    EXPECT_EQ(found[1].message, WM_KEYUP);

    // Another platform program's window relays its input itself: none of it comes from X here,
    // neither a key with the focus in it nor a click on it.
    other.MarkAsPlatformWindow();
    Xdotool("windowfocus --sync " + other.id());
    {
        std::lock_guard lock(seen_mutex);
        seen.clear();
    }
    Xdotool("key F7 mousemove --sync 660 460 click 1");
    PumpUntil([] { return false; }, 500ms);
    EXPECT_TRUE(SeenSoFar().empty()) << SeenSoFar().size();
}

}  // namespace
}  // namespace platform::testing
