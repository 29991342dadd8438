// The screen that joins the window manager and the drawing layer: window and screen device
// contexts, the system colours, and reading the screen back as pixels or PNG files.
//
// The screen owns one surface of the window manager's screen size (SetScreenSize decides; the
// drawing layer's display mode follows it). Windows draw straight into it through their paint and
// client DCs, clipped to what of them is visible; when a top-level window is shown, moved, resized,
// hidden, raised or destroyed, the screen fills the desktop it uncovered and invalidates (with
// erase) what it uncovered of the windows beneath, which repaint when their thread pumps.
#pragma once

#include <filesystem>
#include <string>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/Surface.h"
#include "platform/windows/WindowApi.h"

#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

// The classic scheme's colours; 0 for an unknown index.
DWORD GetSysColor(int nIndex);
// A stock brush of that colour (never deleted); null for an unknown index.
HBRUSH GetSysColorBrush(int nIndex);

// A DC over the client area (GetDC) or the whole window (GetWindowDC), clipped to what of it is
// visible on the screen; a null window or the desktop gives the whole screen. ReleaseDC frees it.
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

namespace platform {

// Connects the screen to the window manager and the drawing layer (idempotent; call again after
// ResetWindowSystemForTesting). When PLATFORM_PNG_AT_EXIT names a folder, it also arranges for
// WritePngsAtExit to run when the calling thread (the UI thread) ends or the process exits.
void InstallScreen();

// The pixels the screen shows now, frames brought up to date.
Surface CaptureScreen();
// The part of the screen under the window's rectangle (clamped to the screen); empty for an
// unknown or hidden window.
Surface CaptureWindow(HWND hwnd);
bool WriteScreenPng(const std::filesystem::path& path);
bool WriteWindowPng(HWND hwnd, const std::filesystem::path& path);

// When PLATFORM_PNG_AT_EXIT names a folder: writes screen.png and window-<n>.png for every
// visible top-level window (n counts from 1, top of the Z order first) there, once; later calls do
// nothing. The application object calls it before it destroys its windows.
void WritePngsAtExit();

}  // namespace platform
