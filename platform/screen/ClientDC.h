// The framework's client-area DC: GetDC in the constructor, ReleaseDC in the destructor. It
// takes the window's handle (null: the screen); a framework window object may be given
// instead.
#pragma once

#include <concepts>

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd);
    // Over a framework window object (any class derived from CWnd).
    template <typename Wnd>
    requires requires(Wnd* window) {
        { window->m_hWnd } -> std::convertible_to<HWND>;
    }
    explicit CClientDC(Wnd* window) : CClientDC(window->m_hWnd) {}
    ~CClientDC() override;

    HWND m_hWnd = nullptr;
};
