// The framework's own access to menu items, in effect unless another is installed: update-UI
// changes the items through the menu functions, and owner-drawn items are drawn and measured by
// the CMenu object attached to the menu that holds them.
#pragma once

#include "platform/framework/MenuItemAccess.h"

namespace platform {

class MenuObjectAccess : public MenuItemAccess {
public:
    static MenuObjectAccess& Get();

    UINT ItemCount(CMenu* menu) override;
    UINT ItemId(CMenu* menu, UINT index) override;
    void Enable(CMenu* menu, UINT index, bool enable) override;
    void SetCheck(CMenu* menu, UINT index, int nCheck) override;
    void SetRadio(CMenu* menu, UINT index, bool on) override;
    // A text item keeps its id and state; an owner-drawn or bitmap item becomes a text item.
    void SetText(CMenu* menu, UINT index, LPCSTR text) override;
    CMenu* FromHandle(HMENU menu) override;
    // The menu is the one the draw item names.
    bool DrawItem(LPDRAWITEMSTRUCT item) override;
    // The measure item names no menu: the menu is the attached one that holds an owner-drawn
    // item with the same id and item data, looking first at menus with older handles.
    bool MeasureItem(LPMEASUREITEMSTRUCT item) override;
};

}  // namespace platform
