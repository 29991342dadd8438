#include "platform/screen/VirtualScreen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/drawing/DrawingSeams.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "platform/screen/ScreenApi.h"
#include "platform/screen/WindowDC.h"
#include "platform/testing/TempFolder.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Fills its client area with the colour kept in its user data; counts its paints.
LRESULT CALLBACK SolidProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        RECT client{};
        GetClientRect(hwnd, &client);
        dc.FillSolidRect(&client, static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A child that paints only the rectangle (2, 3)-(12, 8) in red, over its class background.
LRESULT CALLBACK MarkProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        dc.FillSolidRect(2, 3, 10, 5, kRed);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

COLORREF ScreenAt(int x, int y) {
    return ColorFromPixel(VirtualScreen::Get().surface().At(x, y));
}

class VirtualScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        InstallScreen();
        Register("Solid", SolidProcedure, nullptr);
        Register("Mark", MarkProcedure, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    void TearDown() override { ResetWindowSystemForTesting(); }

    static void Register(const char* name, WNDPROC procedure, HBRUSH background) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }

    // A visible pop-up (no frame) whose client area is `rect` on the screen.
    static HWND Solid(RECT rect, COLORREF color, DWORD style = WS_POPUP) {
        HWND hwnd =
            CreateWindowExA(0, "Solid", "solid", style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        ShowWindow(hwnd, SW_SHOW);
        PumpUntilIdle();
        return hwnd;
    }
};

TEST_F(VirtualScreenTest, EmptyScreenShowsTheDesktopAtTheWindowManagersSize) {
    EXPECT_EQ(VirtualScreen::Get().surface().width(), 1024);
    EXPECT_EQ(VirtualScreen::Get().surface().height(), 768);
    EXPECT_EQ(ScreenAt(0, 0), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(ScreenAt(1023, 767), GetSysColor(COLOR_DESKTOP));

    SetScreenSize(800, 600);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(display, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(display, VERTRES), 600);
    DeleteDC(display);
    EXPECT_EQ(CaptureScreen().width(), 800);
    EXPECT_EQ(CaptureScreen().height(), 600);
    SetScreenSize(1024, 768);
}

TEST_F(VirtualScreenTest, ChildPaintLandsAtItsScreenPixelsOverTheClassBackground) {
    HWND parent = Solid(RECT{100, 50, 300, 250}, kBlue);
    HWND child = CreateWindowExA(0, "Mark", "", WS_CHILD | WS_VISIBLE, 20, 30, 40, 40, parent,
                                 nullptr, nullptr, nullptr);
    PumpUntilIdle();
    ASSERT_NE(child, nullptr);
    // Child client (0,0) is at screen (120, 80); the mark covers x 122..131, y 83..87.
    EXPECT_EQ(ScreenAt(122, 83), kRed);
    EXPECT_EQ(ScreenAt(131, 87), kRed);
    EXPECT_EQ(ScreenAt(132, 87), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ScreenAt(121, 83), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ScreenAt(122, 88), GetSysColor(COLOR_WINDOW));
    // Outside the child, the parent's colour; outside the parent, the desktop.
    EXPECT_EQ(ScreenAt(119, 80), kBlue);
    EXPECT_EQ(ScreenAt(160, 120), kBlue);
    EXPECT_EQ(ScreenAt(99, 50), GetSysColor(COLOR_DESKTOP));
}

TEST_F(VirtualScreenTest, WindowAboveClipsWindowBelowEvenWhenItRepaints) {
    HWND below = Solid(RECT{0, 0, 100, 100}, kBlue);
    Solid(RECT{50, 50, 150, 150}, kGreen);
    InvalidateRect(below, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(49, 49), kBlue);
    EXPECT_EQ(ScreenAt(50, 50), kGreen);
    EXPECT_EQ(ScreenAt(99, 99), kGreen);
    EXPECT_EQ(ScreenAt(49, 99), kBlue);
}

TEST_F(VirtualScreenTest, ClipChildrenKeepsTheParentOffItsChildren) {
    HWND parent = Solid(RECT{0, 0, 100, 100}, kBlue, WS_POPUP | WS_CLIPCHILDREN);
    HWND child = CreateWindowExA(0, "Solid", "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent,
                                 nullptr, nullptr, nullptr);
    SetWindowLongPtrA(child, GWLP_USERDATA, static_cast<LONG_PTR>(kGreen));
    InvalidateRect(child, nullptr, TRUE);
    PumpUntilIdle();
    ASSERT_EQ(ScreenAt(15, 15), kGreen);
    // Only the parent repaints; its fill must leave the child alone.
    InvalidateRect(parent, nullptr, TRUE);
    ValidateRect(child, nullptr);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(15, 15), kGreen);
    EXPECT_EQ(ScreenAt(9, 9), kBlue);
}

TEST_F(VirtualScreenTest, OnlyChildrenWithClipSiblingsAreClippedByTheSiblingsAbove) {
    HWND parent = Solid(RECT{0, 0, 100, 100}, kBlue, WS_POPUP | WS_CLIPCHILDREN);
    // Created first, so above the others in the Z order, like a group box around its controls.
    HWND frame = CreateWindowExA(0, "Solid", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 60, parent,
                                 nullptr, nullptr, nullptr);
    SetWindowLongPtrA(frame, GWLP_USERDATA, static_cast<LONG_PTR>(kRed));
    HWND plain = CreateWindowExA(0, "Solid", "", WS_CHILD | WS_VISIBLE, 10, 10, 10, 10, parent,
                                 nullptr, nullptr, nullptr);
    SetWindowLongPtrA(plain, GWLP_USERDATA, static_cast<LONG_PTR>(kGreen));
    HWND clipping = CreateWindowExA(0, "Solid", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30,
                                    10, 10, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(clipping, GWLP_USERDATA, static_cast<LONG_PTR>(kGreen));
    PumpUntilIdle();
    InvalidateRect(plain, nullptr, TRUE);
    InvalidateRect(clipping, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(15, 15), kGreen);
    EXPECT_EQ(ScreenAt(35, 35), kRed);
}

TEST_F(VirtualScreenTest, MovingHidingAndRaisingRepaintWhatTheyUncover) {
    HWND below = Solid(RECT{0, 0, 100, 100}, kBlue);
    HWND above = Solid(RECT{50, 50, 150, 150}, kGreen);
    MoveWindow(above, 300, 300, 100, 100, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(60, 60), kBlue);
    EXPECT_EQ(ScreenAt(120, 120), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(ScreenAt(310, 310), kGreen);

    MoveWindow(above, 50, 50, 100, 100, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(60, 60), kGreen);
    SetWindowPos(below, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(60, 60), kBlue);
    EXPECT_EQ(ScreenAt(120, 120), kGreen);

    ShowWindow(below, SW_HIDE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(60, 60), kGreen);
    EXPECT_EQ(ScreenAt(10, 10), GetSysColor(COLOR_DESKTOP));
    DestroyWindow(above);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(60, 60), GetSysColor(COLOR_DESKTOP));
}

TEST_F(VirtualScreenTest, ScreenDrawingStaysUntilTheWindowBeneathRepaints) {
    HWND hwnd = Solid(RECT{0, 0, 100, 100}, kBlue);
    HDC screen = GetDC(nullptr);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT frame{10, 10, 200, 30};
    FrameRect(screen, &frame, red);
    DeleteObject(red);
    ReleaseDC(nullptr, screen);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(10, 10), kRed);
    EXPECT_EQ(ScreenAt(150, 10), kRed);

    InvalidateRect(hwnd, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(10, 10), kBlue);
    EXPECT_EQ(ScreenAt(150, 10), kRed);
}

TEST_F(VirtualScreenTest, BitBltFromTheScreenReadsTheWindowsPixels) {
    Solid(RECT{40, 40, 80, 80}, kGreen);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 60);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 60, 60, screen, 30, 30, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 9, 9), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(GetPixel(memory, 10, 10), kGreen);
    EXPECT_EQ(GetPixel(memory, 49, 49), kGreen);
    EXPECT_EQ(GetPixel(memory, 50, 50), GetSysColor(COLOR_DESKTOP));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(VirtualScreenTest, ClientAndWindowDcsDrawInTheirOwnCoordinatesAndClip) {
    HWND hwnd = Solid(RECT{200, 200, 300, 260}, kBlue, WS_POPUP | WS_BORDER);
    {
        CClientDC client(hwnd);
        client.FillSolidRect(-5, -5, 500, 500, kGreen);
    }
    EXPECT_EQ(ScreenAt(201, 201), kGreen);
    EXPECT_EQ(ScreenAt(298, 258), kGreen);
    EXPECT_EQ(ScreenAt(200, 200), RGB(0, 0, 0));
    EXPECT_EQ(ScreenAt(299, 259), RGB(0, 0, 0));
    {
        CWindowDC window(hwnd);
        window.FillSolidRect(0, 0, 1, 1, kRed);
        window.FillSolidRect(150, 0, 1, 1, kRed);
    }
    EXPECT_EQ(ScreenAt(200, 200), kRed);
    EXPECT_EQ(ScreenAt(350, 200), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x7777)), nullptr);
    EXPECT_EQ(GetWindowDC(reinterpret_cast<HWND>(0x7777)), nullptr);
    EXPECT_EQ(ReleaseDC(hwnd, reinterpret_cast<HDC>(0x7777)), 0);
    EXPECT_EQ(CaptureWindow(nullptr).width(), 0);

    // A hidden window's DC reaches nothing.
    ShowWindow(hwnd, SW_HIDE);
    PumpUntilIdle();
    {
        CClientDC client(hwnd);
        client.FillSolidRect(0, 0, 50, 50, kRed);
    }
    EXPECT_EQ(ScreenAt(210, 210), GetSysColor(COLOR_DESKTOP));
}

TEST_F(VirtualScreenTest, WindowFromPointAgreesWithTheScreen) {
    const COLORREF colors[] = {kRed, kGreen, kBlue};
    HWND windows[3];
    for (int i = 0; i < 3; ++i) {
        windows[i] = Solid(RECT{i * 30, i * 30, i * 30 + 100, i * 30 + 100}, colors[i]);
    }
    SetWindowPos(windows[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpUntilIdle();
    for (int probe = 0; probe < 200; probe += 7) {
        HWND under = WindowFromPoint(POINT{probe, probe});
        COLORREF expected = GetSysColor(COLOR_DESKTOP);
        for (int i = 0; i < 3; ++i) {
            if (under == windows[i]) {
                expected = colors[i];
            }
        }
        EXPECT_EQ(ScreenAt(probe, probe), expected) << "at " << probe;
    }
}

TEST_F(VirtualScreenTest, CaptionShowsActiveAndInactiveColoursAndCaptureCropsTheWindow) {
    HWND first = Solid(RECT{10, 10, 210, 110}, kBlue, WS_OVERLAPPED | WS_CAPTION);
    HWND second = Solid(RECT{300, 10, 500, 110}, kBlue, WS_OVERLAPPED | WS_CAPTION);
    SetForegroundWindow(second);
    const Surface firstPicture = CaptureWindow(first);
    const Surface secondPicture = CaptureWindow(second);
    ASSERT_EQ(firstPicture.width(), 200);
    ASSERT_EQ(firstPicture.height(), 100);
    // The caption bar starts inside the 3-pixel frame, the gradient's first column.
    EXPECT_EQ(ColorFromPixel(firstPicture.At(3, 5)), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(ColorFromPixel(secondPicture.At(3, 5)), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(ColorFromPixel(firstPicture.At(0, 50)), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ColorFromPixel(firstPicture.At(199, 50)), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ColorFromPixel(firstPicture.At(100, 60)), kBlue);

    SetForegroundWindow(first);
    EXPECT_EQ(ColorFromPixel(CaptureWindow(first).At(3, 5)), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(ColorFromPixel(CaptureWindow(second).At(3, 5)), GetSysColor(COLOR_INACTIVECAPTION));
    ShowWindow(second, SW_HIDE);
    EXPECT_EQ(CaptureWindow(second).width(), 0);
    EXPECT_FALSE(WriteWindowPng(second, std::filesystem::path(PROJECT_TEST_OUTPUT_DIR) / "x.png"));
}

// Clicks at a point of the screen; twice quickly is a double click.
void Click(POINT point, int times = 1) {
    for (int i = 0; i < times; ++i) {
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
    }
    PumpUntilIdle();
}

// The text-coloured pixels of a caption box: its glyph.
int InkIn(const Surface& picture, const RECT& box) {
    int ink = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            ink += ColorFromPixel(picture.At(x, y)) == GetSysColor(COLOR_BTNTEXT);
        }
    }
    return ink;
}

TEST_F(VirtualScreenTest, CaptionBoxesAndADoubleClickMinimiseMaximiseAndRestore) {
    const RECT place{100, 100, 400, 300};
    HWND hwnd = Solid(place, kBlue, WS_OVERLAPPEDWINDOW);
    // Within the window's 4-pixel sizing frame: close box, then 2 pixels left the maximise box
    // and right beside it the minimise box, each 16 x 14.
    const RECT close{278, 6, 294, 20};
    const RECT maximize{262, 6, 278, 20};
    const RECT minimize{246, 6, 262, 20};
    // The boxes keep their distance from the window's right edge.
    auto onScreen = [&](const RECT& box) {
        RECT window{};
        GetWindowRect(hwnd, &window);
        return POINT{window.right - 300 + (box.left + box.right) / 2,
                     window.top + (box.top + box.bottom) / 2};
    };
    Surface picture = CaptureWindow(hwnd);
    EXPECT_GT(InkIn(picture, close), 0);
    EXPECT_GT(InkIn(picture, minimize), 0);
    const int maximizeInk = InkIn(picture, maximize);
    EXPECT_GT(maximizeInk, 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(onScreen(minimize).x, 110)),
              HTMINBUTTON);

    Click(onScreen(maximize));
    EXPECT_TRUE(IsZoomed(hwnd));
    // Maximised, the box shows the restore glyph.
    EXPECT_NE(InkIn(CaptureWindow(hwnd), maximize), maximizeInk);
    Click(onScreen(maximize));
    EXPECT_FALSE(IsZoomed(hwnd));
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, place.left);
    EXPECT_EQ(rect.right, place.right);

    // A press that leaves the box before the button comes up does nothing.
    InjectMouse(MOUSEEVENTF_LEFTDOWN, onScreen(maximize));
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{onScreen(maximize).x, 160});
    PumpUntilIdle();
    EXPECT_FALSE(IsZoomed(hwnd));

    Click(POINT{200, 110}, 2);
    EXPECT_TRUE(IsZoomed(hwnd));
    Click(POINT{200, 10}, 2);
    EXPECT_FALSE(IsZoomed(hwnd));
    Click(onScreen(minimize));
    EXPECT_TRUE(IsIconic(hwnd));

    // Without the maximise style its box is grey and neither it nor the caption maximises.
    HWND fixed = Solid(RECT{500, 100, 800, 300}, kBlue,
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(InkIn(CaptureWindow(fixed), RECT{maximize.left - 3, maximize.top - 3,
                                               maximize.right - 3, maximize.bottom - 3}),
              0);
    GetWindowRect(fixed, &rect);
    Click(POINT{rect.left + maximize.left + 5, rect.top + 10});
    Click(POINT{rect.left + 100, rect.top + 10}, 2);
    EXPECT_FALSE(IsZoomed(fixed));
}

TEST_F(VirtualScreenTest, ThinBorderAndClientEdgeSurroundTheClientArea) {
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "Solid", "", WS_POPUP | WS_BORDER, 400, 400, 100,
                                100, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(kGreen));
    ShowWindow(hwnd, SW_SHOW);
    PumpUntilIdle();
    EXPECT_EQ(ScreenAt(400, 450), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenAt(401, 450), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenAt(402, 450), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenAt(403, 450), kGreen);
    EXPECT_EQ(ScreenAt(496, 450), kGreen);
    EXPECT_EQ(ScreenAt(497, 450), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenAt(498, 450), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenAt(499, 450), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenAt(500, 450), GetSysColor(COLOR_DESKTOP));
}

TEST_F(VirtualScreenTest, SystemColoursAndBrushes) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
    EXPECT_EQ(GetSysColorBrush(31), nullptr);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
    DeleteObject(face);
    LOGBRUSH logBrush{};
    ASSERT_EQ(GetObjectA(face, sizeof(logBrush), &logBrush), static_cast<int>(sizeof(logBrush)));
    EXPECT_EQ(logBrush.lbColor, RGB(212, 208, 200));
}

// Gradient rows with a pen per row and centred Chinese text, in a captioned window.
LRESULT CALLBACK PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        RECT client{};
        GetClientRect(hwnd, &client);
        for (int y = 0; y < client.bottom; ++y) {
            const int shade = 255 - y * 160 / std::max<int>(client.bottom, 1);
            dc.FillSolidRect(0, y, client.right, 1, RGB(shade, shade, 255));
        }
        HFONT font =
            CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
        HGDIOBJ old = SelectObject(dc, font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(120, 0, 0));
        dc.DrawText("虚拟屏幕 测试窗口", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        DeleteObject(font);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(VirtualScreenTest, WritesAPictureOfACaptionedWindowForPeople) {
    Register("Picture", PictureProcedure, nullptr);
    HWND hwnd = CreateWindowExA(0, "Picture", "截图 Screen picture", WS_OVERLAPPEDWINDOW, 40, 40,
                                320, 200, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    PumpUntilIdle();
    const std::filesystem::path folder(PROJECT_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(folder);
    const std::filesystem::path window = folder / "screen-captioned-window.png";
    const std::filesystem::path screen = folder / "screen-whole.png";
    std::filesystem::remove(window);
    ASSERT_TRUE(WriteWindowPng(hwnd, window));
    ASSERT_TRUE(WriteScreenPng(screen));
    std::ifstream file(window, std::ios::binary);
    char signature[8] = {};
    file.read(signature, sizeof(signature));
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    const Surface picture = CaptureWindow(hwnd);
    int ink = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ink += ColorFromPixel(picture.At(x, y)) == RGB(120, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 40);
}

TEST_F(VirtualScreenTest, PngsAtExitGoToTheFolderTheEnvironmentNames) {
    testing::TempFolder folder;
    const std::filesystem::path atExit = folder.path() / "at-exit";
    const std::filesystem::path explicitCall = folder.path() / "explicit";
    // The exit hook runs in a child process that ends with exit(0).
    EXPECT_EXIT(
        {
            setenv("PLATFORM_PNG_AT_EXIT", atExit.c_str(), 1);
            InstallScreen();
            Solid(RECT{10, 10, 60, 60}, kGreen);
            Solid(RECT{100, 10, 160, 60}, kBlue);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(std::filesystem::exists(atExit / "screen.png"));
    EXPECT_TRUE(std::filesystem::exists(atExit / "window-1.png"));
    EXPECT_TRUE(std::filesystem::exists(atExit / "window-2.png"));
    EXPECT_FALSE(std::filesystem::exists(atExit / "window-3.png"));

    Solid(RECT{10, 10, 60, 60}, kGreen);
    unsetenv("PLATFORM_PNG_AT_EXIT");
    WritePngsAtExit();
    EXPECT_FALSE(std::filesystem::exists(explicitCall));
    setenv("PLATFORM_PNG_AT_EXIT", explicitCall.c_str(), 1);
    WritePngsAtExit();
    EXPECT_TRUE(std::filesystem::exists(explicitCall / "window-1.png"));
    std::filesystem::remove_all(explicitCall);
    // Once only, as the application object and the exit hook may both call it.
    WritePngsAtExit();
    EXPECT_FALSE(std::filesystem::exists(explicitCall));
    unsetenv("PLATFORM_PNG_AT_EXIT");
}

}  // namespace
}  // namespace platform
