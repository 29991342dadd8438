#include "platform/framework/MenuHandleMap.h"

#include "platform/framework/HandleMap.h"
#include "platform/framework/Menu.h"

namespace platform {
namespace {

using Menus = HandleMap<HMENU, CMenu, &CMenu::m_hMenu>;

}  // namespace

bool MenuHandleMap::Add(HMENU menu, CMenu* object) {
    return Menus::Add(menu, object);
}

void MenuHandleMap::Remove(HMENU menu) {
    Menus::Remove(menu);
}

CMenu* MenuHandleMap::Permanent(HMENU menu) {
    return Menus::Permanent(menu);
}

CMenu* MenuHandleMap::Temporary(HMENU menu) {
    return Menus::Temporary(menu);
}

void MenuHandleMap::DeleteTemporaries() {
    Menus::DeleteTemporaries();
}

CMenu* MenuHandleMap::FindPermanent(const std::function<bool(HMENU)>& visit) {
    for (HMENU handle : Menus::PermanentHandles()) {
        if (visit(handle)) {
            return Permanent(handle);
        }
    }
    return nullptr;
}

}  // namespace platform
