#include "browser/ReBarEx.h"

#include "browser/SkinColors.h"

IMPLEMENT_DYNAMIC(CReBarEx, CReBar)

BEGIN_MESSAGE_MAP(CReBarEx, CReBar)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CReBarEx::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, Skin().toolBrush);
    return TRUE;
}
