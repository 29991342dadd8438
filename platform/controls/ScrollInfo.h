// The scroll bars of a window's frame (WS_HSCROLL, WS_VSCROLL) and the functions that reach
// them and the scroll bar control alike (SB_CTL): range, page, position, visibility, enabled
// arrows; how they are drawn; how a press on one is tracked into WM_HSCROLL / WM_VSCROLL; and
// scrolling a window's contents.
//
// A window bar appears and disappears with its range: a range that fits in one page (min == max
// without a page) takes the style bit away and gives the client area back, unless
// SIF_DISABLENOSCROLL asks for a disabled bar instead.
#pragma once

#include <functional>

#include "platform/base/WinTypes.h"
#include "platform/controls/ScrollBarLayout.h"
#include "platform/windows/WindowStructs.h"

#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3

#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8

#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)

#define ESB_ENABLE_BOTH 0x0000
#define ESB_DISABLE_BOTH 0x0003
#define ESB_DISABLE_LEFT 0x0001
#define ESB_DISABLE_RIGHT 0x0002
#define ESB_DISABLE_UP 0x0001
#define ESB_DISABLE_DOWN 0x0002
#define ESB_DISABLE_LTUP ESB_DISABLE_LEFT
#define ESB_DISABLE_RTDN ESB_DISABLE_RIGHT

#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// Returns the new position.
int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi);
// Returns the previous position.
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
// A window without that bar reports 0, 0.
BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
// FALSE when the arrows were already in that state.
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);

// Moves the children (SW_SCROLLCHILDREN; ScrollWindow always does) and invalidates what the
// scroll touches, so that the window paints its contents at their new place.
int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                   HRGN hrgnUpdate, LPRECT prcUpdate, UINT flags);
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect);

namespace platform {

// Connects the window bars to the default window procedure (a press on HTHSCROLL or HTVSCROLL
// starts tracking) and to the screen's frame drawing. Idempotent; the scroll functions and the
// registration of the list box and scroll bar classes call it.
void InstallWindowScrollBars();

// The state of a window's own bar (SB_HORZ or SB_VERT); a window that has the style bit but was
// never given a range has 0..100.
ScrollState WindowScrollState(HWND hwnd, int bar);

// Draws one bar into `bar` on `dc` in the classic look: two raised arrow buttons, the track and
// a raised thumb; greyed arrows when disabled.
void DrawScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollState& state, bool enabled);
// Draws the window's bars (and the corner between two bars) on a DC of the whole window.
void DrawWindowScrollBars(HWND hwnd, HDC windowDc);

// What a press on a bar does, as the system does it: a press on an arrow or the track sends its
// code at once and SB_ENDSCROLL when the button comes up; a press on the thumb sends
// SB_THUMBTRACK for every move and SB_THUMBPOSITION, then SB_ENDSCROLL, on release. The loop takes
// the calling thread's mouse messages until the left button is released, so the whole gesture
// must be queued (or arrive from the display) while it runs. `barOnScreen` is the bar's
// rectangle on the screen; `message` WM_HSCROLL or WM_VSCROLL goes to `notify` with lParam
// `control` (null for a window's own bar).
void TrackScrollBar(HWND captureWindow, HWND notify, UINT message, HWND control,
                    const RECT& barOnScreen, bool vertical, POINT pressOnScreen,
                    const std::function<ScrollState()>& currentState,
                    const std::function<void(int)>& setTrackPos);

}  // namespace platform
