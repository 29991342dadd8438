// What the manager's modal dialogs share: a white background, a body that drags the dialog like
// its caption, a paint that only validates (the controls paint themselves), and the key filter
// that keeps Enter and Esc from closing the dialog.
#pragma once

#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CManagerModalDlg : public CDialog {
public:
    CManagerModalDlg(UINT nIDTemplate, CWnd* pParentWnd);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

    CBrush m_whiteBrush{RGB(255, 255, 255)};
};
