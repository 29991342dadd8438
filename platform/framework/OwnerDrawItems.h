// The owner-draw messages a parent reflects to its controls: WM_DRAWITEM reaches the control's
// DrawItem; list-like controls (list box, combo box) also get MeasureItem, CompareItem and
// DeleteItem.
#pragma once

#include "platform/windows/WindowStructs.h"

namespace platform {

// False for any other message than WM_DRAWITEM; *pResult is TRUE.
template <typename Control>
bool ReflectDrawItem(Control& control, UINT message, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) {
        return false;
    }
    control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr) {
        *pResult = TRUE;
    }
    return true;
}

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
