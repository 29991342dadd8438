#include "platform/framework/HeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    platform::RegisterHeaderClass();
    return CWnd::Create("SysHeader32", nullptr, dwStyle, rect, pParentWnd, nID);
}
