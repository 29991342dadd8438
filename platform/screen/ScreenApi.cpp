// The window DCs and reading the screen back.
#include "platform/screen/ScreenApi.h"

#include <atomic>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "platform/screen/VirtualScreen.h"
#include "platform/screen/VisibleRegions.h"

using platform::VirtualScreen;

namespace {

struct PicturesAtThreadExit {
    ~PicturesAtThreadExit() { platform::WritePngsAtExit(); }
};

bool IsScreen(HWND hwnd) {
    return hwnd == nullptr || hwnd == GetDesktopWindow();
}

}  // namespace

HDC GetDC(HWND hWnd) {
    if (IsScreen(hWnd)) {
        return VirtualScreen::Get().ScreenDC();
    }
    return IsWindow(hWnd) ? VirtualScreen::Get().ClientDC(hWnd) : nullptr;
}

HDC GetWindowDC(HWND hWnd) {
    if (IsScreen(hWnd)) {
        return VirtualScreen::Get().ScreenDC();
    }
    return IsWindow(hWnd) ? VirtualScreen::Get().WindowDC(hWnd) : nullptr;
}

int ReleaseDC(HWND, HDC hDC) {
    return VirtualScreen::Get().ReleaseDC(hDC) ? 1 : 0;
}

namespace platform {

void InstallScreen() {
    VirtualScreen::Get().Install();
    static std::atomic<bool> exitHandlerSet{false};
    const char* folder = std::getenv("PLATFORM_PNG_AT_EXIT");
    if (folder != nullptr && *folder != '\0' && !exitHandlerSet.exchange(true)) {
        // A thread's windows end with its message queue, whose thread-local holder is destroyed
        // at exit before any atexit function runs. A holder made after the queue's is destroyed
        // before it, while the windows still stand; atexit covers exits from other threads.
        GetActiveWindow();
        static thread_local PicturesAtThreadExit pictures;
        std::atexit(WritePngsAtExit);
    }
}

Surface CaptureScreen() {
    VirtualScreen& screen = VirtualScreen::Get();
    screen.RefreshActiveFrames();
    return screen.surface();
}

Surface CaptureWindow(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) {
        return Surface();
    }
    VirtualScreen& screen = VirtualScreen::Get();
    screen.RefreshActiveFrames();
    const RECT area = Region::Overlap(WindowRectOnScreen(hwnd), ScreenBounds());
    Surface picture(area.right - area.left, area.bottom - area.top);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.Set(x, y, screen.surface().At(area.left + x, area.top + y));
        }
    }
    return picture;
}

bool WriteScreenPng(const std::filesystem::path& path) {
    return WritePng(CaptureScreen(), path);
}

bool WriteWindowPng(HWND hwnd, const std::filesystem::path& path) {
    const Surface picture = CaptureWindow(hwnd);
    return picture.width() > 0 && picture.height() > 0 && WritePng(picture, path);
}

void WritePngsAtExit() {
    static std::atomic<bool> written{false};
    const char* folder = std::getenv("PLATFORM_PNG_AT_EXIT");
    if (folder == nullptr || *folder == '\0' || written.exchange(true)) {
        return;
    }
    const std::filesystem::path target(folder);
    std::error_code error;
    std::filesystem::create_directories(target, error);
    WriteScreenPng(target / "screen.png");
    int number = 0;
    for (HWND top : VisibleTopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(top, &process);
        if (process != static_cast<DWORD>(getpid())) {
            continue;
        }
        WriteWindowPng(top, target / ("window-" + std::to_string(++number) + ".png"));
    }
}

}  // namespace platform
