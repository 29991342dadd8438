// Menus: HMENU handles from one process-wide table, each owning its items. A pop-up inserted into
// another menu belongs to that menu from then on and is destroyed with it (DestroyMenu,
// DeleteMenu, ModifyMenu replacing it); RemoveMenu hands it back. Handles are never reused, so a
// menu destroyed early leaves a dead handle behind that every function refuses with
// ERROR_INVALID_MENU_HANDLE, and a parent destroyed later skips it.
//
// MF_BYCOMMAND finds the first item with that command in the menu or, depth first, in its
// pop-ups; MF_BYPOSITION counts from 0 in the menu itself. Texts are GBK; '&' marks the mnemonic.
#pragma once

#include "platform/resources/MenuTemplate.h"
#include "platform/windows/WindowStructs.h"

#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_ENABLED 0x00000000L
#define MF_UNCHECKED 0x00000000L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_SYSMENU 0x00002000L
#define MF_MOUSESELECT 0x00008000L
#define MF_END 0x00000080L

#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200L
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000L
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY

#define MFS_GRAYED 0x00000003L
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

#define GMDI_USEDISABLED 0x0001L
#define GMDI_GOINTOPOPUPS 0x0002L

struct MENUITEMINFOA {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData;
    UINT cch;
    HBITMAP hbmpItem;
};
using LPMENUITEMINFOA = MENUITEMINFOA*;
using LPCMENUITEMINFOA = const MENUITEMINFOA*;

// A menu resource as the resource layer decodes it; LoadMenuIndirectA builds a menu from one.
using MENUTEMPLATEA = platform::MenuTemplate;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, recursively, the pop-ups it still holds.
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
// Null with ERROR_RESOURCE_NAME_NOT_FOUND when the module has no such menu.
HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName);
HMENU LoadMenuIndirectA(const MENUTEMPLATEA* lpMenuTemplate);

// lpNewItem is the text for MF_STRING, the item data for MF_OWNERDRAW, an HBITMAP for MF_BITMAP;
// uIDNewItem is the pop-up's HMENU with MF_POPUP. A position past the end appends; a command
// that no item has fails.
BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// Replaces the item's kind, state, id and text or data; a pop-up it held is destroyed unless the
// new item keeps the same pop-up.
BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// RemoveMenu detaches an item's pop-up without destroying it; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);

BOOL InsertMenuItemA(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi);
// With MIIM_STRING (or MIIM_TYPE on a text item) and a buffer, copies at most cch - 1 bytes and
// sets cch to the bytes copied; without a buffer, sets cch to the text's length.
BOOL GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii);
BOOL SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii);

int GetMenuItemCount(HMENU hMenu);
// -1 for a pop-up or a position that does not exist; 0 for a separator.
UINT GetMenuItemID(HMENU hMenu, int nPos);
HMENU GetSubMenu(HMENU hMenu, int nPos);
// Bytes copied (at most nMaxCount - 1, never half a two-byte character); the text's length when
// lpString is null. Owner-drawn and bitmap items have no text.
int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int nMaxCount, UINT uFlag);
// The item's MF_ flags; for a pop-up its low byte with the pop-up's item count in bits 8..15.
// -1 when there is no such item.
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);

// Previous state (MF_CHECKED or MF_UNCHECKED; MF_ENABLED, MF_GRAYED and MF_DISABLED), or -1.
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
// Checks `check` as a radio item and unchecks the other items of first..last in the menu that
// holds `check`.
BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags);
// One default item per menu; uItem -1 (UINT) clears it.
BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos);
// The default item's id or position, -1 when there is none (or it is disabled and
// GMDI_USEDISABLED is not given).
UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags);

// Where an item is while its menu is shown (a tracked pop-up, or the menu bar of `hWnd`), in
// screen coordinates; FALSE when the menu is not on the screen.
BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem);
// The position of the item under a screen point, -1 when none.
int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen);

namespace platform {

// Builds the menu bar or pop-up tree a template describes; null when a nested pop-up cannot be
// made.
HMENU CreateMenuFromTemplate(const MenuTemplate& menuTemplate, bool popup);

// Live menu handles, for tests that check nothing leaks.
int LiveMenuCount();

}  // namespace platform
