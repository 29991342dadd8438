// Pre-translation, the modal loop, the input of loops that hold the capture, pumping until idle,
// and the reset for tests.
#include <algorithm>

#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

PreTranslateHandler HandlerOf(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* window = system.Find(hwnd);
    return window == nullptr ? PreTranslateHandler{} : window->preTranslate;
}

// Takes one message and runs it through the filter, translation and dispatch; false when the
// queue had nothing. A WM_QUIT is left for the caller.
bool RunOneMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        return true;
    }
    if (!FilterMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

void SetPreTranslateHandler(HWND hwnd, PreTranslateHandler handler) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    if (Window* window = system.Find(hwnd)) {
        window->preTranslate = std::move(handler);
    }
}

void SetThreadMainWindow(HWND hwnd) {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    queue->mainWindow = hwnd;
}

HWND GetThreadMainWindow() {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.Find(queue->mainWindow) != nullptr ? queue->mainWindow : nullptr;
}

bool WalkPreTranslate(MSG& msg) {
    const HWND main = GetThreadMainWindow();
    bool mainVisited = false;
    for (HWND hwnd = msg.hwnd; hwnd != nullptr && IsWindow(hwnd); hwnd = GetParent(hwnd)) {
        if (PreTranslateHandler handler = HandlerOf(hwnd); handler && handler(msg)) {
            return true;
        }
        if (hwnd == main) {
            mainVisited = true;
            break;
        }
    }
    if (main != nullptr && !mainVisited) {
        PreTranslateHandler handler = HandlerOf(main);
        return handler && handler(msg);
    }
    return false;
}

void SetThreadMessageFilter(MessageFilter filter) {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    queue->messageFilter = std::move(filter);
}

bool FilterMessage(MSG& msg) {
    auto queue = CurrentQueuePointer();
    MessageFilter filter;
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        filter = queue->messageFilter;
    }
    return filter ? filter(msg) : WalkPreTranslate(msg);
}

CapturedInput TakeCapturedInput(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return CapturedInput::kNone;
    }
    switch (msg.message) {
        case WM_QUIT:
            PostQuitMessage(static_cast<int>(msg.wParam));
            return CapturedInput::kQuit;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            return CapturedInput::kMove;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            return CapturedInput::kRelease;
        default:
            return CapturedInput::kOther;
    }
}

void DispatchCapturedInput(const MSG& msg) {
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool RunModalLoop(HWND owner, const std::function<bool()>& keepRunning) {
    const bool disableOwner = owner != nullptr && IsWindow(owner) && IsWindowEnabled(owner);
    if (disableOwner) {
        EnableWindow(owner, FALSE);
    }
    bool ended = true;
    while (keepRunning()) {
        MSG msg{};
        if (!RunOneMessage(msg)) {
            // Looking into the queue may have run a sent message that ended the loop.
            if (keepRunning()) {
                WaitMessage();
            }
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            ended = false;
            break;
        }
    }
    if (disableOwner && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
    return ended;
}

int PumpUntilIdle(int limit) {
    int count = 0;
    while (count < limit) {
        MSG msg{};
        if (!RunOneMessage(msg)) {
            break;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ++count;
    }
    return count;
}

void SetTopLevelObserver(std::function<void(HWND)> observer) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.topLevelObserver = std::move(observer);
}

void SetForeignWindowRefresher(std::function<void()> refresher) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.foreignRefresher = std::move(refresher);
}

void SetDesktopWindowRefresher(std::function<void()> refresher) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    system.desktopRefresher = std::move(refresher);
}

void ResetWindowSystemForTesting() {
    auto queue = CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::vector<HWND> own;
    {
        std::lock_guard lock(system.mutex);
        system.topLevelObserver = nullptr;
        system.foreignRefresher = nullptr;
        for (HWND top : system.Find(system.desktop)->children) {
            if (system.Find(top)->queue == queue) {
                own.push_back(top);
            }
        }
    }
    for (HWND top : own) {
        DestroyWindow(top);
    }
    std::lock_guard lock(system.mutex);
    for (auto it = system.windows.begin(); it != system.windows.end();) {
        if (it->first == system.desktop) {
            ++it;
            continue;
        }
        it->second->windowClass->windowCount--;
        it = system.windows.erase(it);
    }
    Window* desktop = system.Find(system.desktop);
    desktop->children.clear();
    std::erase_if(system.classes, [&](const auto& windowClass) {
        if (windowClass->system) {
            return false;
        }
        system.ReleaseAtom(windowClass->atom);
        return true;
    });
    system.hooks.clear();
    system.hookRelay = HookRelay{};
    system.announcedHooks = 0;
    system.capture = nullptr;
    system.foreground = nullptr;
    system.cursor = POINT{};
    std::fill(std::begin(system.asyncKeys), std::end(system.asyncKeys), BYTE{0});
    system.lastClick = ClickMemory{};
    system.recorded.clear();
    system.screen = SIZE{1024, 768};
    system.workArea = RECT{};
    desktop->rect = RECT{0, 0, 1024, 768};
    system.defaultPlacements = 0;
    system.beginPaintDc = nullptr;
    system.endPaintDc = nullptr;
    queue->posted.clear();
    queue->input.clear();
    queue->quitPosted = false;
    queue->quitCode = 0;
    queue->timers.clear();
    queue->focus = nullptr;
    queue->active = nullptr;
    queue->mainWindow = nullptr;
    queue->messageFilter = nullptr;
    std::fill(std::begin(queue->keyState), std::end(queue->keyState), BYTE{0});
    queue->lastMessageTime = 0;
    queue->lastMessagePos = POINT{};
}

}  // namespace platform
