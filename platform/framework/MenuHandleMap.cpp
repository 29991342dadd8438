#include "platform/framework/MenuHandleMap.h"

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/framework/Menu.h"

namespace platform {
namespace {

struct PermanentMap {
    std::mutex mutex;
    // Ordered, so that searches over every menu visit them in the order the handles were made.
    std::map<HMENU, CMenu*> objects;
};

PermanentMap& Permanents() {
    static PermanentMap map;
    return map;
}

// A temporary object only borrows its handle.
struct ReleaseTemporary {
    void operator()(CMenu* menu) const {
        menu->m_hMenu = nullptr;
        delete menu;
    }
};

using TemporaryMap = std::unordered_map<HMENU, std::unique_ptr<CMenu, ReleaseTemporary>>;

TemporaryMap& Temporaries() {
    thread_local TemporaryMap map;
    return map;
}

}  // namespace

bool MenuHandleMap::Add(HMENU menu, CMenu* object) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    return map.objects.emplace(menu, object).second;
}

void MenuHandleMap::Remove(HMENU menu) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    map.objects.erase(menu);
}

CMenu* MenuHandleMap::Permanent(HMENU menu) {
    PermanentMap& map = Permanents();
    std::lock_guard lock(map.mutex);
    auto found = map.objects.find(menu);
    return found != map.objects.end() ? found->second : nullptr;
}

CMenu* MenuHandleMap::Temporary(HMENU menu) {
    auto& slot = Temporaries()[menu];
    if (!slot) {
        slot.reset(new CMenu);
        slot->m_hMenu = menu;
    }
    return slot.get();
}

void MenuHandleMap::DeleteTemporaries() {
    Temporaries().clear();
}

CMenu* MenuHandleMap::FindPermanent(const std::function<bool(HMENU)>& visit) {
    std::vector<HMENU> handles;
    {
        PermanentMap& map = Permanents();
        std::lock_guard lock(map.mutex);
        for (const auto& [handle, object] : map.objects) {
            handles.push_back(handle);
        }
    }
    for (HMENU handle : handles) {
        if (visit(handle)) {
            return Permanent(handle);
        }
    }
    return nullptr;
}

}  // namespace platform
