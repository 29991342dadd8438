#include "platform/controls/ComboBox.h"

#include <mutex>

#include "platform/controls/ComboBoxControl.h"
#include "platform/controls/ComboList.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {

namespace {

LRESULT CALLBACK ComboBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<ComboBoxControl*>(GetWindowLongPtrA(hwnd, 0));
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create == nullptr) {
            return FALSE;
        }
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new ComboBoxControl(hwnd, *create)));
        // The scroll bar styles are meant for the list; the field itself never shows a bar.
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
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

}  // namespace

void RegisterComboBoxClass() {
    RegisterComboListClass();
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = ComboBoxProcedure;
        windowClass.cbWndExtra = sizeof(ComboBoxControl*);
        windowClass.lpszClassName = "ComboBox";
        RegisterSystemClass(windowClass);
    });
}

}  // namespace platform
