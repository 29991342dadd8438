// What the lookup page's child dialogs share: white controls with transparent text, the key
// filter that keeps Enter and Esc from closing them, and the trimmed text of an edit.
#pragma once

#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CLookupDlg : public CDialog {
public:
    using CDialog::CDialog;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The control's text without white space at either end.
    CString TrimmedText(int id) const;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBrush whiteBrush_{RGB(255, 255, 255)};
};
