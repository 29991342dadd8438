#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class HotKeysTest : public WindowTest {
protected:
    // Presses and releases the key with Ctrl and Alt held, then handles the messages.
    static void PressWithCtrlAlt(BYTE key, int presses = 1) {
        InjectKey(VK_CONTROL, true);
        InjectKey(VK_MENU, true);
        for (int i = 0; i < presses; ++i) {
            InjectKey(key, true);
        }
        InjectKey(key, false);
        InjectKey(VK_MENU, false);
        InjectKey(VK_CONTROL, false);
        PumpUntilIdle();
    }
    static std::vector<WPARAM> KeysDown(BYTE key) {
        std::vector<WPARAM> found;
        for (const LoggedMessage& entry : Log().Entries()) {
            if ((entry.message == WM_KEYDOWN || entry.message == WM_SYSKEYDOWN) &&
                entry.wParam == key) {
                found.push_back(entry.wParam);
            }
        }
        return found;
    }
};

TEST_F(HotKeysTest, ARegisteredCombinationPostsHotKeyInsteadOfTheKeyUntilUnregistered) {
    HWND owner = TopLevel();
    HWND other = TopLevel();
    SetForegroundWindow(other);
    PumpUntilIdle();
    ASSERT_TRUE(RegisterHotKey(owner, 7, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'H'));
    // One combination on the desktop, one id per window.
    EXPECT_FALSE(RegisterHotKey(other, 1, MOD_ALT | MOD_CONTROL, 'H'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_FALSE(RegisterHotKey(owner, 7, MOD_SHIFT, 'J'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_FALSE(RegisterHotKey(owner, 8, 0x0100, 'J'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // Held until it repeats, it counts once, and the focus window never sees the key go down.
    Log().Clear();
    PressWithCtrlAlt('H', 3);
    auto hotKeys = Log().Of(WM_HOTKEY);
    ASSERT_EQ(hotKeys.size(), 1u);
    EXPECT_EQ(hotKeys[0].hwnd, owner);
    EXPECT_EQ(hotKeys[0].wParam, 7u);
    EXPECT_EQ(hotKeys[0].lParam, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'H'));
    EXPECT_TRUE(KeysDown('H').empty());
    // The key alone, or with other modifiers, is an ordinary key.
    InjectKey('H', true);
    InjectKey('H', false);
    PumpUntilIdle();
    EXPECT_EQ(KeysDown('H').size(), 1u);
    EXPECT_EQ(Log().Of(WM_HOTKEY).size(), 1u);

    // A thread's hot key without a window comes to the thread's queue.
    ASSERT_TRUE(RegisterHotKey(nullptr, 3, MOD_SHIFT, VK_F9));
    InjectKey(VK_SHIFT, true);
    InjectKey(VK_F9, true);
    InjectKey(VK_F9, true);
    InjectKey(VK_F9, false);
    InjectKey(VK_SHIFT, false);
    MSG msg{};
    int threadHotKeys = 0;
    while (PeekMessageA(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
        EXPECT_EQ(msg.hwnd, nullptr);
        EXPECT_EQ(msg.wParam, 3u);
        ++threadHotKeys;
    }
    EXPECT_EQ(threadHotKeys, 2) << "without MOD_NOREPEAT a held key repeats";
    EXPECT_TRUE(UnregisterHotKey(nullptr, 3));

    EXPECT_TRUE(UnregisterHotKey(owner, 7));
    EXPECT_FALSE(UnregisterHotKey(owner, 7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_NOT_REGISTERED));
    Log().Clear();
    PressWithCtrlAlt('H');
    EXPECT_TRUE(Log().Of(WM_HOTKEY).empty());
    EXPECT_EQ(KeysDown('H').size(), 1u);

    // A destroyed window's hot keys are free again.
    ASSERT_TRUE(RegisterHotKey(owner, 1, MOD_WIN, 'E'));
    DestroyWindow(owner);
    EXPECT_TRUE(RegisterHotKey(other, 1, MOD_WIN, 'E'));
}

}  // namespace
}  // namespace platform::testing
