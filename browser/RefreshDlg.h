// The refresh dialog: edits only the current page's automatic refresh, a time and its unit,
// which the caller gives and takes back.
#pragma once

#include "platform/framework/Dialog.h"

class CRefreshDlg : public CDialog {
public:
    explicit CRefreshDlg(CWnd* pParent = nullptr);

    // The unit is the combo's index: 0 seconds, 1 minutes, -1 none chosen. A time of 0 or less
    // turns the refresh off.
    int m_nRefreshUnit = -1;
    int m_nRefreshTime = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
