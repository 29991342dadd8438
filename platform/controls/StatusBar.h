// The status bar ("msctls_statusbar32"): a strip of parts along the bottom of its parent, each
// with a text (or an owner-drawn value) and an optional icon. It places itself at the bottom of
// its parent whenever it is sized.
#pragma once

#include "platform/controls/CommonControls.h"

#define STATUSCLASSNAMEA "msctls_statusbar32"
#define STATUSCLASSNAME STATUSCLASSNAMEA

#define SBARS_SIZEGRIP 0x0100
#define SBARS_TOOLTIPS 0x0800
#define SBT_TOOLTIPS 0x0800

#define SB_SETTEXTA (WM_USER + 1)
#define SB_SETTEXT SB_SETTEXTA
#define SB_GETTEXTA (WM_USER + 2)
#define SB_GETTEXT SB_GETTEXTA
#define SB_GETTEXTLENGTHA (WM_USER + 3)
#define SB_GETTEXTLENGTH SB_GETTEXTLENGTHA
#define SB_SETPARTS (WM_USER + 4)
#define SB_GETPARTS (WM_USER + 6)
#define SB_GETBORDERS (WM_USER + 7)
#define SB_SETMINHEIGHT (WM_USER + 8)
#define SB_SIMPLE (WM_USER + 9)
#define SB_GETRECT (WM_USER + 10)
#define SB_ISSIMPLE (WM_USER + 14)
#define SB_SETICON (WM_USER + 15)
#define SB_SETTIPTEXTA (WM_USER + 16)
#define SB_SETTIPTEXT SB_SETTIPTEXTA
#define SB_GETTIPTEXTA (WM_USER + 18)
#define SB_GETTIPTEXT SB_GETTIPTEXTA
#define SB_GETICON (WM_USER + 20)
// The common controls' CCM_SETBKCOLOR.
#define SB_SETBKCOLOR 0x2001

// Drawing types, in the high byte of SB_SETTEXT's part number.
#define SBT_OWNERDRAW 0x1000
#define SBT_NOBORDERS 0x0100
#define SBT_POPOUT 0x0200
#define SBT_RTLREADING 0x0400
#define SBT_NOTABPARSING 0x0800

// The part that SB_SETTEXT addresses in simple mode.
#define SB_SIMPLEID 0x00FF

#define SBN_SIMPLEMODECHANGE (SBN_FIRST - 0)

namespace platform {

void RegisterStatusBarClass();

}  // namespace platform
