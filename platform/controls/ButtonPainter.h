// The plain look of the buttons that draw themselves: raised push buttons, check boxes, radio
// buttons and etched group boxes in the system colours. Before drawing it asks the parent for
// colours with WM_CTLCOLORBTN (push buttons) or WM_CTLCOLORSTATIC (the others).
#pragma once

#include <string>

#include "platform/drawing/Gdi.h"
#include "platform/windows/WindowStructs.h"

namespace platform {

struct ButtonLook {
    DWORD style = 0;
    // BST_ flags: the check state, BST_PUSHED and BST_FOCUS.
    UINT state = 0;
    bool enabled = true;
    bool isDefault = false;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    std::string text;
};

void PaintButton(HWND hwnd, HDC dc, const ButtonLook& look);

}  // namespace platform
