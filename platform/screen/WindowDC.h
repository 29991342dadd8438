// The framework's whole-window DC (frame included): GetWindowDC in the constructor, ReleaseDC in
// the destructor. It takes the window's handle (null: the screen); a framework window object
// may be given instead.
#pragma once

#include <concepts>

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CWnd;

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hwnd);
    // Over a framework window object (any class derived from CWnd).
    template <typename Wnd>
    requires requires(Wnd* window) {
        { window->m_hWnd } -> std::convertible_to<HWND>;
    }
    explicit CWindowDC(Wnd* window) : CWindowDC(window->m_hWnd) {}
    ~CWindowDC() override;

    HWND m_hWnd = nullptr;
};
