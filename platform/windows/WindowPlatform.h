// What this platform adds to the window manager for the framework, for the display and for tests:
// the screen size, pre-translation, a modal loop, pumping until idle, injected input and its
// record, system classes, and the seams for the drawing layer and the link between processes.
//
// Pre-translation: every message that a message loop of this layer takes from the queue (posted
// messages and input alike, never sent ones) first goes to the thread's message filter. The
// default filter walks the pre-translate handlers attached to windows: the target window's, then
// its parent's (the owner for pop-ups) up to the top-level window, then the thread's main window's
// if it was not on that path; the first handler that returns true consumes the message. Windows
// without a handler are skipped but their parents still see the message. The framework attaches
// one handler per window object and may replace the whole filter with its own; loops of the
// framework call FilterMessage too, so the rule also holds inside every modal loop.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/WindowStructs.h"

namespace platform {

using PreTranslateHandler = std::function<bool(MSG&)>;
using MessageFilter = std::function<bool(MSG&)>;

// The size of the screen and the desktop window (1024x768 until changed).
void SetScreenSize(int cx, int cy);
// The part of the screen left to windows (SPI_GETWORKAREA, maximised top-level windows); the
// whole screen until set, and again after SetScreenSize.
void SetWorkArea(const RECT& area);

// An empty handler detaches. Handlers are dropped when their window is destroyed.
void SetPreTranslateHandler(HWND hwnd, PreTranslateHandler handler);
// The window that gets the last chance at every message of the calling thread.
void SetThreadMainWindow(HWND hwnd);
HWND GetThreadMainWindow();
// The walk described above.
bool WalkPreTranslate(MSG& msg);
// Replaces the calling thread's filter; an empty filter restores the walk.
void SetThreadMessageFilter(MessageFilter filter);
// Runs the calling thread's filter: true when the message was consumed.
bool FilterMessage(MSG& msg);

// A nested message loop: disables `owner` (when given and enabled) and pumps the calling thread's
// queue through FilterMessage, TranslateMessage and DispatchMessageA while `keepRunning` returns
// true, waiting for messages and timers in between; then enables the owner again. A WM_QUIT ends
// the loop and is posted again for the outer loop, and the result is false; otherwise true.
bool RunModalLoop(HWND owner, const std::function<bool()>& keepRunning);

// A loop that holds the mouse capture (moving or sizing a window, dragging a scroll thumb) takes
// its messages with TakeCapturedInput. kNone: the queue is empty. kQuit: a WM_QUIT, posted again
// for the outer loop. kMove, kRelease: the mouse moved or the left button came up, in the client
// or the non-client area (input queued before the capture was taken comes as non-client).
// kOther: anything else, which the loop hands to DispatchCapturedInput unless it acts on it.
enum class CapturedInput { kNone, kQuit, kMove, kRelease, kOther };
CapturedInput TakeCapturedInput(MSG& msg);
// Other mouse input belongs to the capture and is dropped; the rest is translated and dispatched.
void DispatchCapturedInput(const MSG& msg);

// Handles everything the calling thread has to do now (sent, posted and input messages, paints,
// due timers) through the same path as a message loop, without waiting, and returns the number of
// messages dispatched. A WM_QUIT stops it and stays in the queue. `limit` bounds the number of
// messages, so that a window that never validates itself cannot hang a test.
int PumpUntilIdle(int limit = 100000);

// Input as the display (or a test) delivers it. InjectMouse moves the cursor to `screenPoint`
// (a WM_MOUSEMOVE when it moves) and then applies the button flags of `mouseEventFlags`
// (MOUSEEVENTF_LEFTDOWN...; MOUSEEVENTF_WHEEL with `wheelDelta`).
void InjectMouse(DWORD mouseEventFlags, POINT screenPoint, int wheelDelta = 0);
void InjectKey(BYTE virtualKey, bool down, BYTE scanCode = 0, bool extended = false);
// A character an input method produced, as WM_CHAR for the focus window of the foreground thread
// (its active window when nothing has the focus). A double-byte GBK character comes as two
// messages, lead byte first, as a Chinese system delivers it to a window that is not Unicode.
void InjectCharacter(BYTE character);
// The desktop's Caps Lock and Num Lock as the display finds them when it starts: the toggle state
// of every thread's keys and of the asynchronous keys. A thread's key state starts with the
// asynchronous keys' toggles, as the lock lights show them.
void SetLockKeys(bool capsLock, bool numLock);

// Input the desktop gave another program, in the form of the window message it stands for:
// WM_KEYDOWN or WM_KEYUP (wParam the virtual key, lParam the keystroke bits with the scan code
// and the extended flag), or a button message or WM_MOUSEWHEEL (lParam the screen point, the
// high word of wParam the wheel delta) or WM_MOUSEMOVE. The low-level hooks see it as they see
// input of this process (keys under Alt as WM_SYSKEYDOWN...), and so do the keyboard and mouse
// hooks installed for every thread, as the other program's thread would run them (the mouse hook
// with no window); the key state and the cursor follow it. No window here gets it, and a hook
// cannot hold it back from the other program.
void ObserveOutsideInput(UINT message, WPARAM wParam, LPARAM lParam);

// Where mouse_event, keybd_event and SetCursorPos go when a desktop is shown: to the desktop
// itself, from which the input comes back to this process's windows through the display as a
// person's does, while other programs get theirs. Without one (headless) it goes straight into
// this process's input. GetCursorPos follows a move once the desktop reports it.
class DesktopInput {
public:
    virtual ~DesktopInput() = default;
    // As mouse_event and keybd_event take them.
    virtual void Mouse(DWORD flags, LONG dx, LONG dy, DWORD data) = 0;
    virtual void Key(BYTE virtualKey, BYTE scanCode, DWORD flags) = 0;
    virtual void MoveCursor(POINT to) = 0;
};
// Null: headless. The object must outlive every later call.
void SetDesktopInput(DesktopInput* input);

// The desktop's side of RegisterHotKey: Grab takes a combination (MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_WIN and a virtual key) for this process on the whole desktop, false when another program
// holds it or the keyboard has no such key; Release gives it back. The display reports a grabbed
// combination pressed with PressHotKey.
class DesktopHotKeys {
public:
    virtual ~DesktopHotKeys() = default;
    virtual bool Grab(UINT modifiers, UINT virtualKey) = 0;
    virtual void Release(UINT modifiers, UINT virtualKey) = 0;
};
// Null: headless, where hot keys come from the process's own key input. The object must outlive
// every later call.
void SetDesktopHotKeys(DesktopHotKeys* hotKeys);
// Posts WM_HOTKEY for the registered combination, unless it was registered with MOD_NOREPEAT and
// `repeated`; false when none is registered.
bool PressHotKey(UINT modifiers, UINT virtualKey, bool repeated);

// What the programs themselves injected with mouse_event and keybd_event, in order.
struct RecordedInput {
    enum class Kind { Mouse, Key };
    Kind kind = Kind::Mouse;
    DWORD flags = 0;
    LONG dx = 0;
    LONG dy = 0;
    DWORD data = 0;
    BYTE virtualKey = 0;
    BYTE scanCode = 0;
    // The cursor position once the event was applied.
    POINT cursor{};
};
// The newest 1000 events since the last call, oldest first.
std::vector<RecordedInput> TakeRecordedInput();

// Registers a class that every module can use by name and that no reset removes: the controls
// and the dialog class register theirs here.
ATOM RegisterSystemClass(const WNDCLASSEXA& windowClass);

// The drawing layer's device contexts for BeginPaint and EndPaint; without them BeginPaint
// returns a null HDC (and WM_ERASEBKGND carries a null wParam). `begin` gets the update rectangle
// (client coordinates) that BeginPaint has just taken from the window.
void SetPaintDeviceProvider(std::function<HDC(HWND, const RECT&)> begin,
                            std::function<void(HWND, HDC)> end);
// What the default WM_ERASEBKGND does with the class background brush (a brush handle or a
// COLOR_xxx + 1 value) on the DC it was given; without a painter nothing is drawn.
void SetBackgroundPainter(std::function<void(HWND, HDC, HBRUSH)> painter);
// What the default window procedure does with a press on a window's own scroll bar
// (WM_NCLBUTTONDOWN with HTHSCROLL or HTVSCROLL, the point on the screen); the controls install
// the scroll bar tracking here. Survives ResetWindowSystemForTesting.
void SetScrollBarPressHandler(std::function<void(HWND, WPARAM, POINT)> handler);
// What the default procedure does with WM_SYSCOMMAND SC_MOUSEMENU (a click on the menu bar,
// lParam the screen point) and SC_KEYMENU (Alt or F10 alone: lParam 0; Alt with a key: lParam
// the character); the menus install it. Without one they do nothing.
void SetMenuBarTracker(std::function<void(HWND, WPARAM, LPARAM)> tracker);
// Destroys the menu of a window that is not a child, once the window has had WM_NCDESTROY; the
// menus install it. Without one the menu is left alone. Survives ResetWindowSystemForTesting.
void SetMenuDestroyer(std::function<void(HMENU)> destroyer);
// Invalidates, with erase, the part `rect` (client coordinates; null for all) of a window and of
// every descendant under it, clipping styles notwithstanding: for the screen, when it uncovers
// a window whose pixels were overwritten.
void InvalidateTree(HWND hwnd, const RECT* rect);
// Called like the top-level observer, and also with the desktop window when the screen size
// changes, so that the screen can keep its picture in step. Survives ResetWindowSystemForTesting.
void SetScreenObserver(std::function<void(HWND)> observer);

// Called (without the lock, on the thread that made the change) whenever a top-level window is
// created, destroyed, retitled, shown, hidden, moved, raised, minimised or restored, so that the
// link can publish top-level windows to other processes. Messages that come from other processes
// are delivered with PostMessageA and SendMessageA from any thread.
void SetTopLevelObserver(std::function<void(HWND)> observer);

// Hooks across processes, installed by the link. `announce` is called (without the lock, on the
// thread that hooked or unhooked) with the types of this process's hooks on every thread, as bits
// 1 << type of WH_KEYBOARD, WH_MOUSE, WH_KEYBOARD_LL and WH_MOUSE_LL, whenever that set changes.
// `forward` gets input that reached this process and that its own hooks passed on: low-level
// hooks as the input arrives, the others as a message is taken from the queue (HC_ACTION only),
// packed so that only integers travel; it returns nonzero when a hook of another process ate the
// input, which then never reaches a window here.
struct HookRelay {
    std::function<void(std::uint32_t typeMask)> announce;
    std::function<LRESULT(int type, WPARAM wParam, LPARAM lParam)> forward;
};
void SetHookRelay(HookRelay relay);
// Runs this process's hooks on every thread for input of another process, packed as the relay
// forwards it, and returns their answer. The hooks run on the calling thread. They see keys as
// they are; a mouse hook sees the point on the other process's screen and no window handle
// (MOUSEHOOKSTRUCT::hwnd null), since that window is not one of this process's. Without a
// display this is all the input they see from outside; with one, keys typed into other desktop
// programs come from the display.
LRESULT RunForeignInputHooks(int type, WPARAM wParam, LPARAM lParam);

// Called (without the lock) before FindWindowA, FindWindowExA on the desktop, EnumWindows,
// WindowFromPoint and GetWindow or GetTopWindow starting a walk of the top-level windows, so that
// the link can bring the windows of other processes up to date first.
void SetForeignWindowRefresher(std::function<void()> refresher);
// The same for the windows of other programs on the desktop, which the display adds as foreign
// windows; called after the link's, and alone before GetForegroundWindow. Survives
// ResetWindowSystemForTesting.
void SetDesktopWindowRefresher(std::function<void()> refresher);

// Windows of other processes, as the link shows them here. They take part in the Z order,
// enumeration, FindWindowA, WindowFromPoint and the state queries like any window, but they have
// no procedure and no queue here: messages posted or sent to them (integers only, never pointers),
// and ShowWindow, SetWindowPos, MoveWindow and SetForegroundWindow on them, go to their port. Their
// state here changes only when the link reports it with UpdateForeignWindow. Injected mouse input
// is never delivered to them.
class ForeignWindowPort {
public:
    virtual ~ForeignWindowPort() = default;
    virtual bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void Show(HWND hwnd, int command) = 0;
    virtual void Position(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) = 0;
    virtual void SetForeground(HWND hwnd) = 0;
};

struct ForeignWindowState {
    DWORD processId = 0;
    std::string className;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};
    HWND owner = nullptr;
};

// Adds a top-level window of another process at the top of its band (WS_EX_TOPMOST decides the
// band) and returns its handle here.
HWND AddForeignWindow(const ForeignWindowState& state, std::shared_ptr<ForeignWindowPort> port);
// Replaces the state; `after` (HWND_TOP, HWND_BOTTOM or a sibling; nothing keeps the place)
// moves it in the Z order. False when the handle is not a foreign window.
bool UpdateForeignWindow(HWND hwnd, const ForeignWindowState& state,
                         std::optional<HWND> after = std::nullopt);
bool RemoveForeignWindow(HWND hwnd);
// The desktop made a foreign window the foreground window: GetForegroundWindow answers it until a
// window here is activated. This process's windows hear nothing. False for other handles.
bool SetForeignForeground(HWND hwnd);

// Destroys the calling thread's windows (with their messages), drops every other window,
// application class, hook, timer and queued message, and puts the cursor, keyboard, screen and
// recorders back to their start. For tests.
void ResetWindowSystemForTesting();

}  // namespace platform
