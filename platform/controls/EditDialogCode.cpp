#include "platform/controls/EditDialogCode.h"

#include "platform/controls/Edit.h"
#include "platform/windows/WindowConstants.h"

namespace platform {

LRESULT EditDialogCode(DWORD style, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!(style & ES_MULTILINE)) {
        return code;
    }
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg == nullptr) {
        return (style & ES_WANTRETURN) ? code | DLGC_WANTALLKEYS : code;
    }
    code |= DLGC_WANTALLKEYS;
    if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
        const WPARAM key = msg->wParam;
        const bool enter = key == VK_RETURN;
        if (key == VK_ESCAPE || key == VK_TAB || (enter && !(style & ES_WANTRETURN))) {
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        }
    }
    return code;
}

}  // namespace platform
