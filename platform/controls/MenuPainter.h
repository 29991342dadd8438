// The plain look of menus in the menu colours: a raised frame around a pop-up, the selected item
// in the highlight colour, grayed text, check marks and radio dots, separators, the sub-menu
// arrow, accelerators right of the text and the default item in bold. Owner-drawn items are drawn
// by the owner window through WM_DRAWITEM.
#pragma once

#include "platform/controls/MenuTable.h"

namespace platform {

struct MenuItemPaint {
    HMENU menu = nullptr;
    const MenuEntry* entry = nullptr;
    RECT rect{};
    bool selected = false;
    // Where the accelerator starts, relative to the item; 0 for none.
    int acceleratorOffset = 0;
    // ODA_DRAWENTIRE, or ODA_SELECT when only the selection changed.
    UINT action = ODA_DRAWENTIRE;
    bool inMenuBar = false;
    HWND owner = nullptr;
};

void PaintPopupFrame(HDC dc, SIZE size);
void PaintMenuItem(HDC dc, const MenuItemPaint& item);

}  // namespace platform
