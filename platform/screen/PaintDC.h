// The framework's paint DC: BeginPaint in the constructor, EndPaint in the destructor. It takes
// the window's handle; a framework window object may be given instead.
#pragma once

#include <type_traits>

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd);
    // Over a framework window object (any class derived from CWnd).
    template <typename Wnd, typename = std::enable_if_t<std::is_base_of_v<CWnd, Wnd>>>
    explicit CPaintDC(Wnd* window) : CPaintDC(window->m_hWnd) {}
    ~CPaintDC() override;

    HWND m_hWnd = nullptr;
    PAINTSTRUCT m_ps{};
};
