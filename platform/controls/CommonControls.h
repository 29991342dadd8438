// What every common control shares: the notification codes sent in WM_NOTIFY, the common styles
// and (through the image lists) the colour values that mean "none" or "the default".
#pragma once

#include "platform/drawing/ImageListApi.h"
#include "platform/windows/WindowStructs.h"

#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)

// First codes of each control's notification range.
#define LVN_FIRST (0U - 100U)
#define HDN_FIRST (0U - 300U)
#define TVN_FIRST (0U - 400U)
#define TTN_FIRST (0U - 520U)
#define TCN_FIRST (0U - 550U)
#define TBN_FIRST (0U - 700U)
#define DTN_FIRST (0U - 740U)
#define MCN_FIRST (0U - 746U)
#define RBN_FIRST (0U - 831U)
#define SBN_FIRST (0U - 880U)

#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#define CCS_ADJUSTABLE 0x00000020L
#define CCS_NODIVIDER 0x00000040L
#define CCS_VERT 0x00000080L

// The text of an item or a tool that the owner gives when asked (LVN_GETDISPINFO,
// TTN_GETDISPINFO...).
#define LPSTR_TEXTCALLBACKA ((LPSTR)-1L)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA

// CLR_NONE and CLR_DEFAULT come with the image lists, which share them.
