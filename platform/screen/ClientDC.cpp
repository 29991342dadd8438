#include "platform/screen/ClientDC.h"

#include "platform/screen/ScreenApi.h"

CClientDC::CClientDC(HWND hwnd) : m_hWnd(hwnd) {
    Attach(GetDC(hwnd));
}

CClientDC::~CClientDC() {
    ReleaseDC(m_hWnd, Detach());
}
