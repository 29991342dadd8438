// The window procedure and class registration every control class shares. A control is an object
// of its own type kept in the window's extra bytes from WM_NCCREATE to WM_NCDESTROY; the procedure
// only creates it, forwards each message to its Handle and deletes it.
#pragma once

#include <type_traits>

#include "platform/windows/WindowApi.h"

namespace platform {

// Registers a control's window class, with room in the extra bytes for the control's object, so
// that every module can create it by name. Returns 0 when the name is already taken.
ATOM RegisterControlClass(LPCSTR name, WNDPROC procedure, UINT style, HBRUSH background = nullptr,
                          HCURSOR cursor = nullptr);

// The procedure of a control class whose object is built from the window, or from the window and
// its CREATESTRUCTA, and answers every message with `LRESULT Handle(UINT, WPARAM, LPARAM)`. The
// object also sees WM_NCCREATE; when it refuses, the failed creation still ends with
// WM_NCDESTROY, which deletes the object after clearing the slot, so that messages arriving later
// go to DefWindowProcA.
template <class Control>
LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create == nullptr) {
            return FALSE;
        }
        Control* made = nullptr;
        if constexpr (std::is_constructible_v<Control, HWND, const CREATESTRUCTA&>) {
            made = new Control(hwnd, *create);
        } else {
            made = new Control(hwnd);
        }
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(made));
        return made->Handle(message, wParam, lParam);
    }
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, 0));
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

}  // namespace platform
