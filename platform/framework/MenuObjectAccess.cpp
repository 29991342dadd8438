#include "platform/framework/MenuObjectAccess.h"

#include "platform/framework/Menu.h"
#include "platform/framework/MenuHandleMap.h"

namespace platform {
namespace {

bool HoldsOwnerDrawnItem(HMENU menu, UINT id, ULONG_PTR data) {
    const int count = ::GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        if (::GetMenuItemInfoA(menu, static_cast<UINT>(index), TRUE, &info) &&
            (info.fType & MFT_OWNERDRAW) != 0 && info.wID == id && info.dwItemData == data) {
            return true;
        }
    }
    return false;
}

}  // namespace

MenuObjectAccess& MenuObjectAccess::Get() {
    static MenuObjectAccess access;
    return access;
}

UINT MenuObjectAccess::ItemCount(CMenu* menu) {
    const int count = ::GetMenuItemCount(menu->m_hMenu);
    return count < 0 ? 0 : static_cast<UINT>(count);
}

UINT MenuObjectAccess::ItemId(CMenu* menu, UINT index) {
    return ::GetMenuItemID(menu->m_hMenu, static_cast<int>(index));
}

void MenuObjectAccess::Enable(CMenu* menu, UINT index, bool enable) {
    ::EnableMenuItem(menu->m_hMenu, index, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void MenuObjectAccess::SetCheck(CMenu* menu, UINT index, int nCheck) {
    ::CheckMenuItem(menu->m_hMenu, index,
                    MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void MenuObjectAccess::SetRadio(CMenu* menu, UINT index, bool on) {
    if (on) {
        ::CheckMenuRadioItem(menu->m_hMenu, index, index, index, MF_BYPOSITION);
    } else {
        ::CheckMenuItem(menu->m_hMenu, index, MF_BYPOSITION | MF_UNCHECKED);
    }
}

void MenuObjectAccess::SetText(CMenu* menu, UINT index, LPCSTR text) {
    const UINT state = ::GetMenuState(menu->m_hMenu, index, MF_BYPOSITION);
    if (state == static_cast<UINT>(-1)) {
        return;
    }
    const UINT kept = state & ~static_cast<UINT>(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
    ::ModifyMenuA(menu->m_hMenu, index, MF_BYPOSITION | MF_STRING | kept,
                  ::GetMenuItemID(menu->m_hMenu, static_cast<int>(index)), text);
}

CMenu* MenuObjectAccess::FromHandle(HMENU menu) {
    return CMenu::FromHandle(menu);
}

bool MenuObjectAccess::DrawItem(LPDRAWITEMSTRUCT item) {
    CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem));
    if (menu == nullptr) {
        return false;
    }
    menu->DrawItem(item);
    return true;
}

bool MenuObjectAccess::MeasureItem(LPMEASUREITEMSTRUCT item) {
    const UINT id = item->itemID;
    const ULONG_PTR data = item->itemData;
    CMenu* menu = MenuHandleMap::FindPermanent(
        [id, data](HMENU handle) { return HoldsOwnerDrawnItem(handle, id, data); });
    if (menu == nullptr) {
        return false;
    }
    menu->MeasureItem(item);
    return true;
}

}  // namespace platform
