// The window manager's functions with the original platform's names and signatures ("A" forms for
// text, which is GBK bytes). Windows belong to the thread that created them; functions that
// change a window's state act on windows of any thread of this process unless noted.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/windows/WindowConstants.h"
#include "platform/windows/WindowStructs.h"

// Classes. Class names compare without case; a class name may also be an atom (MAKEINTATOM).
ATOM RegisterClassA(const WNDCLASSA* lpWndClass);
ATOM RegisterClassExA(const WNDCLASSEXA* lpWndClass);
BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass);
BOOL GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx);
int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);
UINT RegisterWindowMessageA(LPCSTR lpString);

// Creation and destruction. Overlapped windows (neither WS_CHILD nor WS_POPUP) always get
// WS_CAPTION and WS_CLIPSIBLINGS; no other style bit is added. DS_MODALFRAME is a dialog style
// and the dialog code turns it into WS_EX_DLGMODALFRAME; CreateWindowExA does not read it.
HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam);
HWND CreateWindowA(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth,
                   int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
// Owned windows go first; then WM_DESTROY reaches the window and then its children, WM_NCDESTROY
// the children and then the window. Only the window's own thread may destroy it.
BOOL DestroyWindow(HWND hWnd);

// Procedures and window data.
LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
LONG GetWindowLongA(HWND hWnd, int nIndex);
LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
HMENU GetMenu(HWND hWnd);
BOOL SetMenu(HWND hWnd, HMENU hMenu);

// Text (through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH). GetWindowTextA never cuts a
// two-byte character in half.
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextLengthA(HWND hWnd);

// The tree.
BOOL IsWindow(HWND hWnd);
BOOL IsChild(HWND hWndParent, HWND hWnd);
HWND GetParent(HWND hWnd);
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
HWND GetAncestor(HWND hwnd, UINT gaFlags);
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetTopWindow(HWND hWnd);
HWND GetDesktopWindow();
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
// Leading and trailing spaces are allowed; any other character, an empty text or a value out of
// range fails with *lpTranslated FALSE and 0.
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam);
// Top-level windows of this process in Z order; class and title compare without case, hidden
// windows included.
HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow);

// Geometry.
int GetSystemMetrics(int nIndex);
// SPI_GETWORKAREA only (pvParam a RECT); other actions fail with ERROR_INVALID_PARAMETER.
BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL BringWindowToTop(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
// The deepest visible window under a screen point; a disabled child stops the search at its
// parent.
HWND WindowFromPoint(POINT Point);
// The direct child under a point in the parent's client coordinates, hidden and disabled ones
// included; the parent itself when no child is there, null outside the parent.
HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004
HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags);

// Enable state, focus, activation, capture. Focus and the active window belong to the calling
// thread; the foreground window is the process's.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Hot keys: a key with modifiers that reaches no window but posts WM_HOTKEY (wParam the id,
// lParam MAKELPARAM(modifiers, vk)) to the window that registered it, or to the registering
// thread for a null window. One registration per combination on the whole desktop: FALSE
// (ERROR_HOTKEY_ALREADY_REGISTERED) when this process or, with a display, another desktop program
// holds it, or when the window already has the id. A window's hot keys end with it.
#define MOD_ALT 0x0001
#define MOD_CONTROL 0x0002
#define MOD_SHIFT 0x0004
#define MOD_WIN 0x0008
#define MOD_NOREPEAT 0x4000
BOOL RegisterHotKey(HWND hWnd, int id, UINT fsModifiers, UINT vk);
// FALSE (ERROR_HOTKEY_NOT_REGISTERED) when the window has no hot key of that id.
BOOL UnregisterHotKey(HWND hWnd, int id);

// Messages.
BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessageA(const MSG* lpMsg);
// A queue holds at most 10000 posted messages; beyond that posting fails with
// ERROR_NOT_ENOUGH_QUOTA.
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// The timeout is measured on the steady clock, since it waits for another thread's progress.
LRESULT SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags,
                            UINT uTimeout, DWORD_PTR* lpdwResult);
BOOL InSendMessage();
DWORD GetMessagePos();
LONG GetMessageTime();

// Painting. BeginPaint sends WM_ERASEBKGND when an erase is pending; PAINTSTRUCT.fErase tells
// whether the background still needs erasing (the window procedure returned 0).
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);

// Timers, driven by platform::MonotonicNow. With a window, the id is the key and SetTimer returns
// it (1 for id 0); without one, SetTimer returns a new id unless nIDEvent names a timer of the
// thread. The period is clamped to USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM. A timer that fell
// behind produces one WM_TIMER, not one per period missed.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Input.
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int X, int Y);
SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);
BOOL GetKeyboardState(BYTE* lpKeyState);
UINT GetDoubleClickTime();
void mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD dwData, ULONG_PTR dwExtraInfo);
void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo);
// WH_KEYBOARD, WH_MOUSE, WH_KEYBOARD_LL, WH_MOUSE_LL and WH_CBT (HCBT_CREATEWND,
// HCBT_DESTROYWND). A hook on every thread (dwThreadId 0) needs a module unless it is low-level.
// The low-level hooks see the input of this process; on a desktop they also see keys and clicks
// that go to other programs, which they cannot hold back. Without a display they see only what
// the programs and tests inject (mouse_event, keybd_event, the window manager's input functions).
// Hooks on every thread also see the keys and mouse events that other programs on the link take
// from their queues, on a thread that brings them (a nonzero answer within 300 ms eats them); a
// forwarded MOUSEHOOKSTRUCT has no hwnd. A WH_KEYBOARD hook's lParam carries, above the key
// message's 32 bits, the modifiers held in the thread that takes the key (bit 32 Shift, bit 33
// Ctrl, bit 34 Alt), since a hook in another program cannot ask that thread's GetKeyState.
// UnhookWindowsHookEx returns once the hook's calls on other threads have ended (handling
// messages sent to the calling thread meanwhile); no call starts after it.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
