#include "platform/controls/ToolTipSubclasses.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/controls/ControlSupport.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

// Windows whose procedure a tool tip replaced (TTF_SUBCLASS), with the tips that listen to them.
struct Subclass {
    WNDPROC original = nullptr;
    std::vector<HWND> tips;
};
std::mutex subclassMutex;
std::map<HWND, Subclass> subclasses;

LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Subclass entry;
    {
        std::lock_guard lock(subclassMutex);
        auto found = subclasses.find(hwnd);
        if (found == subclasses.end()) {
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
        entry = found->second;
        if (message == WM_NCDESTROY) {
            subclasses.erase(found);
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.original));
    } else if (IsMouseMessage(message)) {
        for (HWND tip : entry.tips) {
            RelayToToolTip(tip, hwnd, message, wParam, lParam);
        }
    }
    return CallWindowProcA(entry.original, hwnd, message, wParam, lParam);
}

}  // namespace

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

void RelayMouseOf(HWND target, HWND tip) {
    std::lock_guard lock(subclassMutex);
    auto found = subclasses.find(target);
    if (found == subclasses.end()) {
        Subclass entry;
        entry.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(target, GWLP_WNDPROC));
        if (entry.original == nullptr) {
            return;
        }
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure));
        found = subclasses.emplace(target, entry).first;
    }
    found->second.tips.push_back(tip);
}

void StopRelayingMouseOf(HWND target, HWND tip) {
    std::lock_guard lock(subclassMutex);
    auto found = subclasses.find(target);
    if (found == subclasses.end()) {
        return;
    }
    auto& tips = found->second.tips;
    auto at = std::find(tips.begin(), tips.end(), tip);
    if (at != tips.end()) {
        tips.erase(at);
    }
    // Someone may have subclassed the window after us; then our procedure must stay in the chain.
    if (tips.empty() &&
        GetWindowLongPtrA(target, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProcedure)) {
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
        subclasses.erase(found);
    }
}
}  // namespace platform
