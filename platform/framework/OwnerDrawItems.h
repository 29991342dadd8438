// The owner-draw messages a parent reflects to a list-like control (list box, combo box): each
// reaches the control's DrawItem, MeasureItem, CompareItem or DeleteItem.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

// False for any other message. *pResult is CompareItem's answer, TRUE otherwise.
template <typename Control>
bool ReflectOwnerDrawItem(Control& control, UINT message, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = TRUE;
    switch (message) {
        case WM_DRAWITEM:
            control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            break;
        case WM_MEASUREITEM:
            control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            break;
        case WM_COMPAREITEM:
            result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
            break;
        case WM_DELETEITEM:
            control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
            break;
        default:
            return false;
    }
    if (pResult != nullptr) {
        *pResult = result;
    }
    return true;
}

}  // namespace platform
