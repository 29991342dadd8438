#include "platform/framework/AcceleratorApi.h"

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowApi.h"

namespace {

struct AcceleratorTables {
    std::mutex mutex;
    std::map<HACCEL, std::vector<platform::AcceleratorEntry>> tables;
    ULONG_PTR next = 0x4A000;
};

AcceleratorTables& Tables() {
    static AcceleratorTables tables;
    return tables;
}

bool KeyDown(int virtualKey) {
    return ::GetKeyState(virtualKey) < 0;
}

bool Matches(const platform::AcceleratorEntry& entry, const MSG& msg) {
    const bool alt = (entry.fVirt & FALT) != 0;
    if (entry.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
            return false;
        }
        return entry.key == msg.wParam && KeyDown(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) &&
               KeyDown(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) && KeyDown(VK_MENU) == alt;
    }
    if (msg.message == WM_CHAR) {
        return !alt && entry.key == msg.wParam;
    }
    if (msg.message == WM_SYSCHAR) {
        return alt && entry.key == msg.wParam;
    }
    return false;
}

}  // namespace

HACCEL LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
    std::optional<std::vector<platform::AcceleratorEntry>> entries =
        platform::LoadAcceleratorEntries(hInstance, lpTableName);
    if (!entries) {
        return nullptr;
    }
    AcceleratorTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    auto handle = reinterpret_cast<HACCEL>(tables.next++);
    tables.tables.emplace(handle, std::move(*entries));
    return handle;
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
    AcceleratorTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    return tables.tables.erase(hAccel) != 0;
}

int TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    if (hWnd == nullptr || lpMsg == nullptr) {
        return 0;
    }
    std::optional<WORD> command;
    {
        AcceleratorTables& tables = Tables();
        std::lock_guard lock(tables.mutex);
        auto found = tables.tables.find(hAccTable);
        if (found == tables.tables.end()) {
            return 0;
        }
        for (const platform::AcceleratorEntry& entry : found->second) {
            if (Matches(entry, *lpMsg)) {
                command = entry.cmd;
                break;
            }
        }
    }
    if (!command) {
        return 0;
    }
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(*command, 1), 0);
    return 1;
}
