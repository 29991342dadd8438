#include "platform/controls/Caret.h"

#include "platform/windows/WindowApi.h"

namespace {

struct CaretState {
    HWND owner = nullptr;
    int width = 0;
    int height = 0;
    POINT position{};
    // The caret shows when this falls to 0; a new caret starts hidden.
    int hideCount = 1;
};

thread_local CaretState caret;

RECT CaretRect() {
    return RECT{caret.position.x, caret.position.y, caret.position.x + caret.width,
                caret.position.y + caret.height};
}

void InvalidateCaret() {
    if (caret.owner != nullptr && caret.hideCount == 0) {
        const RECT rect = CaretRect();
        InvalidateRect(caret.owner, &rect, FALSE);
    }
}

bool OwnsCaret(HWND hwnd) {
    return caret.owner != nullptr && IsWindow(caret.owner) &&
           (hwnd == nullptr || hwnd == caret.owner);
}

}  // namespace

BOOL CreateCaret(HWND hWnd, HBITMAP, int nWidth, int nHeight) {
    if (!IsWindow(hWnd)) {
        return FALSE;
    }
    DestroyCaret();
    caret.owner = hWnd;
    caret.width = nWidth > 0 ? nWidth : GetSystemMetrics(SM_CXBORDER);
    caret.height = nHeight > 0 ? nHeight : GetSystemMetrics(SM_CYBORDER);
    caret.position = POINT{0, 0};
    caret.hideCount = 1;
    return TRUE;
}

BOOL DestroyCaret() {
    if (caret.owner == nullptr) {
        return FALSE;
    }
    if (IsWindow(caret.owner)) {
        InvalidateCaret();
    }
    caret = CaretState{};
    return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
    if (!OwnsCaret(hWnd)) {
        return FALSE;
    }
    if (caret.hideCount > 0 && --caret.hideCount == 0) {
        InvalidateCaret();
    }
    return TRUE;
}

BOOL HideCaret(HWND hWnd) {
    if (!OwnsCaret(hWnd)) {
        return FALSE;
    }
    InvalidateCaret();
    ++caret.hideCount;
    return TRUE;
}

BOOL SetCaretPos(int X, int Y) {
    if (!OwnsCaret(nullptr)) {
        return FALSE;
    }
    InvalidateCaret();
    caret.position = POINT{X, Y};
    InvalidateCaret();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr || caret.owner == nullptr) {
        return FALSE;
    }
    *lpPoint = caret.position;
    return TRUE;
}

namespace platform {

std::optional<RECT> VisibleCaret(HWND hwnd) {
    if (hwnd == nullptr || caret.owner != hwnd || caret.hideCount != 0) {
        return std::nullopt;
    }
    return CaretRect();
}

}  // namespace platform
