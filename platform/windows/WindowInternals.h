// Operations shared by the parts of the window manager. Functions named ...Locked expect the
// caller to hold WindowSystem::mutex; the others take it themselves and call window procedures
// without it.
#pragma once

#include <span>

#include <mutex>

#include "platform/windows/FrameGeometry.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

inline constexpr int kMinimizedWidth = 160;
inline constexpr int kMinimizedHeight = 24;
inline constexpr int kDoubleClickWidth = 4;
inline constexpr int kDoubleClickHeight = 4;
// Minimised top-level windows park here, off every screen, as on the original platform.
inline constexpr int kMinimizedPosition = -32000;
inline constexpr size_t kPostedMessageLimit = 10000;

// A window procedure call with the lock released for the call.
LRESULT CallProcedure(std::unique_lock<std::mutex>& lock, HWND hwnd, UINT message, WPARAM wParam,
                      LPARAM lParam);

// Runs the hooks of `type` that apply to the calling thread, newest first; the first nonzero
// result is returned (0 when there is no hook). Called without the lock.
LRESULT RunHooks(int type, int code, WPARAM wParam, LPARAM lParam);
// RunHooks with HC_ACTION, then, when no hook here ate the input, the hooks of other processes
// (SetHookRelay); lParam points to the hook's structure for mouse and low-level hooks.
LRESULT RunHooksEverywhere(int type, WPARAM wParam, LPARAM lParam);
// The lParam of a WH_KEYBOARD hook: the key message's 32 bits, and the modifiers held in
// `keyState` before the key above them (WindowApi.h). Called with the lock.
LPARAM KeyboardHookParam(LPARAM keyBits, const BYTE* keyState);

// Takes the next message for the calling thread, after running messages sent by other threads.
// Returns false when nothing matches now.
bool TakeMessage(std::unique_lock<std::mutex>& lock, ThreadQueue& queue, HWND filter, UINT first,
                 UINT last, UINT removeFlags, MSG* msg);
// Blocks until something may have arrived for the queue (a message, a sent message, a due timer
// or a paint request).
void WaitForWork(std::unique_lock<std::mutex>& lock, ThreadQueue& queue);
// Runs every message that other threads sent to this one.
void RunIncomingSent(std::unique_lock<std::mutex>& lock, ThreadQueue& queue);

// Activation and focus changes of the calling thread, with their messages.
// `raise` brings the window to the top of its band, as activation does unless the caller has
// just placed it in the Z order itself.
void ActivateWindow(HWND hwnd, WPARAM how, bool raise = true);
HWND ChangeFocus(HWND hwnd);
// Activates the next visible, enabled top-level window of the thread after `leaving` loses
// its activation (hidden, minimised or destroyed).
void ActivateNext(HWND leaving);

// Invalidates the client area part `rect` (client coordinates; null for all) of a window and of
// its children when the window does not clip them. `allChildren` reaches every descendant under
// `rect` whatever their styles: what the screen shows of them was lost too (the window was shown
// or moved, or what covered it went away), and no paint but their own brings it back.
void InvalidateLocked(Window& window, const RECT* rect, bool erase, bool allChildren = false);

// Moves (SC_MOVE) or sizes (SC_SIZE + WMSZ_xxx) a window with the mouse while the left button is
// down; `anchor` is the screen point where the button went down.
void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT anchor);

// The positions core of SetWindowPos, ShowWindow and friends.
BOOL PositionWindow(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags);

void NotifyTopLevel(HWND hwnd);
// Runs the foreign window refresher, if any.
void RefreshForeignWindows();
// Runs only the desktop's refresher, if any.
void RefreshDesktopWindows();

// Keyboard state bytes: bit 7 down, bit 0 toggled. A left or right shift, control or alt key
// also sets the generic key.
void SetKey(BYTE* state, BYTE key, bool down);
void SetKeyWithGeneric(BYTE* state, BYTE key, bool down);
BYTE GenericKey(BYTE key);

// The deepest visible window under a screen point (WindowFromPoint).
// The deepest visible window under a screen point, passing over the windows in `passedOver`
// (those that answered HTTRANSPARENT) to the ones beneath them.
HWND WindowFromPointLocked(const WindowSystem& system, POINT screen,
                           std::span<const HWND> passedOver = {});

// The port of a window of another process; null for this process's windows.
std::shared_ptr<ForeignWindowPort> ForeignPortOf(HWND hwnd);

// Posts WM_HOTKEY when the key, with the modifiers down in `keyState`, is a registered hot key,
// which then reaches no window. Call without the lock.
bool PressHotKeyFromKeyState(BYTE virtualKey, const BYTE* keyState, bool repeated);
// Drops the window's hot keys, giving them back to the desktop.
void ForgetHotKeysOf(HWND hwnd);

// Takes a window out of every table without any message; its children must be gone already.
void RemoveWindowLocked(WindowSystem& system, HWND hwnd);

// Removes the timers of a window (under the lock).
void KillWindowTimersLocked(Window& window);

}  // namespace platform
