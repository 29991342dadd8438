#include "platform/controls/NotifyIcon.h"

#include <cstring>
#include <thread>

#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

class NotifyIconTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RecreateTaskbar();
        PumpUntilIdle();
        Log().Clear();
        frame_ = TopLevel(WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, "DeskvaneTP");
    }

    // As the tray companion fills it: the first version's size and a 64-byte tip.
    NOTIFYICONDATAA Data(UINT id, const char* tip) {
        NOTIFYICONDATAA data{};
        data.cbSize = 88;
        data.hWnd = frame_;
        data.uID = id;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = 1029;
        data.hIcon = reinterpret_cast<HICON>(0x1280);
        std::strncpy(data.szTip, tip, sizeof(data.szTip) - 1);
        return data;
    }

    HWND frame_ = nullptr;
};

TEST_F(NotifyIconTest, AddModifyDeleteFollowTheRules) {
    NOTIFYICONDATAA data = Data(128, "Deskvane");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));
    auto icons = NotifyIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].hwnd, frame_);
    EXPECT_EQ(icons[0].id, 128u);
    EXPECT_EQ(icons[0].callbackMessage, 1029u);
    EXPECT_EQ(icons[0].icon, reinterpret_cast<HICON>(0x1280));
    EXPECT_EQ(icons[0].tip, "Deskvane");

    NOTIFYICONDATAA change{};
    change.cbSize = sizeof(change);
    change.hWnd = frame_;
    change.uID = 128;
    change.uFlags = NIF_TIP;
    std::strcpy(change.szTip, "桌面管理");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &change));
    icons = NotifyIcons();
    EXPECT_EQ(icons[0].tip, "桌面管理");
    EXPECT_EQ(icons[0].icon, reinterpret_cast<HICON>(0x1280));
    EXPECT_EQ(icons[0].callbackMessage, 1029u);

    change.uID = 129;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &change));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &change));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    EXPECT_TRUE(NotifyIcons().empty());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data));
}

TEST_F(NotifyIconTest, TipLengthFollowsTheStructureSize) {
    const std::string longTip(100, 'x');
    NOTIFYICONDATAA data = Data(1, "");
    std::memcpy(data.szTip, longTip.c_str(), longTip.size() + 1);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(NotifyIcons()[0].tip, std::string(63, 'x'));
    data.cbSize = sizeof(data);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_EQ(NotifyIcons()[0].tip, longTip);
}

TEST_F(NotifyIconTest, BadWindowsAndSizesAreRefused) {
    NOTIFYICONDATAA data = Data(5, "x");
    data.hWnd = reinterpret_cast<HWND>(0x4321);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));
    data = Data(5, "x");
    data.cbSize = 0;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));
    EXPECT_FALSE(Shell_NotifyIconA(7, &data));
    EXPECT_TRUE(NotifyIcons().empty());
}

TEST_F(NotifyIconTest, ClickDeliversTheCallbackMessage) {
    NOTIFYICONDATAA data = Data(128, "Deskvane");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_TRUE(ClickNotifyIcon(frame_, 128, WM_RBUTTONDOWN));
    EXPECT_TRUE(ClickNotifyIcon(frame_, 128, WM_RBUTTONUP));
    EXPECT_FALSE(ClickNotifyIcon(frame_, 127, WM_LBUTTONDOWN));
    const auto calls = Log().Of(1029);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].hwnd, frame_);
    EXPECT_EQ(calls[0].wParam, 128u);
    EXPECT_EQ(calls[0].lParam, WM_RBUTTONDOWN);
    EXPECT_EQ(calls[1].lParam, WM_RBUTTONUP);

    // From another thread, as a presenter clicks, the message is posted.
    std::thread presenter([&] { EXPECT_TRUE(ClickNotifyIcon(frame_, 128, WM_LBUTTONDBLCLK)); });
    presenter.join();
    EXPECT_EQ(Log().Of(1029).size(), 2u);
    PumpUntilIdle();
    ASSERT_EQ(Log().Of(1029).size(), 3u);
    EXPECT_EQ(Log().Of(1029)[2].lParam, WM_LBUTTONDBLCLK);

    NOTIFYICONDATAA silent = Data(3, "no message");
    silent.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &silent));
    EXPECT_FALSE(ClickNotifyIcon(frame_, 3, WM_LBUTTONDOWN));
}

TEST_F(NotifyIconTest, IconsOfADestroyedWindowGoAway) {
    HWND other = TopLevel();
    NOTIFYICONDATAA first = Data(1, "first");
    NOTIFYICONDATAA second = Data(2, "second");
    second.hWnd = other;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &first));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &second));
    DestroyWindow(other);
    const auto icons = NotifyIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].tip, "first");
    EXPECT_FALSE(ClickNotifyIcon(other, 2, WM_LBUTTONDOWN));
}

TEST_F(NotifyIconTest, RecreatedTaskbarForgetsIconsAndAnnouncesItself) {
    NOTIFYICONDATAA data = Data(128, "Deskvane");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    RecreateTaskbar();
    EXPECT_TRUE(NotifyIcons().empty());
    PumpUntilIdle();
    const auto told = Log().Of(RegisterWindowMessageA("TaskbarCreated"));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].hwnd, frame_);
}

}  // namespace
}  // namespace platform::testing
