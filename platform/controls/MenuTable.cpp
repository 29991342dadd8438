#include "platform/controls/MenuTable.h"

#include "platform/windows/WindowConstants.h"

namespace platform {

namespace {

// Deeper nesting can only come from a menu inserted into itself; the search stops there.
constexpr int kMaxSearchDepth = 64;

}  // namespace

MenuTable& MenuTable::Get() {
    static MenuTable* table = new MenuTable;
    return *table;
}

HMENU MenuTable::Create(bool popup) {
    const HMENU handle = reinterpret_cast<HMENU>(next_);
    next_ += 4;
    auto data = std::make_unique<MenuData>();
    data->popup = popup;
    menus_.emplace(handle, std::move(data));
    return handle;
}

MenuData* MenuTable::Find(HMENU menu) {
    auto found = menus_.find(menu);
    if (found == menus_.end()) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return nullptr;
    }
    return found->second.get();
}

bool MenuTable::Destroy(HMENU menu) {
    auto found = menus_.find(menu);
    if (found == menus_.end()) {
        return false;
    }
    // Taken out first, so that a menu that holds itself is destroyed once.
    std::unique_ptr<MenuData> data = std::move(found->second);
    menus_.erase(found);
    for (const MenuEntry& entry : data->items) {
        if (entry.subMenu != nullptr) {
            Destroy(entry.subMenu);
        }
    }
    return true;
}

std::vector<MenuEntry> MenuTable::Items(HMENU menu) {
    auto found = menus_.find(menu);
    return found == menus_.end() ? std::vector<MenuEntry>() : found->second->items;
}

bool MenuTable::Locate(HMENU menu, UINT item, bool byPosition, Location& found) {
    MenuData* data = Find(menu);
    if (data == nullptr) {
        return false;
    }
    if (byPosition) {
        if (item >= data->items.size()) {
            return false;
        }
        found = Location{menu, data, item};
        return true;
    }
    return LocateCommand(menu, item, found, 0);
}

bool MenuTable::LocateCommand(HMENU menu, UINT id, Location& found, int depth) {
    auto it = menus_.find(menu);
    if (it == menus_.end() || depth > kMaxSearchDepth) {
        return false;
    }
    MenuData* data = it->second.get();
    for (size_t index = 0; index < data->items.size(); ++index) {
        const MenuEntry& entry = data->items[index];
        if (entry.IsPopup()) {
            if (LocateCommand(entry.subMenu, id, found, depth + 1)) {
                return true;
            }
        }
        if (entry.id == id) {
            found = Location{menu, data, index};
            return true;
        }
    }
    return false;
}

}  // namespace platform
