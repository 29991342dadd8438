#include "platform/framework/MenuItemAccess.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<MenuItemAccess*> installed{nullptr};

}  // namespace

void SetMenuItemAccess(MenuItemAccess* access) {
    installed = access;
}

MenuItemAccess* GetMenuItemAccess() {
    return installed;
}

}  // namespace platform
