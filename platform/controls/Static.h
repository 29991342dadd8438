// The static control ("Static"): text, icons, bitmaps, filled rectangles, frames and etched
// lines, with the original platform's styles, messages and notifications.
//
// An icon or bitmap static takes its picture from its window text at creation: a resource name,
// "#123", an integer resource (MAKEINTRESOURCE) or the dialog form 0xFF followed by the id in two
// bytes. Without SS_CENTERIMAGE or SS_REALSIZECONTROL it sizes itself to the picture. Text,
// icon and bitmap statics ask the parent for WM_CTLCOLORSTATIC before painting: the brush fills
// the background and the text is drawn with the colours and background mode the parent left in
// the DC. With SS_NOTIFY a press sends STN_CLICKED and a double click STN_DBLCLK; without it the
// control is transparent to the mouse.
#pragma once

#include "platform/windows/WindowStructs.h"

#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_RIGHT 0x00000002L
#define SS_ICON 0x00000003L
#define SS_BLACKRECT 0x00000004L
#define SS_GRAYRECT 0x00000005L
#define SS_WHITERECT 0x00000006L
#define SS_BLACKFRAME 0x00000007L
#define SS_GRAYFRAME 0x00000008L
#define SS_WHITEFRAME 0x00000009L
#define SS_USERITEM 0x0000000AL
#define SS_SIMPLE 0x0000000BL
#define SS_LEFTNOWORDWRAP 0x0000000CL
#define SS_OWNERDRAW 0x0000000DL
#define SS_BITMAP 0x0000000EL
#define SS_ENHMETAFILE 0x0000000FL
#define SS_ETCHEDHORZ 0x00000010L
#define SS_ETCHEDVERT 0x00000011L
#define SS_ETCHEDFRAME 0x00000012L
#define SS_TYPEMASK 0x0000001FL
#define SS_REALSIZECONTROL 0x00000040L
#define SS_NOPREFIX 0x00000080L
#define SS_NOTIFY 0x00000100L
#define SS_CENTERIMAGE 0x00000200L
#define SS_RIGHTJUST 0x00000400L
#define SS_REALSIZEIMAGE 0x00000800L
#define SS_SUNKEN 0x00001000L
#define SS_EDITCONTROL 0x00002000L
#define SS_ENDELLIPSIS 0x00004000L
#define SS_PATHELLIPSIS 0x00008000L
#define SS_WORDELLIPSIS 0x0000C000L
#define SS_ELLIPSISMASK 0x0000C000L

#define STM_SETICON 0x0170
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173

#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3

namespace platform {

// Registers the "Static" class (idempotent).
void RegisterStaticClass();

}  // namespace platform
