#include "platform/controls/ListBox.h"

#include <mutex>

#include "platform/controls/ListBoxControl.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

LRESULT CALLBACK ListBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<ListBoxControl*>(GetWindowLongPtrA(hwnd, 0));
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create == nullptr) {
            return FALSE;
        }
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new ListBoxControl(hwnd, *create)));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete control;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (control == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return control->Handle(message, wParam, lParam);
}

void RegisterListBoxClass() {
    InstallWindowScrollBars();
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = ListBoxProcedure;
        windowClass.cbWndExtra = sizeof(ListBoxControl*);
        windowClass.lpszClassName = "ListBox";
        RegisterSystemClass(windowClass);
    });
}

}  // namespace platform
