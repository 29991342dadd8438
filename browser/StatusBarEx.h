// The skinned status bar of the main frame: the page's status text in pane 0, the progress bar
// over pane 1 and the page area's size in pane 2, painted in the skin's status colours.
#pragma once

#include "browser/ProgressButton.h"
#include "platform/framework/StatusBar.h"

class CStatusBarEx : public CStatusBar {
    DECLARE_DYNAMIC(CStatusBarEx)

public:
    static constexpr int kProgressPane = 1;

    CStatusBarEx() = default;

    // The progress bar as the bar's child; it follows pane 1 from the next size change on.
    BOOL CreateProgress();

    CProgressButton progress;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
