#include "platform/framework/SafeOwner.h"

#include "platform/framework/WinApp.h"
#include "platform/windows/WindowApi.h"

namespace platform {

HWND SafeOwnerWindow(HWND parent) {
    HWND owner = parent;
    if (owner == nullptr) {
        owner = ::GetActiveWindow();
    }
    if (owner == nullptr) {
        owner = AfxHwndOf(AfxGetMainWnd());
    }
    if (owner != nullptr && !::IsWindow(owner)) {
        return nullptr;
    }
    while (owner != nullptr && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0) {
        owner = ::GetParent(owner);
    }
    return owner;
}

}  // namespace platform
