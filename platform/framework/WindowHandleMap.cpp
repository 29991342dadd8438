#include "platform/framework/WindowHandleMap.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/framework/Wnd.h"

namespace platform {
namespace {

struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HWND, CWnd*> objects;
};

PermanentMap& Permanents() {
    static PermanentMap map;
    return map;
}

// A temporary object only borrows its handle.
struct ReleaseTemporary {
    void operator()(CWnd* window) const {
        window->m_hWnd = nullptr;
        delete window;
    }
};

using TemporaryMap = std::unordered_map<HWND, std::unique_ptr<CWnd, ReleaseTemporary>>;

TemporaryMap& Temporaries() {
    thread_local TemporaryMap map;
    return map;
}

}  // namespace

bool WindowHandleMap::Add(HWND hwnd, CWnd* window) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    return map.objects.emplace(hwnd, window).second;
}

void WindowHandleMap::Remove(HWND hwnd) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    map.objects.erase(hwnd);
}

CWnd* WindowHandleMap::Permanent(HWND hwnd) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    auto found = map.objects.find(hwnd);
    return found != map.objects.end() ? found->second : nullptr;
}

CWnd* WindowHandleMap::Temporary(HWND hwnd) {
    auto& slot = Temporaries()[hwnd];
    if (!slot) {
        slot.reset(new CWnd);
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

void WindowHandleMap::DeleteTemporaries() {
    Temporaries().clear();
}

}  // namespace platform
