#include "platform/framework/ToolBarCtrl.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    platform::RegisterToolBarClass();
    if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID)) {
        return FALSE;
    }
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBarCtrl::GetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi) const {
    ptbbi->cbSize = sizeof(TBBUTTONINFO);
    return SendMessage(TB_GETBUTTONINFO, nID, reinterpret_cast<LPARAM>(ptbbi)) != -1;
}

BOOL CToolBarCtrl::SetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi) {
    ptbbi->cbSize = sizeof(TBBUTTONINFO);
    return SendBool(TB_SETBUTTONINFO, nID, reinterpret_cast<LPARAM>(ptbbi));
}
