#include "platform/controls/TreeView.h"

#include "platform/controls/TreeViewControl.h"
#include "platform/controls/ViewSupport.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::views {
namespace {

LRESULT CALLBACK TreeViewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new TreeViewControl(hwnd)));
    }
    TreeViewControl* control = ControlOf<TreeViewControl>(hwnd);
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

void RegisterTreeViewClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS | CS_GLOBALCLASS;
        windowClass.lpfnWndProc = views::TreeViewProcedure;
        windowClass.cbWndExtra = sizeof(void*);
        windowClass.lpszClassName = WC_TREEVIEWA;
        return RegisterSystemClass(windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace platform
