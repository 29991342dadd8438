// The process-wide state of the window manager behind one lock: the handle table, the class
// table, the desktop and its Z order, the thread queues, the cursor, the keyboard, capture,
// foreground and the hooks. Window procedures are never called with the lock held, so a procedure
// may call back into any function and another thread may send to this one meanwhile.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/windows/ThreadQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowClass.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC procedure = nullptr;
    // 0 for a hook on every thread.
    DWORD threadId = 0;
    // Calls in flight, on any thread; UnhookWindowsHookEx waits for them to end.
    int running = 0;
    // Set by UnhookWindowsHookEx while it waits: the hook takes no new calls and the queue of the
    // waiting thread is woken as each call ends.
    std::shared_ptr<ThreadQueue> unhooking;
};

struct ClickMemory {
    HWND hwnd = nullptr;
    UINT button = 0;
    POINT pt{};
    std::chrono::milliseconds time{0};
    bool armed = false;
};

class WindowSystem {
public:
    static WindowSystem& Get();

    std::mutex mutex;
    std::unordered_map<HWND, std::shared_ptr<Window>> windows;
    HWND desktop = nullptr;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>> queues;
    // Class names and registered message names share one table of atoms 0xC000..0xFFFF, as
    // they do on the original platform; a slot is free again once nothing refers to it.
    struct AtomEntry {
        std::string name;
        int references = 0;
    };
    std::vector<AtomEntry> atoms;
    SIZE screen{1024, 768};
    // The part of the screen that task bars and panels leave to windows; empty: all of it.
    RECT workArea{};
    // The work area as it applies now, within the screen.
    RECT WorkAreaLocked() const;
    int defaultPlacements = 0;

    POINT cursor{};
    BYTE asyncKeys[256] = {};
    ClickMemory lastClick;
    UINT doubleClickTime = 500;
    HWND capture = nullptr;
    HWND foreground = nullptr;
    std::vector<Hook> hooks;
    std::vector<RecordedInput> recorded;

    std::function<HDC(HWND, const RECT&)> beginPaintDc;
    std::function<void(HWND, HDC)> endPaintDc;
    std::function<void(HWND, HDC, HBRUSH)> backgroundPainter;
    std::function<void(HWND)> topLevelObserver;
    std::function<void()> foreignRefresher;
    std::function<void()> desktopRefresher;
    std::function<void(HWND)> screenObserver;
    HookRelay hookRelay;
    std::uint32_t announcedHooks = 0;

    // The atom of a name (found without case), adding a reference; 0 when the table is full.
    ATOM AddAtom(const std::string& name);
    void ReleaseAtom(ATOM atom);

    // The live window behind a handle, or null.
    Window* Find(HWND hwnd) const;
    HWND NewHandle();
    ThreadQueue* QueueOf(DWORD threadId) const;

    // Geometry, all derived from the style bits and the one set of frame metrics.
    RECT Insets(const Window& window) const;
    RECT ClientInParent(const Window& window) const;
    POINT ClientOriginOnScreen(HWND hwnd) const;
    RECT ScreenRect(HWND hwnd) const;
    RECT ClientSize(const Window& window) const;

    bool IsTopLevel(const Window& window) const { return window.parent == desktop; }
    bool IsVisible(HWND hwnd) const;
    bool IsEnabledChain(HWND hwnd) const;
    // True when `hwnd` lies below `ancestor` in the parent tree (not the same window).
    bool IsDescendant(HWND ancestor, HWND hwnd) const;
    // The top-level window above `hwnd` (itself when it is top-level).
    HWND Root(HWND hwnd) const;
    // GetParent: the parent of a child window, the owner of any other.
    HWND ParentOrOwner(const Window& window) const;

    // Unlinks from the old position and inserts according to `after` (HWND_TOP, HWND_BOTTOM,
    // HWND_TOPMOST, HWND_NOTOPMOST or a sibling), keeping topmost windows above the others.
    // A top-level window's owned windows always lie above it, so a restack also moves those
    // below it to just above it.
    void Restack(Window& window, HWND after);
    void Unlink(Window& window);

private:
    WindowSystem();
    // Moves the windows that `owner` owns, directly or through other owned windows, from below
    // it to just above it, keeping their order.
    void KeepOwnedAbove(Window& owner);
    std::uintptr_t nextHandle_ = 0x10010;
};

// The calling thread's queue, created on first use.
ThreadQueue& CurrentQueue();
std::shared_ptr<ThreadQueue> CurrentQueuePointer();

}  // namespace platform
