#include "platform/screen/PaintDC.h"

CPaintDC::CPaintDC(HWND hwnd) : m_hWnd(hwnd) {
    Attach(BeginPaint(hwnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    Detach();
    EndPaint(m_hWnd, &m_ps);
}
