#include "platform/controls/RichEdit.h"

#include "platform/controls/RichEditControl.h"
#include "platform/controls/ViewSupport.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::views {
namespace {

LRESULT CALLBACK RichEditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new RichEditControl(hwnd)));
    }
    RichEditControl* control = ControlOf<RichEditControl>(hwnd);
    if (control == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete control;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return control->Handle(message, wParam, lParam);
}

}  // namespace
}  // namespace platform::views

namespace platform {

void RegisterRichEditClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS | CS_GLOBALCLASS;
        windowClass.lpfnWndProc = views::RichEditProcedure;
        windowClass.cbWndExtra = sizeof(void*);
        windowClass.lpszClassName = RICHEDIT_CLASS10A;
        bool ok = RegisterSystemClass(windowClass) != 0;
        windowClass.lpszClassName = RICHEDIT_CLASSA;
        ok = RegisterSystemClass(windowClass) != 0 && ok;
        return ok;
    }();
    (void)registered;
}

}  // namespace platform
