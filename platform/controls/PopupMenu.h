// Tracked pop-up menus: TrackPopupMenu runs a modal menu loop on the calling thread with one
// window of class "#32768" per open pop-up. The owner window hears WM_ENTERMENULOOP, WM_INITMENU,
// WM_INITMENUPOPUP for each pop-up before it is measured, WM_MEASUREITEM and WM_DRAWITEM for
// owner-drawn items, WM_MENUSELECT as the selection moves, WM_ENTERIDLE (MSGF_MENU) whenever the
// loop has nothing to do, WM_UNINITMENUPOPUP as each pop-up closes and WM_EXITMENULOOP; then the
// chosen command is posted as WM_COMMAND, or returned with TPM_RETURNCMD. TPM_NONOTIFY silences
// everything but measuring and drawing, and posts nothing.
//
// The mouse opens sub-menus on hover and chooses on button release (the right button too with
// TPM_RIGHTBUTTON); a press outside every menu ends the loop. Keys: arrows, Enter, Esc, Alt or F10
// to leave, and mnemonics ('&' in the text, then WM_MENUCHAR to the owner when none matches).
#pragma once

#include "platform/controls/Menu.h"

#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L
#define TPM_RECURSE 0x0001L

#define MSGF_MENU 2

#define WM_MENURBUTTONUP 0x0122
#define WM_UNINITMENUPOPUP 0x0125

// WM_MENUCHAR results (in the high word; the low word is an item position).
#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
};
using LPTPMPARAMS = TPMPARAMS*;

// With TPM_RETURNCMD the chosen command (0 when none); otherwise TRUE once the menu has closed.
// FALSE (ERROR_INVALID_MENU_HANDLE, ERROR_INVALID_WINDOW_HANDLE) for a bad menu or owner, and
// while another menu loop runs on the thread.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                    const RECT* prcRect);
// lptpm's rcExclude (screen coordinates) is an area the pop-up should not cover.
BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm);
// Ends the calling thread's menu loop as if the user had dismissed it.
BOOL EndMenu();

namespace platform {

// Registers "#32768" (idempotent) and connects the menu bar to the frame drawing and the default
// window procedure.
void RegisterPopupMenuClass();

}  // namespace platform
