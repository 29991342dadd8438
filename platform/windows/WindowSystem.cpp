#include "platform/windows/WindowSystem.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/text/Gbk.h"

#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

// Ends the queue with its thread: senders that still wait are released with a 0 result.
struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder() {
        if (!queue) {
            return;
        }
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        queue->alive = false;
        for (auto& sent : queue->incoming) {
            sent->done = true;
            if (sent->sender) {
                sent->sender->wake.notify_all();
            }
        }
        queue->incoming.clear();
        system.queues.erase(queue->threadId);
        // The thread's windows end with it; nobody is left to run their procedures.
        std::vector<HWND> owned;
        for (const auto& [handle, window] : system.windows) {
            if (window->queue == queue && system.Find(window->parent) != nullptr &&
                system.Find(window->parent)->queue != queue) {
                owned.push_back(handle);
            }
        }
        for (HWND hwnd : owned) {
            RemoveTree(system, hwnd);
        }
        queue->timers.clear();
    }

    static void RemoveTree(WindowSystem& system, HWND hwnd) {
        const Window* window = system.Find(hwnd);
        if (window == nullptr) {
            return;
        }
        const std::vector<HWND> children = window->children;
        for (HWND child : children) {
            RemoveTree(system, child);
        }
        RemoveWindowLocked(system, hwnd);
    }
};

thread_local QueueHolder current_queue;

}  // namespace

WindowSystem& WindowSystem::Get() {
    // Never destroyed: thread queues may end after static destruction has begun.
    static WindowSystem* system = new WindowSystem();
    return *system;
}

WindowSystem::WindowSystem() {
    auto desktopClass = std::make_shared<WindowClass>();
    desktopClass->name = "#32769";
    desktopClass->atom = 32769;
    desktopClass->procedure = DefWindowProcA;
    desktopClass->system = true;
    classes.push_back(desktopClass);

    auto window = std::make_shared<Window>();
    window->handle = NewHandle();
    window->windowClass = desktopClass;
    window->procedure = DefWindowProcA;
    window->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    window->rect = RECT{0, 0, screen.cx, screen.cy};
    desktop = window->handle;
    windows.emplace(desktop, window);
}

ATOM WindowSystem::AddAtom(const std::string& name) {
    constexpr size_t kFirstAtom = 0xC000;
    constexpr size_t kAtomCount = 0x10000 - kFirstAtom;
    size_t freeSlot = atoms.size();
    for (size_t i = 0; i < atoms.size(); ++i) {
        if (atoms[i].references > 0 && CompareNoCase(atoms[i].name, name) == 0) {
            atoms[i].references++;
            return static_cast<ATOM>(kFirstAtom + i);
        }
        if (atoms[i].references == 0 && freeSlot == atoms.size()) {
            freeSlot = i;
        }
    }
    if (freeSlot == atoms.size()) {
        if (atoms.size() >= kAtomCount) {
            return 0;
        }
        atoms.emplace_back();
    }
    atoms[freeSlot] = AtomEntry{name, 1};
    return static_cast<ATOM>(kFirstAtom + freeSlot);
}

void WindowSystem::ReleaseAtom(ATOM atom) {
    const size_t slot = static_cast<size_t>(atom) - 0xC000;
    if (atom >= 0xC000 && slot < atoms.size() && atoms[slot].references > 0) {
        atoms[slot].references--;
    }
}

Window* WindowSystem::Find(HWND hwnd) const {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto found = windows.find(hwnd);
    return found == windows.end() ? nullptr : found->second.get();
}

HWND WindowSystem::NewHandle() {
    // Even numbers that are never reused, so a stale handle cannot name a newer window.
    nextHandle_ += 2;
    return reinterpret_cast<HWND>(nextHandle_);
}

ThreadQueue* WindowSystem::QueueOf(DWORD threadId) const {
    auto found = queues.find(threadId);
    if (found == queues.end()) {
        return nullptr;
    }
    std::shared_ptr<ThreadQueue> queue = found->second.lock();
    return queue && queue->alive ? queue.get() : nullptr;
}

RECT WindowSystem::Insets(const Window& window) const {
    if (window.handle == desktop) {
        return RECT{};
    }
    return FrameInsets(window.style, window.exStyle,
                       window.menu != nullptr && (window.style & WS_CHILD) == 0);
}

RECT WindowSystem::ClientInParent(const Window& window) const {
    if (window.style & WS_MINIMIZE) {
        return RECT{window.rect.left, window.rect.top, window.rect.left, window.rect.top};
    }
    const RECT insets = Insets(window);
    RECT client{window.rect.left + insets.left, window.rect.top + insets.top,
                window.rect.right - insets.right, window.rect.bottom - insets.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

RECT WindowSystem::ClientSize(const Window& window) const {
    const RECT client = ClientInParent(window);
    return RECT{0, 0, client.right - client.left, client.bottom - client.top};
}

POINT WindowSystem::ClientOriginOnScreen(HWND hwnd) const {
    POINT origin{0, 0};
    for (const Window* window = Find(hwnd); window != nullptr && window->handle != desktop;
         window = Find(window->parent)) {
        const RECT client = ClientInParent(*window);
        origin.x += client.left;
        origin.y += client.top;
    }
    return origin;
}

RECT WindowSystem::ScreenRect(HWND hwnd) const {
    const Window* window = Find(hwnd);
    if (window == nullptr) {
        return RECT{};
    }
    if (window->handle == desktop) {
        return window->rect;
    }
    const POINT origin = ClientOriginOnScreen(window->parent);
    return OffsetRectBy(window->rect, origin.x, origin.y);
}

bool WindowSystem::IsVisible(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window != nullptr; window = Find(window->parent)) {
        if ((window->style & WS_VISIBLE) == 0) {
            return false;
        }
        if (window->handle == desktop) {
            return true;
        }
    }
    return false;
}

bool WindowSystem::IsEnabledChain(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window != nullptr && window->handle != desktop;
         window = Find(window->parent)) {
        if (window->style & WS_DISABLED) {
            return false;
        }
    }
    return true;
}

bool WindowSystem::IsDescendant(HWND ancestor, HWND hwnd) const {
    const Window* window = Find(hwnd);
    if (window == nullptr || ancestor == nullptr) {
        return false;
    }
    for (window = Find(window->parent); window != nullptr; window = Find(window->parent)) {
        if (window->handle == ancestor) {
            return true;
        }
    }
    return false;
}

HWND WindowSystem::Root(HWND hwnd) const {
    const Window* window = Find(hwnd);
    if (window == nullptr || hwnd == desktop) {
        return nullptr;
    }
    while (window->parent != desktop) {
        const Window* parent = Find(window->parent);
        if (parent == nullptr) {
            return nullptr;
        }
        window = parent;
    }
    return window->handle;
}

HWND WindowSystem::ParentOrOwner(const Window& window) const {
    if (window.style & WS_CHILD) {
        return window.parent;
    }
    return window.owner;
}

void WindowSystem::Unlink(Window& window) {
    Window* parent = Find(window.parent);
    if (parent == nullptr) {
        return;
    }
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle), siblings.end());
}

void WindowSystem::Restack(Window& window, HWND after) {
    Window* parent = Find(window.parent);
    if (parent == nullptr) {
        return;
    }
    const bool topLevel = parent->handle == desktop;
    auto& siblings = parent->children;
    auto isTopmost = [&](HWND sibling) {
        const Window* other = Find(sibling);
        return topLevel && other != nullptr && (other->exStyle & WS_EX_TOPMOST) != 0;
    };
    if (topLevel) {
        if (after == HWND_TOPMOST) {
            window.exStyle |= WS_EX_TOPMOST;
        } else if (after == HWND_NOTOPMOST || after == HWND_BOTTOM) {
            if (after == HWND_NOTOPMOST && (window.exStyle & WS_EX_TOPMOST) == 0) {
                return;
            }
            window.exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        } else if (after != HWND_TOP) {
            const Window* sibling = Find(after);
            if (sibling != nullptr && sibling->parent == window.parent) {
                window.exStyle = (window.exStyle & ~static_cast<DWORD>(WS_EX_TOPMOST)) |
                                 (sibling->exStyle & WS_EX_TOPMOST);
            }
        }
    }
    Unlink(window);
    const bool topmost = isTopmost(window.handle);
    // The first position past the topmost band.
    auto bandEnd = std::find_if(siblings.begin(), siblings.end(),
                                [&](HWND sibling) { return !isTopmost(sibling); });
    if (after == HWND_BOTTOM) {
        siblings.push_back(window.handle);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        siblings.insert(topmost ? siblings.begin() : bandEnd, window.handle);
        window.raises++;
    } else {
        auto position = std::find(siblings.begin(), siblings.end(), after);
        if (position == siblings.end()) {
            siblings.insert(topmost ? siblings.begin() : bandEnd, window.handle);
        } else {
            siblings.insert(position + 1, window.handle);
        }
    }
    if (topLevel) {
        KeepOwnedAbove(window);
    }
}

void WindowSystem::KeepOwnedAbove(Window& owner) {
    auto& siblings = Find(desktop)->children;
    auto ownedBy = [&](HWND hwnd) {
        // Bounded, so that owners set in a circle cannot hold the walk.
        const Window* window = Find(hwnd);
        for (size_t step = 0; window != nullptr && step < siblings.size(); ++step) {
            if (window->owner == owner.handle) {
                return true;
            }
            window = Find(window->owner);
        }
        return false;
    };
    const auto ownerPosition = std::find(siblings.begin(), siblings.end(), owner.handle);
    std::vector<HWND> below;
    std::copy_if(ownerPosition, siblings.end(), std::back_inserter(below), ownedBy);
    if (below.empty()) {
        return;
    }
    for (HWND hwnd : below) {
        Window& owned = *Find(hwnd);
        siblings.erase(std::find(siblings.begin(), siblings.end(), hwnd));
        // An owned window shares its owner's band.
        owned.exStyle =
            (owned.exStyle & ~static_cast<DWORD>(WS_EX_TOPMOST)) | (owner.exStyle & WS_EX_TOPMOST);
        owned.raises++;
    }
    siblings.insert(std::find(siblings.begin(), siblings.end(), owner.handle), below.begin(),
                    below.end());
}

std::shared_ptr<ThreadQueue> CurrentQueuePointer() {
    if (!current_queue.queue) {
        auto queue = std::make_shared<ThreadQueue>(GetCurrentThreadId());
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        for (const int lockKey : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL}) {
            queue->keyState[lockKey] = system.asyncKeys[lockKey] & 1;
        }
        system.queues[queue->threadId] = queue;
        current_queue.queue = queue;
    }
    return current_queue.queue;
}

ThreadQueue& CurrentQueue() {
    return *CurrentQueuePointer();
}

LRESULT CallProcedure(std::unique_lock<std::mutex>& lock, HWND hwnd, UINT message, WPARAM wParam,
                      LPARAM lParam) {
    const Window* window = WindowSystem::Get().Find(hwnd);
    if (window == nullptr) {
        return 0;
    }
    WNDPROC procedure = window->procedure;
    lock.unlock();
    const LRESULT result = procedure != nullptr ? procedure(hwnd, message, wParam, lParam) : 0;
    lock.lock();
    return result;
}

void NotifyTopLevel(HWND hwnd) {
    WindowSystem& system = WindowSystem::Get();
    std::function<void(HWND)> observer;
    std::function<void(HWND)> screenObserver;
    {
        std::lock_guard lock(system.mutex);
        const Window* window = system.Find(hwnd);
        // A window that is already gone was top-level when its caller decided to notify.
        if (window != nullptr && !system.IsTopLevel(*window)) {
            return;
        }
        observer = system.topLevelObserver;
        screenObserver = system.screenObserver;
    }
    if (observer) {
        observer(hwnd);
    }
    if (screenObserver) {
        screenObserver(hwnd);
    }
}

void RefreshForeignWindows() {
    WindowSystem& system = WindowSystem::Get();
    std::function<void()> refresher;
    std::function<void()> desktopRefresher;
    {
        std::lock_guard lock(system.mutex);
        refresher = system.foreignRefresher;
        desktopRefresher = system.desktopRefresher;
    }
    if (refresher) {
        refresher();
    }
    if (desktopRefresher) {
        desktopRefresher();
    }
}

void RefreshDesktopWindows() {
    WindowSystem& system = WindowSystem::Get();
    std::function<void()> desktopRefresher;
    {
        std::lock_guard lock(system.mutex);
        desktopRefresher = system.desktopRefresher;
    }
    if (desktopRefresher) {
        desktopRefresher();
    }
}

}  // namespace platform
