#include "platform/screen/WindowDC.h"

#include "platform/screen/ScreenApi.h"

CWindowDC::CWindowDC(HWND hwnd) : m_hWnd(hwnd) {
    Attach(GetWindowDC(hwnd));
}

CWindowDC::~CWindowDC() {
    ReleaseDC(m_hWnd, Detach());
}
