// What the common dialogs' windows share: their templates in the system's dialog font, the list
// and combo box messages they send (by number, so that they need no list box header) and the
// registration of the controls they hold.
#pragma once

#include <string>

#include "platform/dialogs/DialogApi.h"

namespace platform::dialog_parts {

inline constexpr UINT kComboAddString = 0x0143;         // CB_ADDSTRING
inline constexpr UINT kComboGetSelection = 0x0147;      // CB_GETCURSEL
inline constexpr UINT kComboReset = 0x014B;             // CB_RESETCONTENT
inline constexpr UINT kComboSetSelection = 0x014E;      // CB_SETCURSEL
inline constexpr UINT kListAddString = 0x0180;          // LB_ADDSTRING
inline constexpr UINT kListReset = 0x0184;              // LB_RESETCONTENT
inline constexpr UINT kListSetSelection = 0x0186;       // LB_SETCURSEL
inline constexpr UINT kListGetSelection = 0x0188;       // LB_GETCURSEL
inline constexpr WORD kSelectionChange = 1;             // LBN_SELCHANGE, CBN_SELCHANGE
inline constexpr WORD kDoubleClick = 2;                 // LBN_DBLCLK
inline constexpr DWORD kListNotify = 0x0001;            // LBS_NOTIFY
inline constexpr DWORD kListNoIntegralHeight = 0x0100;  // LBS_NOINTEGRALHEIGHT
inline constexpr DWORD kDropDownList = 0x0003;          // CBS_DROPDOWNLIST
inline constexpr DWORD kStaticNoPrefix = 0x0080;        // SS_NOPREFIX
inline constexpr DWORD kAutoCheckBox = 0x0003;          // BS_AUTOCHECKBOX
inline constexpr DWORD kDefaultPushButton = 0x0001;     // BS_DEFPUSHBUTTON
inline constexpr DWORD kEditAutoScroll = 0x0080;        // ES_AUTOHSCROLL
inline constexpr WORD kNoId = 0xFFFF;

// A modal dialog of `cx` by `cy` dialog units in 宋体 9 pt, centred on the screen.
DialogTemplate Dialog(std::string caption, int cx, int cy);

void Add(DialogTemplate& dialog, const char* className, std::string text, WORD id, DWORD style,
         int x, int y, int cx, int cy);

// Registers the button, static and edit classes, which the dialogs are made of.
void RegisterControls();

// The text of a dialog's control.
std::string ItemText(HWND dialog, int id);

}  // namespace platform::dialog_parts
