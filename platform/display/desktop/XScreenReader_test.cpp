#include "platform/display/XScreenReader.h"

#include <filesystem>

#include "platform/display/desktop/DesktopTest.h"
#include "platform/drawing/DrawingSeams.h"

namespace platform::testing {
namespace {

class XScreenReaderTest : public DesktopTest {};

// The screen as a program captures it: BitBlt from a screen DC into a bitmap.
Surface Capture(HDC screen, const RECT& area) {
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right - area.left, area.bottom - area.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
           area.top, SRCCOPY);
    SelectObject(memory, old);
    Surface pixels = *SurfaceOfBitmap(bitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

TEST_F(XScreenReaderTest, ScreenDcCaptureShowsOtherProgramsWindowsAndOurOwn) {
    HWND own = CreateTestWindow("Capture owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                RECT{100, 100, 400, 300});
    ASSERT_TRUE(PumpUntil(
        [&] { return !Shell("xdotool search --onlyvisible --name '^Capture owner$'").empty(); }));
    OtherClientWindow other;
    const Surface ownPicture = CaptureWindow(own);
    const Pixel ownCaption = ownPicture.At(150, 10);

    HDC screen = GetDC(nullptr);
    Surface captured;
    ASSERT_TRUE(PumpUntil([&] {
        captured = Capture(screen, RECT{0, 0, 1024, 768});
        return captured.At(650, 450) == 0x20C040u && captured.At(250, 110) == ownCaption;
    })) << std::hex
        << captured.At(650, 450) << " " << captured.At(250, 110);
    ReleaseDC(nullptr, screen);
    const std::filesystem::path shot = std::filesystem::path(PROJECT_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(shot);
    EXPECT_TRUE(WritePng(captured, shot / "desktop-capture.png"));

    // CreateDCA("DISPLAY") reads the desktop too; a part reaching off the screen keeps the
    // bitmap's own pixels there.
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const Surface corner = Capture(display, RECT{790, 540, 1034, 778});
    EXPECT_EQ(corner.At(0, 0), captured.At(790, 540));
    EXPECT_EQ(corner.At(240, 230), 0u);
    DeleteDC(display);
}

TEST_F(XScreenReaderTest, ScreenDcDrawingShowsOverOtherProgramsAndAClosedWindowLeavesTheCapture) {
    OtherClientWindow other;
    const std::string green = "srgb(32,192,64)";
    ASSERT_TRUE(PumpUntil([&] { return PixelOfWindow("root", 650, 450) == green; }));
    // A capture's frame: the red edges show over the other program's window, its inside stays;
    // the saved picture put back takes the frame away again.
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    HDC memory = CreateCompatibleDC(display);
    HBITMAP saved = CreateCompatibleBitmap(display, 1024, 768);
    HGDIOBJ old = SelectObject(memory, saved);
    BitBlt(memory, 0, 0, 1024, 768, display, 0, 0, SRCCOPY);
    const RECT frame{610, 410, 700, 480};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FrameRect(display, &frame, red);
    DeleteObject(red);
    DeleteDC(display);
    EXPECT_TRUE(PumpUntil([] { return PixelOfWindow("root", 610, 410) == "srgb(255,0,0)"; }));
    EXPECT_EQ(PixelOfWindow("root", 699, 479), "srgb(255,0,0)");
    EXPECT_EQ(PixelOfWindow("root", 650, 450), green);
    EXPECT_EQ(PixelOfWindow("root", 605, 405), green);
    display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    BitBlt(display, 600, 400, 120, 100, memory, 600, 400, SRCCOPY);
    DeleteDC(display);
    EXPECT_TRUE(PumpUntil([&] { return PixelOfWindow("root", 610, 410) == green; }));
    SelectObject(memory, old);
    DeleteObject(saved);
    DeleteDC(memory);

    // A window of ours over it, closed just before a capture, is not in the capture.
    HWND above = CreateTestWindow("Closed before capture", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  RECT{560, 380, 760, 520});
    ASSERT_TRUE(PumpUntil([&] { return PixelOfWindow("root", 650, 450) != green; }));
    DestroyWindow(above);
    HDC screen = GetDC(nullptr);
    const Surface captured = Capture(screen, RECT{640, 440, 660, 460});
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(captured.At(10, 10), 0x20C040u) << std::hex << captured.At(10, 10);
}

TEST_F(XScreenReaderTest, ScreenSizeAndWorkAreaComeFromTheMonitor) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.top, kWorkArea.top);
    EXPECT_EQ(work.bottom, kWorkArea.bottom);
    EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), kWorkArea.bottom - kWorkArea.top);
    // A maximised window leaves the panel uncovered.
    HWND hwnd = CreateTestWindow("Maximised", WS_OVERLAPPEDWINDOW, RECT{10, 10, 300, 200});
    ShowWindow(hwnd, SW_MAXIMIZE);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT corner{0, 0};
    ClientToScreen(hwnd, &corner);
    EXPECT_GE(corner.y, kWorkArea.top);
    EXPECT_EQ(corner.y + client.bottom, kWorkArea.bottom);

    // The panel grows and a dock appears at the bottom: the work area follows, and back.
    const auto announce = [](const RECT& area) {
        Display* display = XOpenDisplay(nullptr);
        long value[] = {area.left, area.top, area.right - area.left, area.bottom - area.top};
        XChangeProperty(display, DefaultRootWindow(display),
                        XInternAtom(display, "_NET_WORKAREA", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(value), 4);
        XCloseDisplay(display);
    };
    const auto workAreaIs = [](const RECT& area) {
        return PumpUntil([&] {
            RECT now{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0);
            return now.left == area.left && now.top == area.top && now.right == area.right &&
                   now.bottom == area.bottom;
        });
    };
    announce(RECT{0, 48, 1024, 720});
    EXPECT_TRUE(workAreaIs(RECT{0, 48, 1024, 720}));
    announce(kWorkArea);
    EXPECT_TRUE(workAreaIs(kWorkArea));
}

}  // namespace
}  // namespace platform::testing
