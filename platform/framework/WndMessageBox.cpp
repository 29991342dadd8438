// CWnd::MessageBox: a box owned by this window, captioned with the application's title unless the
// caller names one.
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(),
                         nType);
}
