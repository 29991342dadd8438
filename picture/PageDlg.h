// A tab page of the picture collector: the browser's page with a second, invisible browser (the
// search pane, control 1054) that loads outside result pages, a poll that takes picture and
// result-page links from it every 100 ms, and the list it then writes into the visible browser.
// The page also runs the picture collector's scripts: the picture-information script on the
// user-interface thread, a URL-list script on a worker thread of its own.
#pragma once

#include "browser/PageDlg.h"
#include "picture/ImageSearchResults.h"

struct IHTMLDocument2;

namespace glintora {

class CMainFrame;

class CPageDlg : public ::CPageDlg {
public:
    static constexpr int kSearchPaneId = 1054;
    static constexpr UINT_PTR kPollTimer = 101;
    static constexpr UINT kPollMilliseconds = 100;

    CPageDlg(CMainFrame& rFrame, CBrowserDataStore& rStore);

    BOOL OnInitDialog() override;

    // Lists the pictures of the keyword's first result page, or of resultPageUrl when it is not
    // empty (then the title stays). Always 1.
    int SearchPictures(CString keyword, CString resultPageUrl);
    // One poll over the search pane's document: 1 when the result page counts as loaded.
    int CollectImageLinks();
    // Writes the picture list into the page's browser. Always 0.
    int ShowPictureList();
    // Empties the result page in the search pane. Always 0.
    int ClearPictureList();
    // Runs html\imageinfo.dat here with @img_url and @img_name preset: 0 when it ran, 1 when the
    // script file cannot be loaded.
    int OpenImageInfoScript(CString url, CString name);
    // Runs html\urllist.dat with @img_name and @img_url preset on a worker thread of its own that
    // drives this page. Always 0.
    int StartUrlListThread(CString name, CString url);
    // Moves the page's browser over the client area and the search pane below it, no height.
    void LayoutPanes();

    CImageSearchResults m_results;
    int m_nPictureSearch = 0;
    int m_nPanesReady = 0;
    CWebBrowser2 m_wndSearchPane;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTitleChange(LPCSTR Text) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // The search pane's events.
    void OnPaneNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel);
    void OnPaneBeforeNavigate2(IDispatch* pDisp, VARIANT* URL, VARIANT* Flags,
                               VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers,
                               VARIANT_BOOL* Cancel);

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    void StartPoll();
    // The document of the control as an HTML document; null without one.
    static IHTMLDocument2* HtmlDocument(CWebBrowser2& browser);

    CMainFrame& m_frame;
};

}  // namespace glintora
