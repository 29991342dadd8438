#include "platform/display/GtkNotifyArea.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "platform/display/desktop/DesktopTest.h"
#include "platform/drawing/IconApi.h"

namespace platform::testing {
namespace {

constexpr UINT kTrayMessage = WM_APP + 7;
constexpr UINT kIconId = 3;

// A tray host on the test's X server, along the top edge of the screen.
class Trayer {
public:
    Trayer() {
        pid_ = fork();
        if (pid_ == 0) {
            execlp("trayer", "trayer", "--edge", "top", "--align", "left", "--widthtype", "request",
                   "--height", "32", "--SetDockType", "false", "--SetPartialStrut", "false",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Trayer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

private:
    pid_t pid_ = 0;
};

// A 16x16 icon of one opaque colour (a pixel: 0x00RRGGBB).
HICON SolidIcon(Pixel color) {
    std::vector<Pixel> bits(16 * 16, color);
    HBITMAP picture = CreateBitmap(16, 16, 1, 32, bits.data());
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, picture};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(picture);
    DeleteObject(mask);
    return icon;
}

// The X window of the tray icon whose tip (the icon window's name) starts with `tip`.
std::string IconWindow(const std::string& tip) {
    return Shell("xdotool search --name '^" + tip + "' 2>/dev/null | head -n 1");
}

class GtkNotifyAreaTest : public DesktopTest {};

TEST_F(GtkNotifyAreaTest, IconShowsInTheTrayWithItsPictureAndTipAndClicksReachTheWindow) {
    HWND hwnd = CreateTestWindow("Tray owner", WS_OVERLAPPEDWINDOW, RECT{300, 300, 500, 400});
    HICON icon = SolidIcon(0x00E01020);
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    strcpy(data.szTip, "Tray tip 托盘");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));

    // The icon waits for a tray that starts later.
    Trayer trayer;
    std::string window;
    ASSERT_TRUE(PumpUntil([&] { return !(window = IconWindow("Tray tip")).empty(); }));
    const char8_t name[] = u8"Tray tip 托盘";
    EXPECT_EQ(Shell("xdotool getwindowname " + window), std::string(name, name + sizeof(name) - 1));
    ASSERT_TRUE(PumpUntil([&] { return PixelOfWindow(window, 8, 8) == "srgb(224,16,32)"; }))
        << PixelOfWindow(window, 8, 8);

    SaveScreenshot("root -crop 200x40+0+0", "desktop-tray.png");

    Xdotool("mousemove --window " + window + " 8 8 click 3");
    Xdotool("click --repeat 2 --delay 80 1");
    const std::vector<LPARAM> expected{WM_RBUTTONDOWN, WM_RBUTTONUP,     WM_LBUTTONDOWN,
                                       WM_LBUTTONUP,   WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    EXPECT_TRUE(PumpUntil([&] { return ParametersOf(kTrayMessage).size() >= expected.size(); }));
    EXPECT_EQ(ParametersOf(kTrayMessage), expected);
    EXPECT_EQ(ParametersOf(kTrayMessage, true), std::vector<LPARAM>(expected.size(), kIconId));

    // A new tip renames the icon; a deleted icon leaves the tray.
    data.uFlags = NIF_TIP;
    strcpy(data.szTip, "Tray changed");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_TRUE(PumpUntil([&] { return IconWindow("Tray changed") == window; }));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    EXPECT_TRUE(PumpUntil([&] { return IconWindow("Tray changed").empty(); }));
    DestroyIcon(icon);
}

}  // namespace
}  // namespace platform::testing
