// The few messages, notifications and styles of the standard controls that the dialog manager
// itself sends or reads. The controls' own headers publish them under their usual names.
#pragma once

#include "platform/base/WinTypes.h"

namespace platform::control_codes {

inline constexpr UINT kEditSetSelection = 0x00B1;    // EM_SETSEL
inline constexpr UINT kButtonSetStyle = 0x00F4;      // BM_SETSTYLE
inline constexpr UINT kButtonClick = 0x00F5;         // BM_CLICK
inline constexpr UINT kComboAddString = 0x0143;      // CB_ADDSTRING
inline constexpr UINT kListAddString = 0x0180;       // LB_ADDSTRING
inline constexpr WORD kButtonClicked = 0;            // BN_CLICKED
inline constexpr DWORD kButtonTypeMask = 0x000F;     // BS_TYPEMASK
inline constexpr DWORD kPushButton = 0x0000;         // BS_PUSHBUTTON
inline constexpr DWORD kDefaultPushButton = 0x0001;  // BS_DEFPUSHBUTTON
inline constexpr DWORD kStaticNoPrefix = 0x0080;     // SS_NOPREFIX

}  // namespace platform::control_codes
