// The caret: one per thread, owned by a window, hidden until shown as often as it was hidden.
// Nothing blinks here: the window that owns the caret draws it while painting, where
// VisibleCaret says, and every change of the caret invalidates the pixels it covered and covers.
#pragma once

#include <optional>

#include "platform/windows/WindowStructs.h"

// A bitmap handle of 1 asks for a grey caret; the caret is drawn solid either way. A width or
// height of 0 takes the system's border width or height.
BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
// A null window means the caret's owner; another window than the owner fails.
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(LPPOINT lpPoint);

namespace platform {

// The caret's rectangle in the client area of `hwnd` when `hwnd` owns a shown caret.
std::optional<RECT> VisibleCaret(HWND hwnd);

}  // namespace platform
