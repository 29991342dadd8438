#include "platform/framework/CommonDialog.h"

#include "platform/framework/SafeOwner.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

HWND CCommonDialog::OwnerWindow() const {
    return platform::SafeOwnerWindow(AfxHwndOf(m_pParentWnd));
}
