#include "platform/framework/AcceleratorApi.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/FrameworkIds.h"
#include "platform/framework/testdata/resource.h"
#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

std::vector<WPARAM> commands;

LRESULT CALLBACK CommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(wParam);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class AcceleratorApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        commands.clear();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CommandProc;
        windowClass.lpszClassName = "AcceleratorTarget";
        ASSERT_NE(::RegisterClassA(&windowClass), 0);
        // Key state follows the key messages the focus window's thread takes from its queue.
        window = ::CreateWindowExA(0, "AcceleratorTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                   nullptr, nullptr, nullptr, nullptr);
        ::SetFocus(window);
        table = ::LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
        ASSERT_NE(table, nullptr);
    }
    void TearDown() override {
        ::DestroyAcceleratorTable(table);
        platform::ResetWindowSystemForTesting();
    }

    int Translate(UINT message, WPARAM key) {
        MSG msg{window, message, key, 0, 0, {}};
        return ::TranslateAcceleratorA(window, table, &msg);
    }

    HWND window = nullptr;
    HACCEL table = nullptr;
};

TEST_F(AcceleratorApiTest, VirtualKeysNeedExactlyTheirModifiers) {
    EXPECT_EQ(Translate(WM_KEYDOWN, 'C'), 0);
    platform::InjectKey(VK_CONTROL, true);
    platform::PumpUntilIdle();
    EXPECT_EQ(Translate(WM_KEYDOWN, 'C'), 1);
    EXPECT_EQ(Translate(WM_KEYUP, 'C'), 0);
    EXPECT_EQ(Translate(WM_KEYDOWN, VK_F5), 0);
    platform::InjectKey(VK_SHIFT, true);
    platform::PumpUntilIdle();
    EXPECT_EQ(Translate(WM_KEYDOWN, 'C'), 0);
    platform::InjectKey(VK_CONTROL, false);
    platform::PumpUntilIdle();
    EXPECT_EQ(Translate(WM_KEYDOWN, VK_INSERT), 1);
    platform::InjectKey(VK_SHIFT, false);
    platform::PumpUntilIdle();
    EXPECT_EQ(Translate(WM_KEYDOWN, VK_F5), 1);
    EXPECT_EQ(commands,
              (std::vector<WPARAM>{MAKEWPARAM(ID_EDIT_COPY, 1), MAKEWPARAM(ID_EDIT_PASTE, 1),
                                   MAKEWPARAM(ID_REFRESH, 1)}));
}

TEST_F(AcceleratorApiTest, CharacterEntriesMatchCharactersAndAltGoesWithSysChar) {
    EXPECT_EQ(Translate(WM_CHAR, 26), 1);
    EXPECT_EQ(Translate(WM_KEYDOWN, 'Z'), 0);
    EXPECT_EQ(Translate(WM_CHAR, 'a'), 0);
    EXPECT_EQ(Translate(WM_SYSCHAR, 'a'), 1);
    EXPECT_EQ(Translate(WM_SYSCHAR, 'A'), 0);
    EXPECT_EQ(commands,
              (std::vector<WPARAM>{MAKEWPARAM(ID_EDIT_UNDO, 1), MAKEWPARAM(ID_ASCII_ALT, 1)}));
}

TEST_F(AcceleratorApiTest, UnknownTablesAndWindowsTranslateNothing) {
    MSG msg{window, WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_EQ(::TranslateAcceleratorA(nullptr, table, &msg), 0);
    EXPECT_EQ(::TranslateAcceleratorA(window, nullptr, &msg), 0);
    EXPECT_EQ(::LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(IDR_NOICON)), nullptr);
    HACCEL second = ::LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    EXPECT_NE(second, table);
    EXPECT_TRUE(::DestroyAcceleratorTable(second));
    EXPECT_FALSE(::DestroyAcceleratorTable(second));
    EXPECT_EQ(::TranslateAcceleratorA(window, second, &msg), 0);
    EXPECT_TRUE(commands.empty());
}

}  // namespace
