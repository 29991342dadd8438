// The tool-tip control ("tooltips_class32"): a small pop-up window that shows a tool's text when
// the mouse rests over the tool. The control learns of the mouse from the messages relayed to it
// (TTM_RELAYEVENT, or by subclassing the tool window with TTF_SUBCLASS); its timers run on the
// window manager's clock, so tests drive the delays with the test clock.
#pragma once

#include "platform/controls/CommonControls.h"

#define TOOLTIPS_CLASSA "tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA

#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02
#define TTS_NOANIMATE 0x10
#define TTS_NOFADE 0x20
#define TTS_BALLOON 0x40

#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000

#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOLA (WM_USER + 4)
#define TTM_ADDTOOL TTM_ADDTOOLA
#define TTM_DELTOOLA (WM_USER + 5)
#define TTM_DELTOOL TTM_DELTOOLA
#define TTM_NEWTOOLRECTA (WM_USER + 6)
#define TTM_NEWTOOLRECT TTM_NEWTOOLRECTA
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLINFOA (WM_USER + 8)
#define TTM_GETTOOLINFO TTM_GETTOOLINFOA
#define TTM_SETTOOLINFOA (WM_USER + 9)
#define TTM_SETTOOLINFO TTM_SETTOOLINFOA
#define TTM_GETTEXTA (WM_USER + 11)
#define TTM_GETTEXT TTM_GETTEXTA
#define TTM_UPDATETIPTEXTA (WM_USER + 12)
#define TTM_UPDATETIPTEXT TTM_UPDATETIPTEXTA
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_TRACKACTIVATE (WM_USER + 17)
#define TTM_TRACKPOSITION (WM_USER + 18)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_POP (WM_USER + 28)
#define TTM_POPUP (WM_USER + 34)

#define TTN_GETDISPINFOA (TTN_FIRST - 0)
#define TTN_GETDISPINFO TTN_GETDISPINFOA
#define TTN_SHOW (TTN_FIRST - 1)
#define TTN_POP (TTN_FIRST - 2)
#define TTN_NEEDTEXTA TTN_GETDISPINFOA
#define TTN_NEEDTEXT TTN_NEEDTEXTA

struct TOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
using TTTOOLINFOA = TOOLINFOA;
using TOOLINFO = TOOLINFOA;
using LPTOOLINFOA = TOOLINFOA*;
#define TTTOOLINFOA_V1_SIZE offsetof(TOOLINFOA, lParam)

struct NMTTDISPINFOA {
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using NMTTDISPINFO = NMTTDISPINFOA;
using TOOLTIPTEXTA = NMTTDISPINFOA;
using TOOLTIPTEXT = NMTTDISPINFOA;
using LPNMTTDISPINFOA = NMTTDISPINFOA*;

namespace platform {

void RegisterToolTipClass();

}  // namespace platform
