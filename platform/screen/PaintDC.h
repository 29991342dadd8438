// The framework's paint DC: BeginPaint in the constructor, EndPaint in the destructor. It takes
// the window's handle; a framework window object may be given instead.
#pragma once

#include <concepts>

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd);
    // Over a framework window object (any class derived from CWnd).
    template <typename Wnd>
    requires requires(Wnd* window) {
        { window->m_hWnd } -> std::convertible_to<HWND>;
    }
    explicit CPaintDC(Wnd* window) : CPaintDC(window->m_hWnd) {}
    ~CPaintDC() override;

    HWND m_hWnd = nullptr;
    PAINTSTRUCT m_ps{};
};
