// The framework's client-area DC: GetDC in the constructor, ReleaseDC in the destructor. It
// takes the window's handle (null: the screen); the framework's window class adds its own
// constructor over it.
#pragma once

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd);
    ~CClientDC() override;

    HWND m_hWnd = nullptr;
};
