#include "picture/FavoriteListBox.h"

#include "picture/MainFrame.h"

BEGIN_MESSAGE_MAP(CFavoriteListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CFavoriteListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDown(nFlags, point);
    TakeSelection(FALSE);
}

void CFavoriteListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDblClk(nFlags, point);
    TakeSelection(TRUE);
}

void CFavoriteListBox::TakeSelection(BOOL run) {
    const int selected = GetCurSel();
    auto* pFrame = dynamic_cast<glintora::CMainFrame*>(GetParentFrame());
    if (selected < 0 || pFrame == nullptr) {
        return;
    }
    CString text;
    GetText(selected, text);
    text.Trim();
    pFrame->TakeFavoriteEntry(text, run);
}
