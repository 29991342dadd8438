#include "manager/DialogKeyFilter.h"

BOOL FilterDialogKeys(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
}

BOOL FilterEscapeKey(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE;
}
