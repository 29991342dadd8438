// Injected mouse and keyboard input, the cursor, key state and hooks.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"
#include "platform/windows/DesktopSync.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"

namespace platform {

namespace {

// The hooks this thread is running, innermost last.
thread_local std::vector<HHOOK> running_hooks;
std::atomic<DesktopInput*> desktop_input = nullptr;
std::uintptr_t next_hook_handle = 0x20000;

constexpr int kRelayedHookTypes[] = {WH_KEYBOARD, WH_MOUSE, WH_KEYBOARD_LL, WH_MOUSE_LL};

bool IsRelayed(int type) {
    return std::find(std::begin(kRelayedHookTypes), std::end(kRelayedHookTypes), type) !=
           std::end(kRelayedHookTypes);
}

// Tells the relay when the set of hook types held on every thread changed; `force` tells it in
// any case (a new relay).
void AnnounceHooks(bool force) {
    // Hooks set and removed on two threads at once must not announce their masks out of order,
    // leaving the older one standing: one announcement at a time, each with the mask of its time.
    static std::mutex* announcing = new std::mutex;
    std::lock_guard order(*announcing);
    WindowSystem& system = WindowSystem::Get();
    std::function<void(std::uint32_t)> announce;
    std::uint32_t mask = 0;
    {
        std::lock_guard lock(system.mutex);
        for (const Hook& hook : system.hooks) {
            if (hook.threadId == 0 && IsRelayed(hook.type) && !hook.unhooking) {
                mask |= 1u << hook.type;
            }
        }
        if (mask == system.announcedHooks && !force) {
            return;
        }
        system.announcedHooks = mask;
        announce = system.hookRelay.announce;
    }
    if (announce) {
        announce(mask);
    }
}

std::uint64_t Low32(LONG value) {
    return static_cast<std::uint32_t>(value);
}

// Only integers cross to another process: the structures behind lParam travel packed.
//   WH_MOUSE:       wParam message | hit test << 32, lParam x | y << 32 (32 bits each);
//   WH_KEYBOARD_LL: lParam virtual key | scan code << 8 | flags << 16 (8 bits each);
//   WH_MOUSE_LL:    lParam x | y << 16 (16 bits each) | mouse data << 32.
std::pair<WPARAM, LPARAM> PackHookInput(int type, WPARAM wParam, LPARAM lParam) {
    switch (type) {
        case WH_MOUSE: {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            return {(wParam & 0xFFFFFFFF) | (static_cast<WPARAM>(info->wHitTestCode) << 32),
                    static_cast<LPARAM>(Low32(info->pt.x) | Low32(info->pt.y) << 32)};
        }
        case WH_KEYBOARD_LL: {
            const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            return {wParam,
                    static_cast<LPARAM>((info->vkCode & 0xFF) | (info->scanCode & 0xFF) << 8 |
                                        (info->flags & 0xFF) << 16)};
        }
        case WH_MOUSE_LL: {
            const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            return {wParam, static_cast<LPARAM>((Low32(info->pt.x) & 0xFFFF) |
                                                (Low32(info->pt.y) & 0xFFFF) << 16 |
                                                static_cast<std::uint64_t>(info->mouseData) << 32)};
        }
        default:
            return {wParam, lParam};
    }
}

// Input that programs inject is kept for tests to read; a program that runs for weeks keeps
// only the newest.
constexpr std::size_t kMaxRecordedInput = 1000;

void KeepRecorded(WindowSystem& system, const RecordedInput& record) {
    if (system.recorded.size() >= kMaxRecordedInput) {
        system.recorded.erase(system.recorded.begin());
    }
    system.recorded.push_back(record);
}

bool IsDown(const BYTE* state, BYTE key) {
    return (state[key] & 0x80) != 0;
}

WPARAM MouseKeyFlags(const BYTE* state) {
    WPARAM flags = 0;
    if (IsDown(state, VK_LBUTTON)) {
        flags |= MK_LBUTTON;
    }
    if (IsDown(state, VK_RBUTTON)) {
        flags |= MK_RBUTTON;
    }
    if (IsDown(state, VK_MBUTTON)) {
        flags |= MK_MBUTTON;
    }
    if (IsDown(state, VK_SHIFT)) {
        flags |= MK_SHIFT;
    }
    if (IsDown(state, VK_CONTROL)) {
        flags |= MK_CONTROL;
    }
    return flags;
}

// Queues a mouse event for the window under the cursor, or for the capture window.
void QueueMouse(WindowSystem& system, UINT message, int wheelDelta) {
    const POINT pt = system.cursor;
    HWND target = system.capture;
    const bool captured = system.Find(target) != nullptr;
    if (message == WM_MOUSEWHEEL) {
        const Window* foreground = system.Find(system.foreground);
        target = foreground != nullptr && foreground->queue ? foreground->queue->focus : nullptr;
    } else if (!captured) {
        target = WindowFromPointLocked(system, pt);
    }
    const Window* window = system.Find(target);
    if (window == nullptr || !window->queue || (!captured && !system.IsEnabledChain(target))) {
        return;
    }
    ThreadQueue& queue = *window->queue;
    const std::chrono::milliseconds now = MonotonicNow();
    WPARAM wParam = MouseKeyFlags(system.asyncKeys);
    if (message == WM_MOUSEWHEEL) {
        wParam |= static_cast<WPARAM>(static_cast<WORD>(wheelDelta)) << 16;
    }
    bool doubleClick = false;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        ClickMemory& last = system.lastClick;
        doubleClick = last.armed && last.hwnd == target && last.button == message &&
                      now - last.time <= std::chrono::milliseconds(system.doubleClickTime) &&
                      std::abs(pt.x - last.pt.x) <= kDoubleClickWidth / 2 &&
                      std::abs(pt.y - last.pt.y) <= kDoubleClickHeight / 2;
        // After a double click the next press starts a new pair.
        last = doubleClick ? ClickMemory{} : ClickMemory{target, message, pt, now, true};
    }
    if (message == WM_MOUSEMOVE && !queue.input.empty()) {
        InputEvent& back = queue.input.back();
        if (back.kind == InputEvent::Kind::Mouse && back.message == WM_MOUSEMOVE &&
            !back.resolved && back.hwnd == target && back.wParam == wParam) {
            back.pt = pt;
            back.time = static_cast<DWORD>(now.count());
            queue.Wake();
            return;
        }
    }
    InputEvent event;
    event.kind = InputEvent::Kind::Mouse;
    event.hwnd = target;
    event.message = message;
    event.wParam = wParam;
    event.pt = pt;
    event.time = static_cast<DWORD>(now.count());
    event.serial = queue.nextInputSerial++;
    event.doubleClick = doubleClick;
    event.captured = captured;
    queue.input.push_back(event);
    queue.Wake();
}

bool LowLevelMouseAllows(UINT message, POINT pt, int wheelDelta) {
    MSLLHOOKSTRUCT info{pt, static_cast<DWORD>(wheelDelta) << 16, 0,
                        static_cast<DWORD>(MonotonicNow().count()), 0};
    return RunHooksEverywhere(WH_MOUSE_LL, message, reinterpret_cast<LPARAM>(&info)) == 0;
}

}  // namespace

BYTE GenericKey(BYTE key) {
    switch (key) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return key;
    }
}

void SetKey(BYTE* state, BYTE key, bool down) {
    if (down) {
        if ((state[key] & 0x80) == 0) {
            state[key] ^= 0x01;
        }
        state[key] |= 0x80;
    } else {
        state[key] &= static_cast<BYTE>(~0x80);
    }
}

void SetKeyWithGeneric(BYTE* state, BYTE key, bool down) {
    SetKey(state, key, down);
    if (GenericKey(key) != key) {
        SetKey(state, GenericKey(key), down);
    }
}

void InjectMouse(DWORD mouseEventFlags, POINT screenPoint, int wheelDelta) {
    WindowSystem& system = WindowSystem::Get();
    POINT current{};
    SIZE screen{};
    {
        std::lock_guard lock(system.mutex);
        current = system.cursor;
        screen = system.screen;
    }
    screenPoint.x = std::clamp<LONG>(screenPoint.x, 0, screen.cx - 1);
    screenPoint.y = std::clamp<LONG>(screenPoint.y, 0, screen.cy - 1);
    if ((screenPoint.x != current.x || screenPoint.y != current.y) &&
        LowLevelMouseAllows(WM_MOUSEMOVE, screenPoint, 0)) {
        std::lock_guard lock(system.mutex);
        system.cursor = screenPoint;
        QueueMouse(system, WM_MOUSEMOVE, 0);
    }
    struct Button {
        DWORD flag;
        UINT message;
        BYTE key;
        bool down;
    };
    static constexpr Button kButtons[] = {
        {MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, VK_LBUTTON, true},
        {MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, VK_LBUTTON, false},
        {MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN, VK_RBUTTON, true},
        {MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP, VK_RBUTTON, false},
        {MOUSEEVENTF_MIDDLEDOWN, WM_MBUTTONDOWN, VK_MBUTTON, true},
        {MOUSEEVENTF_MIDDLEUP, WM_MBUTTONUP, VK_MBUTTON, false},
    };
    for (const Button& button : kButtons) {
        if ((mouseEventFlags & button.flag) == 0) {
            continue;
        }
        POINT at{};
        {
            std::lock_guard lock(system.mutex);
            at = system.cursor;
        }
        if (!LowLevelMouseAllows(button.message, at, 0)) {
            continue;
        }
        std::lock_guard lock(system.mutex);
        SetKey(system.asyncKeys, button.key, button.down);
        QueueMouse(system, button.message, 0);
    }
    if (mouseEventFlags & MOUSEEVENTF_WHEEL) {
        if (LowLevelMouseAllows(WM_MOUSEWHEEL, screenPoint, wheelDelta)) {
            std::lock_guard lock(system.mutex);
            QueueMouse(system, WM_MOUSEWHEEL, wheelDelta);
        }
    }
}

void InjectKey(BYTE virtualKey, bool down, BYTE scanCode, bool extended) {
    WindowSystem& system = WindowSystem::Get();
    bool alt = false;
    {
        std::lock_guard lock(system.mutex);
        alt = IsDown(system.asyncKeys, VK_MENU);
    }
    const BYTE generic = GenericKey(virtualKey);
    KBDLLHOOKSTRUCT info{virtualKey, scanCode,
                         static_cast<DWORD>((extended ? LLKHF_EXTENDED : 0) |
                                            (alt ? LLKHF_ALTDOWN : 0) | (down ? 0 : LLKHF_UP)),
                         static_cast<DWORD>(MonotonicNow().count()), 0};
    const UINT hookMessage = alt || generic == VK_MENU ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                                       : (down ? WM_KEYDOWN : WM_KEYUP);
    if (RunHooksEverywhere(WH_KEYBOARD_LL, hookMessage, reinterpret_cast<LPARAM>(&info)) != 0) {
        return;
    }
    if (down) {
        BYTE keys[256];
        {
            std::lock_guard lock(system.mutex);
            std::copy(std::begin(system.asyncKeys), std::end(system.asyncKeys), keys);
        }
        if (PressHotKeyFromKeyState(generic, keys, IsDown(keys, virtualKey))) {
            std::lock_guard lock(system.mutex);
            SetKeyWithGeneric(system.asyncKeys, virtualKey, true);
            return;
        }
    }
    std::lock_guard lock(system.mutex);
    const bool wasDown = IsDown(system.asyncKeys, virtualKey);
    SetKeyWithGeneric(system.asyncKeys, virtualKey, down);
    const bool altHeld = IsDown(system.asyncKeys, VK_MENU);
    const bool controlHeld = IsDown(system.asyncKeys, VK_CONTROL);
    const Window* foreground = system.Find(system.foreground);
    if (foreground == nullptr || !foreground->queue) {
        return;
    }
    ThreadQueue& queue = *foreground->queue;
    HWND target = system.Find(queue.focus) != nullptr ? queue.focus : nullptr;
    // Without a focus window, keys go to the active window as system keys.
    bool systemKey = target == nullptr || generic == VK_MENU || virtualKey == VK_F10 ||
                     (altHeld && !controlHeld);
    if (target == nullptr) {
        target = system.Find(queue.active) != nullptr ? queue.active : nullptr;
    }
    if (target == nullptr) {
        return;
    }
    if (!down && generic == VK_MENU) {
        systemKey = true;
    }
    const UINT message =
        down ? (systemKey ? WM_SYSKEYDOWN : WM_KEYDOWN) : (systemKey ? WM_SYSKEYUP : WM_KEYUP);
    const DWORD bits = 1u | (static_cast<DWORD>(scanCode) << 16) | (extended ? 1u << 24 : 0u) |
                       (systemKey && altHeld ? 1u << 29 : 0u) |
                       ((down ? wasDown : true) ? 1u << 30 : 0u) | (down ? 0u : 1u << 31);
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.hwnd = target;
    event.message = message;
    event.wParam = generic;
    event.lParam = static_cast<LPARAM>(static_cast<LONG>(bits));
    event.pt = system.cursor;
    event.time = static_cast<DWORD>(MonotonicNow().count());
    event.serial = queue.nextInputSerial++;
    queue.input.push_back(event);
    queue.Wake();
}

void SetLockKeys(bool capsLock, bool numLock) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const auto setLocks = [&](BYTE* keys) {
        keys[VK_CAPITAL] = static_cast<BYTE>((keys[VK_CAPITAL] & ~1) | (capsLock ? 1 : 0));
        keys[VK_NUMLOCK] = static_cast<BYTE>((keys[VK_NUMLOCK] & ~1) | (numLock ? 1 : 0));
    };
    setLocks(system.asyncKeys);
    for (auto& [thread, weak] : system.queues) {
        if (auto queue = weak.lock()) {
            setLocks(queue->keyState);
        }
    }
}

void InjectCharacter(BYTE character) {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const Window* foreground = system.Find(system.foreground);
    if (foreground == nullptr || !foreground->queue) {
        return;
    }
    ThreadQueue& queue = *foreground->queue;
    HWND target = system.Find(queue.focus) != nullptr ? queue.focus : queue.active;
    if (system.Find(target) == nullptr) {
        return;
    }
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.hwnd = target;
    event.message = WM_CHAR;
    event.wParam = character;
    event.lParam = 1;
    event.pt = system.cursor;
    event.time = static_cast<DWORD>(MonotonicNow().count());
    event.serial = queue.nextInputSerial++;
    queue.input.push_back(event);
    queue.Wake();
}

void ObserveOutsideInput(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& system = WindowSystem::Get();
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        const BYTE virtualKey = static_cast<BYTE>(wParam);
        const bool down = message == WM_KEYDOWN;
        bool alt = false;
        {
            std::lock_guard lock(system.mutex);
            alt = IsDown(system.asyncKeys, VK_MENU);
        }
        const bool extended = (lParam & (1 << 24)) != 0;
        KBDLLHOOKSTRUCT info{virtualKey, static_cast<DWORD>((lParam >> 16) & 0xFF),
                             static_cast<DWORD>((extended ? LLKHF_EXTENDED : 0) |
                                                (alt ? LLKHF_ALTDOWN : 0) | (down ? 0 : LLKHF_UP)),
                             static_cast<DWORD>(MonotonicNow().count()), 0};
        const UINT hookMessage = alt || GenericKey(virtualKey) == VK_MENU
                                     ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                     : message;
        RunHooks(WH_KEYBOARD_LL, HC_ACTION, hookMessage, reinterpret_cast<LPARAM>(&info));
        LPARAM hookParam = 0;
        {
            std::lock_guard lock(system.mutex);
            const bool wasDown = IsDown(system.asyncKeys, virtualKey);
            const auto bits = static_cast<DWORD>(lParam & 0x01FFFFFF) | (alt ? 1u << 29 : 0u) |
                              (down ? (wasDown ? 1u << 30 : 0u) : 3u << 30);
            hookParam = KeyboardHookParam(static_cast<LPARAM>(bits), system.asyncKeys);
            SetKeyWithGeneric(system.asyncKeys, virtualKey, down);
        }
        RunHooks(WH_KEYBOARD, HC_ACTION, GenericKey(virtualKey), hookParam);
        return;
    }
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    LowLevelMouseAllows(message, pt, static_cast<short>(HIWORD(wParam)));
    MOUSEHOOKSTRUCT info{pt, nullptr, HTCLIENT, 0};
    RunHooks(WH_MOUSE, HC_ACTION, message, reinterpret_cast<LPARAM>(&info));
    std::lock_guard lock(system.mutex);
    system.cursor.x = std::clamp<LONG>(pt.x, 0, system.screen.cx - 1);
    system.cursor.y = std::clamp<LONG>(pt.y, 0, system.screen.cy - 1);
    const bool down =
        message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        SetKey(system.asyncKeys, VK_LBUTTON, down);
    } else if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) {
        SetKey(system.asyncKeys, VK_RBUTTON, down);
    } else if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) {
        SetKey(system.asyncKeys, VK_MBUTTON, down);
    }
    // The window holding the capture hears a click on another program as a click outside it,
    // so that a dropped-down list closes; the other program gets its click too.
    if (message != WM_MOUSEMOVE && message != WM_MOUSEWHEEL &&
        system.Find(system.capture) != nullptr) {
        QueueMouse(system, message, 0);
    }
}

void SetDesktopInput(DesktopInput* input) {
    desktop_input = input;
}

std::vector<RecordedInput> TakeRecordedInput() {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    std::vector<RecordedInput> taken;
    taken.swap(system.recorded);
    return taken;
}

std::vector<Hook>::iterator FindHook(WindowSystem& system, HHOOK handle) {
    return std::find_if(system.hooks.begin(), system.hooks.end(),
                        [&](const Hook& h) { return h.handle == handle; });
}

// Calls `hook`, found under `lock`, with the lock released, counting the call so that
// UnhookWindowsHookEx can wait for it.
LRESULT CallHook(std::unique_lock<std::mutex>& lock, Hook& hook, int code, WPARAM wParam,
                 LPARAM lParam) {
    const HHOOK handle = hook.handle;
    const HOOKPROC procedure = hook.procedure;
    ++hook.running;
    lock.unlock();
    running_hooks.push_back(handle);
    const LRESULT result = procedure(code, wParam, lParam);
    running_hooks.pop_back();
    lock.lock();
    WindowSystem& system = WindowSystem::Get();
    if (auto found = FindHook(system, handle); found != system.hooks.end()) {
        --found->running;
        if (found->unhooking) {
            found->unhooking->Wake();
        }
    }
    return result;
}

// The newest hook of `type` for `thread` in [from, to), or `to`.
template <typename Iterator>
Iterator NextHook(Iterator from, Iterator to, int type, DWORD thread) {
    return std::find_if(from, to, [&](const Hook& h) {
        return h.type == type && (h.threadId == 0 || h.threadId == thread) && !h.unhooking;
    });
}

LRESULT RunHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    auto found = NextHook(system.hooks.rbegin(), system.hooks.rend(), type, GetCurrentThreadId());
    if (found == system.hooks.rend()) {
        return 0;
    }
    return CallHook(lock, *found, code, wParam, lParam);
}

LPARAM KeyboardHookParam(LPARAM keyBits, const BYTE* keyState) {
    const std::uint64_t held = (IsDown(keyState, VK_SHIFT) ? 1u : 0u) |
                               (IsDown(keyState, VK_CONTROL) ? 2u : 0u) |
                               (IsDown(keyState, VK_MENU) ? 4u : 0u);
    return static_cast<LPARAM>((static_cast<std::uint64_t>(keyBits) & 0xFFFFFFFF) | held << 32);
}

LRESULT RunHooksEverywhere(int type, WPARAM wParam, LPARAM lParam) {
    const LRESULT local = RunHooks(type, HC_ACTION, wParam, lParam);
    if (local != 0) {
        return local;
    }
    std::function<LRESULT(int, WPARAM, LPARAM)> forward;
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        forward = system.hookRelay.forward;
    }
    if (!forward) {
        return 0;
    }
    const auto [packedW, packedL] = PackHookInput(type, wParam, lParam);
    return forward(type, packedW, packedL);
}

void SetHookRelay(HookRelay relay) {
    {
        WindowSystem& system = WindowSystem::Get();
        std::lock_guard lock(system.mutex);
        system.hookRelay = std::move(relay);
    }
    AnnounceHooks(true);
}

LRESULT RunForeignInputHooks(int type, WPARAM wParam, LPARAM lParam) {
    const DWORD time = static_cast<DWORD>(MonotonicNow().count());
    switch (type) {
        case WH_KEYBOARD:
            return RunHooks(WH_KEYBOARD, HC_ACTION, wParam, lParam);
        case WH_MOUSE: {
            const auto packed = static_cast<std::uint64_t>(lParam);
            MOUSEHOOKSTRUCT info{POINT{static_cast<LONG>(static_cast<std::int32_t>(packed)),
                                       static_cast<LONG>(static_cast<std::int32_t>(packed >> 32))},
                                 nullptr, static_cast<UINT>(wParam >> 32), 0};
            return RunHooks(WH_MOUSE, HC_ACTION, wParam & 0xFFFFFFFF,
                            reinterpret_cast<LPARAM>(&info));
        }
        case WH_KEYBOARD_LL: {
            const auto packed = static_cast<std::uint64_t>(lParam);
            KBDLLHOOKSTRUCT info{static_cast<DWORD>(packed & 0xFF),
                                 static_cast<DWORD>((packed >> 8) & 0xFF),
                                 static_cast<DWORD>((packed >> 16) & 0xFF), time, 0};
            return RunHooks(WH_KEYBOARD_LL, HC_ACTION, wParam, reinterpret_cast<LPARAM>(&info));
        }
        case WH_MOUSE_LL: {
            const auto packed = static_cast<std::uint64_t>(lParam);
            MSLLHOOKSTRUCT info{POINT{static_cast<std::int16_t>(packed & 0xFFFF),
                                      static_cast<std::int16_t>((packed >> 16) & 0xFFFF)},
                                static_cast<DWORD>(packed >> 32), 0, time, 0};
            return RunHooks(WH_MOUSE_LL, HC_ACTION, wParam, reinterpret_cast<LPARAM>(&info));
        }
        default:
            return 0;
    }
}

}  // namespace platform

using platform::WindowSystem;

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    *lpPoint = system.cursor;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    if (platform::DesktopInput* desktop = platform::desktop_input) {
        desktop->MoveCursor(POINT{X, Y});
        return TRUE;
    }
    platform::InjectMouse(0, POINT{X, Y});
    return TRUE;
}

SHORT GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) {
        return 0;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    const BYTE state = queue->keyState[nVirtKey];
    return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255) {
        return 0;
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return static_cast<SHORT>((system.asyncKeys[vKey] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* lpKeyState) {
    if (lpKeyState == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    std::memcpy(lpKeyState, queue->keyState, sizeof(queue->keyState));
    return TRUE;
}

BOOL SetKeyboardState(BYTE* lpKeyState) {
    if (lpKeyState == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    std::memcpy(queue->keyState, lpKeyState, sizeof(queue->keyState));
    return TRUE;
}

UINT GetDoubleClickTime() {
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    return system.doubleClickTime;
}

void mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD dwData, ULONG_PTR) {
    WindowSystem& system = WindowSystem::Get();
    if (platform::DesktopInput* desktop = platform::desktop_input) {
        desktop->Mouse(dwFlags, static_cast<LONG>(dx), static_cast<LONG>(dy), dwData);
    } else {
        POINT target{};
        {
            std::lock_guard lock(system.mutex);
            target = system.cursor;
            if (dwFlags & MOUSEEVENTF_MOVE) {
                if (dwFlags & MOUSEEVENTF_ABSOLUTE) {
                    // Absolute positions are normalised to 0..65535 across the screen.
                    target.x =
                        static_cast<LONG>((std::int64_t{dx & 0xFFFF} * system.screen.cx) >> 16);
                    target.y =
                        static_cast<LONG>((std::int64_t{dy & 0xFFFF} * system.screen.cy) >> 16);
                } else {
                    target.x += static_cast<LONG>(dx);
                    target.y += static_cast<LONG>(dy);
                }
            }
        }
        platform::InjectMouse(dwFlags, target, static_cast<int>(static_cast<LONG>(dwData)));
    }
    std::lock_guard lock(system.mutex);
    platform::RecordedInput record;
    record.kind = platform::RecordedInput::Kind::Mouse;
    record.flags = dwFlags;
    record.dx = static_cast<LONG>(dx);
    record.dy = static_cast<LONG>(dy);
    record.data = dwData;
    record.cursor = system.cursor;
    platform::KeepRecorded(system, record);
}

void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR) {
    if (platform::DesktopInput* desktop = platform::desktop_input) {
        desktop->Key(bVk, bScan, dwFlags);
    } else {
        platform::InjectKey(bVk, (dwFlags & KEYEVENTF_KEYUP) == 0, bScan,
                            (dwFlags & KEYEVENTF_EXTENDEDKEY) != 0);
    }
    WindowSystem& system = WindowSystem::Get();
    std::lock_guard lock(system.mutex);
    platform::RecordedInput record;
    record.kind = platform::RecordedInput::Kind::Key;
    record.flags = dwFlags;
    record.virtualKey = bVk;
    record.scanCode = bScan;
    record.cursor = system.cursor;
    platform::KeepRecorded(system, record);
}

HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    if (idHook != WH_KEYBOARD && idHook != WH_MOUSE && idHook != WH_KEYBOARD_LL &&
        idHook != WH_MOUSE_LL && idHook != WH_CBT) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (lpfn == nullptr) {
        SetLastError(ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    const bool lowLevel = idHook == WH_KEYBOARD_LL || idHook == WH_MOUSE_LL;
    if (dwThreadId == 0 && hmod == nullptr && !lowLevel) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    if (dwThreadId == GetCurrentThreadId()) {
        platform::CurrentQueuePointer();
    }
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    if (dwThreadId != 0 && system.QueueOf(dwThreadId) == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    platform::next_hook_handle += 4;
    const HHOOK handle = reinterpret_cast<HHOOK>(platform::next_hook_handle);
    system.hooks.push_back(platform::Hook{handle, idHook, lpfn, dwThreadId, 0, nullptr});
    lock.unlock();
    platform::AnnounceHooks(false);
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    const auto queue = platform::CurrentQueuePointer();
    WindowSystem& system = WindowSystem::Get();
    {
        std::unique_lock lock(system.mutex);
        auto found = platform::FindHook(system, hhk);
        if (found == system.hooks.end() || found->unhooking) {
            SetLastError(ERROR_INVALID_HOOK_HANDLE);
            return FALSE;
        }
        found->unhooking = queue;
        // Calls on other threads end before the hook's code may go away; those on this thread
        // (a hook that unhooks itself) are below us and end after we return. A call may be
        // sending to this thread meanwhile, so sent messages are handled while waiting.
        const auto own =
            std::count(platform::running_hooks.begin(), platform::running_hooks.end(), hhk);
        auto othersDone = [&] {
            auto hook = platform::FindHook(system, hhk);
            return hook == system.hooks.end() || hook->running <= own;
        };
        while (!othersDone()) {
            platform::RunIncomingSent(lock, *queue);
            queue->wake.wait(lock, [&] { return othersDone() || !queue->incoming.empty(); });
        }
        if (auto hook = platform::FindHook(system, hhk); hook != system.hooks.end()) {
            system.hooks.erase(hook);
        }
    }
    platform::AnnounceHooks(false);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    const HHOOK from = hhk != nullptr                    ? hhk
                       : platform::running_hooks.empty() ? nullptr
                                                         : platform::running_hooks.back();
    WindowSystem& system = WindowSystem::Get();
    std::unique_lock lock(system.mutex);
    auto position = std::find_if(system.hooks.rbegin(), system.hooks.rend(),
                                 [&](const platform::Hook& h) { return h.handle == from; });
    if (position == system.hooks.rend()) {
        return 0;
    }
    auto found =
        platform::NextHook(position + 1, system.hooks.rend(), position->type, GetCurrentThreadId());
    if (found == system.hooks.rend()) {
        return 0;
    }
    return platform::CallHook(lock, *found, nCode, wParam, lParam);
}
