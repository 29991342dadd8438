// A small dialog that hosts one of the picture collector frame's own browsers: the hidden search
// pane that loads the companion search page, or the left pane under the tabs. Its browser fills
// the dialog; a window the page opens goes to a new tab as from any page.
#pragma once

#include "browser/WebBrowser2.h"
#include "platform/framework/Dialog.h"
#include "resources/glintora/resource.h"

class CPageHost;

class CPictureListPane : public CDialog {
public:
    enum { IDD = IDD_PICTURE_LIST_PANE };
    static constexpr int kBrowserId = 1001;

    explicit CPictureListPane(CPageHost& rHost);

    CWebBrowser2 m_wndBrowser;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void OnNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel);

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    CPageHost& m_host;
};
