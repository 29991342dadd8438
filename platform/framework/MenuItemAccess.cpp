#include "platform/framework/MenuItemAccess.h"

#include <atomic>

#include "platform/framework/MenuObjectAccess.h"

namespace platform {
namespace {

std::atomic<MenuItemAccess*> installed{nullptr};

}  // namespace

void SetMenuItemAccess(MenuItemAccess* access) {
    installed = access;
}

MenuItemAccess* GetMenuItemAccess() {
    MenuItemAccess* access = installed;
    return access != nullptr ? access : &MenuObjectAccess::Get();
}

}  // namespace platform
