// The about page: the version line over the local page data2/about.htm, and a button that opens
// the maker's home page.
#pragma once

#include "common/WebBrowser2.h"
#include "manager/HintButton.h"
#include "manager/SkinnedPage.h"

inline constexpr char kHomePage[] = "http://www.larchway.cn";

class CAboutPage : public CSkinnedPage {
public:
    CAboutPage();

    // Shows the about page, then loads the skin; TRUE when the skin loaded.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Navigates to data2/about.htm in the running program's folder. Returns 0.
    int NavigateAboutPage();

    int RecalcLayout() override;

    CWebBrowser2 m_wndBrowser;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The title, then the version line in blue.
    void DrawContent(CDC* buffer, const CRect& client) override;

    afx_msg void OnHomePage();
    // Draws through the paint DC.
    afx_msg void OnPaint();
    // Draws the page first, then erases as a dialog does.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CHintButton homePage_;
};
