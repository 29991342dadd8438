// The framework's paint DC: BeginPaint in the constructor, EndPaint in the destructor. It takes
// the window's handle; the framework's window class adds its own constructor over it.
#pragma once

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd);
    ~CPaintDC() override;

    HWND m_hWnd = nullptr;
    PAINTSTRUCT m_ps{};
};
