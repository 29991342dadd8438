// The framework's whole-window DC (frame included): GetWindowDC in the constructor, ReleaseDC in
// the destructor. It takes the window's handle (null: the screen); the framework's window class
// adds its own constructor over it.
#pragma once

#include "platform/drawing/DC.h"
#include "platform/windows/WindowApi.h"

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hwnd);
    ~CWindowDC() override;

    HWND m_hWnd = nullptr;
};
