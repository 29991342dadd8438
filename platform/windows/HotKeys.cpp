// RegisterHotKey and UnregisterHotKey, and the hot keys' part of key input.

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "platform/threads/ThreadApi.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowInternals.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

constexpr UINT kModifierKeys = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

struct HotKey {
    HWND hwnd = nullptr;
    // The registering thread, which gets WM_HOTKEY when there is no window.
    DWORD thread = 0;
    int id = 0;
    UINT modifiers = 0;
    UINT virtualKey = 0;
    bool noRepeat = false;
};

struct HotKeyTable {
    std::mutex mutex;
    std::vector<HotKey> keys;
};

HotKeyTable& Table() {
    static HotKeyTable* table = new HotKeyTable;
    return *table;
}

std::atomic<DesktopHotKeys*> desktop_hot_keys = nullptr;

bool IsDownIn(const BYTE* state, BYTE key) {
    return (state[key] & 0x80) != 0;
}

}  // namespace

void SetDesktopHotKeys(DesktopHotKeys* hotKeys) {
    desktop_hot_keys = hotKeys;
}

bool PressHotKey(UINT modifiers, UINT virtualKey, bool repeated) {
    HotKey found;
    {
        HotKeyTable& table = Table();
        std::lock_guard lock(table.mutex);
        auto key = std::find_if(table.keys.begin(), table.keys.end(), [&](const HotKey& key) {
            return key.modifiers == modifiers && key.virtualKey == virtualKey;
        });
        if (key == table.keys.end()) {
            return false;
        }
        found = *key;
    }
    if (repeated && found.noRepeat) {
        return true;
    }
    const LPARAM lParam = MAKELPARAM(modifiers, virtualKey);
    if (found.hwnd != nullptr) {
        PostMessageA(found.hwnd, WM_HOTKEY, static_cast<WPARAM>(found.id), lParam);
    } else {
        PostThreadMessageA(found.thread, WM_HOTKEY, static_cast<WPARAM>(found.id), lParam);
    }
    return true;
}

bool PressHotKeyFromKeyState(BYTE virtualKey, const BYTE* keyState, bool repeated) {
    UINT modifiers = 0;
    if (IsDownIn(keyState, VK_MENU)) {
        modifiers |= MOD_ALT;
    }
    if (IsDownIn(keyState, VK_CONTROL)) {
        modifiers |= MOD_CONTROL;
    }
    if (IsDownIn(keyState, VK_SHIFT)) {
        modifiers |= MOD_SHIFT;
    }
    if (IsDownIn(keyState, VK_LWIN) || IsDownIn(keyState, VK_RWIN)) {
        modifiers |= MOD_WIN;
    }
    return PressHotKey(modifiers, virtualKey, repeated);
}

void ForgetHotKeysOf(HWND hwnd) {
    HotKeyTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto ends = std::stable_partition(table.keys.begin(), table.keys.end(),
                                      [&](const HotKey& key) { return key.hwnd != hwnd; });
    if (DesktopHotKeys* desktop = desktop_hot_keys) {
        for (auto key = ends; key != table.keys.end(); ++key) {
            desktop->Release(key->modifiers, key->virtualKey);
        }
    }
    table.keys.erase(ends, table.keys.end());
}

}  // namespace platform

BOOL RegisterHotKey(HWND hWnd, int id, UINT fsModifiers, UINT vk) {
    if (hWnd != nullptr) {
        if (!IsWindow(hWnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (GetWindowThreadProcessId(hWnd, nullptr) != GetCurrentThreadId()) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return FALSE;
        }
    }
    const UINT modifiers = fsModifiers & platform::kModifierKeys;
    if (vk == 0 || vk > 0xFE || (fsModifiers & ~(platform::kModifierKeys | MOD_NOREPEAT)) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::HotKeyTable& table = platform::Table();
    std::lock_guard lock(table.mutex);
    const bool taken =
        std::any_of(table.keys.begin(), table.keys.end(), [&](const platform::HotKey& key) {
            return (key.modifiers == modifiers && key.virtualKey == vk) ||
                   (hWnd != nullptr && key.hwnd == hWnd && key.id == id);
        });
    platform::DesktopHotKeys* desktop = platform::desktop_hot_keys;
    if (taken || (desktop != nullptr && !desktop->Grab(modifiers, vk))) {
        SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
        return FALSE;
    }
    table.keys.push_back(platform::HotKey{hWnd, GetCurrentThreadId(), id, modifiers, vk,
                                          (fsModifiers & MOD_NOREPEAT) != 0});
    return TRUE;
}

BOOL UnregisterHotKey(HWND hWnd, int id) {
    platform::HotKeyTable& table = platform::Table();
    std::lock_guard lock(table.mutex);
    auto key = std::find_if(table.keys.begin(), table.keys.end(), [&](const platform::HotKey& key) {
        return key.hwnd == hWnd && key.id == id &&
               (hWnd != nullptr || key.thread == GetCurrentThreadId());
    });
    if (key == table.keys.end()) {
        SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
        return FALSE;
    }
    if (platform::DesktopHotKeys* desktop = platform::desktop_hot_keys) {
        desktop->Release(key->modifiers, key->virtualKey);
    }
    table.keys.erase(key);
    return TRUE;
}
