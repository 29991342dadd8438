// What the framework needs of menus for update-UI and for owner-drawn menu items. The framework's
// menu objects provide it (MenuObjectAccess) unless another access is installed.
#pragma once

#include "platform/windows/WindowStructs.h"

class CMenu;

namespace platform {

class MenuItemAccess {
public:
    virtual ~MenuItemAccess() = default;
    virtual UINT ItemCount(CMenu* menu) = 0;
    // The command id at `index`: 0 for a separator, (UINT)-1 for a pop-up.
    virtual UINT ItemId(CMenu* menu, UINT index) = 0;
    virtual void Enable(CMenu* menu, UINT index, bool enable) = 0;
    // nCheck 0 clears, 1 checks, 2 shows the indeterminate state.
    virtual void SetCheck(CMenu* menu, UINT index, int nCheck) = 0;
    virtual void SetRadio(CMenu* menu, UINT index, bool on) = 0;
    virtual void SetText(CMenu* menu, UINT index, LPCSTR text) = 0;
    // The menu object of a pop-up handle, for WM_INITMENUPOPUP.
    virtual CMenu* FromHandle(HMENU menu) = 0;
    // Owner-drawn items: true when the item's menu object drew or measured it.
    virtual bool DrawItem(LPDRAWITEMSTRUCT item) = 0;
    virtual bool MeasureItem(LPMEASUREITEMSTRUCT item) = 0;
};

// The access is not owned; null restores the framework's own.
void SetMenuItemAccess(MenuItemAccess* access);
MenuItemAccess* GetMenuItemAccess();

}  // namespace platform
