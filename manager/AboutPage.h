// The about page: the version line over the local page data2/about.htm, and a button that opens
// the maker's home page.
#pragma once

#include "common/WebBrowser2.h"
#include "manager/HintButton.h"
#include "manager/ManagerPage.h"
#include "manager/PagePainter.h"
#include "platform/drawing/Brush.h"

inline constexpr char kHomePage[] = "http://www.larchway.cn";

class CAboutPage : public CManagerPage {
public:
    CAboutPage();

    // Shows the about page, then loads the skin; TRUE when the skin loaded.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Navigates to data2/about.htm in the running program's folder. Returns 0.
    int NavigateAboutPage();

    int RecalcLayout() override;
    void DrawTitle();

    CWebBrowser2 m_wndBrowser;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnHomePage();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CPagePainter painter_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
    CHintButton homePage_;
};
