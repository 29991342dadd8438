#include "platform/controls/Menu.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/MenuBar.h"
#include "platform/controls/MenuTable.h"
#include "platform/controls/PopupMenu.h"
#include "platform/resources/ResourceApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
constexpr UINT kTypeBits = MF_BITMAP | MF_MENUBARBREAK | MF_MENUBREAK | MF_OWNERDRAW |
                           MF_SEPARATOR | MF_RIGHTJUSTIFY | MFT_RADIOCHECK | MFT_RIGHTORDER;

// An item as the MF_ flags and the two parameters of AppendMenu, InsertMenu and ModifyMenu
// describe it. The table's lock is held.
bool EntryFromFlags(MenuTable& table, UINT flags, UINT_PTR idOrMenu, LPCSTR newItem,
                    MenuEntry& entry) {
    entry = MenuEntry{};
    entry.type = flags & kTypeBits;
    entry.state = flags & kStateBits;
    if (flags & MF_POPUP) {
        const auto sub = reinterpret_cast<HMENU>(idOrMenu);
        if (table.Find(sub) == nullptr) {
            return false;
        }
        entry.subMenu = sub;
    }
    entry.id = static_cast<UINT>(idOrMenu);
    if (entry.IsSeparator()) {
        entry.id = 0;
        entry.subMenu = nullptr;
    } else if (entry.IsOwnerDrawn()) {
        entry.data = reinterpret_cast<ULONG_PTR>(newItem);
    } else if (entry.type & MF_BITMAP) {
        entry.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    } else if (newItem != nullptr) {
        entry.text = newItem;
    }
    return true;
}

bool InsertEntry(HMENU menu, UINT position, bool byPosition, MenuEntry entry) {
    MenuTable& table = MenuTable::Get();
    MenuData* data = table.Find(menu);
    if (data == nullptr) {
        return false;
    }
    if (byPosition) {
        const size_t at = std::min<size_t>(position, data->items.size());
        data->items.insert(data->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
        return true;
    }
    MenuTable::Location found;
    if (!table.Locate(menu, position, false, found)) {
        return false;
    }
    found.data->items.insert(found.data->items.begin() + static_cast<std::ptrdiff_t>(found.index),
                             std::move(entry));
    return true;
}

bool TakeOut(HMENU menu, UINT position, UINT flags, bool destroyPopup) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(menu, position, (flags & MF_BYPOSITION) != 0, found)) {
        return false;
    }
    const HMENU sub = found.entry().subMenu;
    found.data->items.erase(found.data->items.begin() + static_cast<std::ptrdiff_t>(found.index));
    if (destroyPopup && sub != nullptr) {
        table.Destroy(sub);
    }
    return true;
}

HMENU Build(MenuTable& table, const std::vector<MenuItem>& items, bool popup) {
    const HMENU menu = table.Create(popup);
    for (const MenuItem& item : items) {
        MenuEntry entry;
        entry.type = item.flags & kTypeBits;
        entry.state = item.flags & kStateBits;
        entry.id = item.id;
        entry.text = item.text;
        if (item.flags & MF_POPUP) {
            entry.subMenu = Build(table, item.children, true);
            entry.id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(entry.subMenu));
        } else if (entry.IsSeparator()) {
            entry.text.clear();
        }
        table.Find(menu)->items.push_back(std::move(entry));
    }
    return menu;
}

void CopyText(const std::string& text, LPSTR buffer, size_t capacity) {
    const size_t length = CutAtCharBoundary(text, capacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

bool HasText(const MenuEntry& entry) {
    return !entry.IsOwnerDrawn() && !entry.IsSeparator() && (entry.type & MF_BITMAP) == 0;
}

}  // namespace

HMENU CreateMenuFromTemplate(const MenuTemplate& menuTemplate, bool popup) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return Build(table, menuTemplate.items, popup);
}

int LiveMenuCount() {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return table.LiveCount();
}

}  // namespace platform

using platform::MenuEntry;
using platform::MenuTable;

HMENU CreateMenu() {
    platform::RegisterPopupMenuClass();
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return table.Create(false);
}

HMENU CreatePopupMenu() {
    platform::RegisterPopupMenuClass();
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return table.Create(true);
}

BOOL DestroyMenu(HMENU hMenu) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    if (!table.Destroy(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL IsMenu(HMENU hMenu) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return table.Find(hMenu) != nullptr;
}

HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    std::optional<platform::MenuTemplate> menu = platform::LoadMenuTemplate(hInstance, lpMenuName);
    if (!menu) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return LoadMenuIndirectA(&*menu);
}

HMENU LoadMenuIndirectA(const MENUTEMPLATEA* lpMenuTemplate) {
    if (lpMenuTemplate == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    platform::RegisterPopupMenuClass();
    return platform::CreateMenuFromTemplate(*lpMenuTemplate, false);
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    return InsertMenuA(hMenu, static_cast<UINT>(-1), uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuEntry entry;
    if (!platform::EntryFromFlags(table, uFlags, uIDNewItem, lpNewItem, entry)) {
        return FALSE;
    }
    return platform::InsertEntry(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, std::move(entry));
}

BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    MenuEntry entry;
    if (!table.Locate(hMnu, uPosition, (uFlags & MF_BYPOSITION) != 0, found) ||
        !platform::EntryFromFlags(table, uFlags, uIDNewItem, lpNewItem, entry)) {
        return FALSE;
    }
    const HMENU old = found.entry().subMenu;
    found.entry() = std::move(entry);
    if (old != nullptr && old != found.entry().subMenu) {
        table.Destroy(old);
    }
    return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return platform::TakeOut(hMenu, uPosition, uFlags, false);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return platform::TakeOut(hMenu, uPosition, uFlags, true);
}

namespace platform {

namespace {

// Applies the parts of `info` its mask names. The table's lock is held.
bool ApplyItemInfo(MenuTable& table, const MENUITEMINFOA& info, MenuEntry& entry) {
    if (info.cbSize < sizeof(MENUITEMINFOA) - sizeof(HBITMAP)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if ((info.fMask & MIIM_SUBMENU) && info.hSubMenu != nullptr &&
        table.Find(info.hSubMenu) == nullptr) {
        return false;
    }
    if (info.fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        entry.type = info.fType & kTypeBits;
    }
    if (info.fMask & MIIM_STATE) {
        entry.state = info.fState & kStateBits;
    }
    if (info.fMask & MIIM_ID) {
        entry.id = info.wID;
    }
    if (info.fMask & MIIM_SUBMENU) {
        entry.subMenu = info.hSubMenu;
    }
    if (info.fMask & MIIM_DATA) {
        entry.data = info.dwItemData;
    }
    if (info.fMask & MIIM_BITMAP) {
        entry.bitmap = info.hbmpItem;
    }
    const bool textType = (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)) == 0;
    if ((info.fMask & MIIM_STRING) || ((info.fMask & MIIM_TYPE) && textType)) {
        entry.text = info.dwTypeData != nullptr ? info.dwTypeData : "";
    }
    if ((info.fMask & MIIM_TYPE) && (info.fType & MFT_BITMAP)) {
        entry.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    }
    return true;
}

}  // namespace

}  // namespace platform

BOOL InsertMenuItemA(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi) {
    if (lpmi == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuEntry entry;
    if (!platform::ApplyItemInfo(table, *lpmi, entry)) {
        return FALSE;
    }
    return platform::InsertEntry(hmenu, item, fByPosition != FALSE, std::move(entry));
}

BOOL GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    if (lpmii == nullptr || lpmii->cbSize < sizeof(MENUITEMINFOA) - sizeof(HBITMAP)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hmenu, item, fByPosition != FALSE, found)) {
        return FALSE;
    }
    const MenuEntry& entry = found.entry();
    MENUITEMINFOA& info = *lpmii;
    if (info.fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        info.fType = entry.type;
    }
    if (info.fMask & MIIM_STATE) {
        info.fState = entry.state;
    }
    if (info.fMask & MIIM_ID) {
        info.wID = entry.id;
    }
    if (info.fMask & MIIM_SUBMENU) {
        info.hSubMenu = entry.subMenu;
    }
    if (info.fMask & MIIM_DATA) {
        info.dwItemData = entry.data;
    }
    if (info.fMask & MIIM_BITMAP) {
        info.hbmpItem = entry.bitmap;
    }
    if (info.fMask & MIIM_CHECKMARKS) {
        info.hbmpChecked = nullptr;
        info.hbmpUnchecked = nullptr;
    }
    if (info.fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (!platform::HasText(entry)) {
            info.cch = 0;
        } else if (info.dwTypeData == nullptr || info.cch == 0) {
            info.cch = static_cast<UINT>(entry.text.size());
        } else {
            platform::CopyText(entry.text, info.dwTypeData, info.cch);
            info.cch = static_cast<UINT>(std::strlen(info.dwTypeData));
        }
    }
    return TRUE;
}

BOOL SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    if (lpmii == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hmenu, item, fByPositon != FALSE, found)) {
        return FALSE;
    }
    MenuEntry changed = found.entry();
    if (!platform::ApplyItemInfo(table, *lpmii, changed)) {
        return FALSE;
    }
    const HMENU old = found.entry().subMenu;
    found.entry() = std::move(changed);
    if (old != nullptr && old != found.entry().subMenu) {
        table.Destroy(old);
    }
    return TRUE;
}

int GetMenuItemCount(HMENU hMenu) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    const platform::MenuData* data = table.Find(hMenu);
    return data == nullptr ? -1 : static_cast<int>(data->items.size());
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (nPos < 0 || !table.Locate(hMenu, static_cast<UINT>(nPos), true, found) ||
        found.entry().IsPopup()) {
        return static_cast<UINT>(-1);
    }
    return found.entry().id;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (nPos < 0 || !table.Locate(hMenu, static_cast<UINT>(nPos), true, found)) {
        return nullptr;
    }
    return found.entry().subMenu;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int nMaxCount, UINT uFlag) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hMenu, uIDItem, (uFlag & MF_BYPOSITION) != 0, found)) {
        if (lpString != nullptr && nMaxCount > 0) {
            lpString[0] = '\0';
        }
        return 0;
    }
    const MenuEntry& entry = found.entry();
    const std::string text = platform::HasText(entry) ? entry.text : std::string();
    if (lpString == nullptr) {
        return static_cast<int>(text.size());
    }
    if (nMaxCount <= 0) {
        return 0;
    }
    platform::CopyText(text, lpString, static_cast<size_t>(nMaxCount));
    return static_cast<int>(std::strlen(lpString));
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hMenu, uId, (uFlags & MF_BYPOSITION) != 0, found)) {
        return static_cast<UINT>(-1);
    }
    const MenuEntry& entry = found.entry();
    if (entry.IsPopup()) {
        const platform::MenuData* sub = table.Find(entry.subMenu);
        const UINT count = sub == nullptr ? 0 : static_cast<UINT>(sub->items.size());
        return ((count & 0xFF) << 8) | (entry.Flags() & 0xFF);
    }
    return entry.Flags();
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hMenu, uIDCheckItem, (uCheck & MF_BYPOSITION) != 0, found)) {
        return static_cast<DWORD>(-1);
    }
    UINT& state = found.entry().state;
    const DWORD previous = state & MF_CHECKED;
    state = (state & ~static_cast<UINT>(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    MenuTable::Location found;
    if (!table.Locate(hMenu, uIDEnableItem, (uEnable & MF_BYPOSITION) != 0, found)) {
        return -1;
    }
    UINT& state = found.entry().state;
    const UINT previous = state & (MF_GRAYED | MF_DISABLED);
    state = (state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) |
            (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    MenuTable::Location found;
    if (first > last || check < first || check > last ||
        !table.Locate(hmenu, check, byPosition, found)) {
        return FALSE;
    }
    for (size_t index = 0; index < found.data->items.size(); ++index) {
        MenuEntry& entry = found.data->items[index];
        const UINT key = byPosition ? static_cast<UINT>(index) : entry.id;
        if (entry.IsPopup() || entry.IsSeparator() || key < first || key > last) {
            continue;
        }
        if (index == found.index) {
            entry.state |= MF_CHECKED;
            entry.type |= MFT_RADIOCHECK;
        } else {
            entry.state &= ~static_cast<UINT>(MF_CHECKED);
        }
    }
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    platform::MenuData* data = table.Find(hMenu);
    if (data == nullptr) {
        return FALSE;
    }
    size_t chosen = data->items.size();
    if (uItem != static_cast<UINT>(-1)) {
        for (size_t index = 0; index < data->items.size(); ++index) {
            const bool matches =
                fByPos ? index == uItem
                       : data->items[index].id == uItem && !data->items[index].IsSeparator();
            if (matches) {
                chosen = index;
                break;
            }
        }
        if (chosen == data->items.size()) {
            return FALSE;
        }
    }
    for (size_t index = 0; index < data->items.size(); ++index) {
        UINT& state = data->items[index].state;
        state = index == chosen ? state | MF_DEFAULT : state & ~static_cast<UINT>(MF_DEFAULT);
    }
    return TRUE;
}

namespace platform {

namespace {

UINT DefaultItemOf(MenuTable& table, HMENU menu, bool byPosition, UINT flags, int depth) {
    const MenuData* data = table.Find(menu);
    if (data == nullptr || depth > 16) {
        return static_cast<UINT>(-1);
    }
    for (size_t index = 0; index < data->items.size(); ++index) {
        const MenuEntry& entry = data->items[index];
        if ((entry.state & MF_DEFAULT) == 0) {
            continue;
        }
        if ((entry.state & (MF_GRAYED | MF_DISABLED)) && (flags & GMDI_USEDISABLED) == 0) {
            return static_cast<UINT>(-1);
        }
        if (entry.IsPopup() && (flags & GMDI_GOINTOPOPUPS)) {
            const UINT inner = DefaultItemOf(table, entry.subMenu, byPosition, flags, depth + 1);
            if (inner != static_cast<UINT>(-1)) {
                return inner;
            }
        }
        return byPosition ? static_cast<UINT>(index) : entry.id;
    }
    return static_cast<UINT>(-1);
}

}  // namespace

}  // namespace platform

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    return platform::DefaultItemOf(table, hMenu, fByPos != 0, gmdiFlags, 0);
}

BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem) {
    if (hWnd != nullptr && GetMenu(hWnd) == hMenu && hMenu != nullptr) {
        platform::PublishMenuBarRects(hWnd);
    }
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    const platform::MenuData* data = table.Find(hMenu);
    if (data == nullptr || lprcItem == nullptr || data->shownIn == nullptr ||
        uItem >= data->itemRects.size()) {
        return FALSE;
    }
    *lprcItem = data->itemRects[uItem];
    return TRUE;
}

int MenuItemFromPoint(HWND, HMENU hMenu, POINT ptScreen) {
    MenuTable& table = MenuTable::Get();
    std::lock_guard lock(table.mutex);
    const platform::MenuData* data = table.Find(hMenu);
    if (data == nullptr || data->shownIn == nullptr) {
        return -1;
    }
    for (size_t index = 0; index < data->itemRects.size(); ++index) {
        const RECT& rect = data->itemRects[index];
        if (ptScreen.x >= rect.left && ptScreen.x < rect.right && ptScreen.y >= rect.top &&
            ptScreen.y < rect.bottom) {
            return static_cast<int>(index);
        }
    }
    return -1;
}
