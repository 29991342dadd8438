// The main frame's tool bars: the background in the skin's tool colour, and the address label
// on the bar in the skin's tool text colour.
#pragma once

#include "platform/framework/ToolBar.h"

class CToolBarEx : public CToolBar {
    DECLARE_DYNAMIC(CToolBarEx)

public:
    // The static "地址:" before the address box.
    static constexpr int kAddressLabelId = 1032;

    CToolBarEx() = default;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
