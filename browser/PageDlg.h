// One browser tab: a modeless child dialog whose only visible content is the WebBrowser control.
// The page keeps the tab's address, title, status text and load progress, passes the control's
// events on to the window that holds the tabs, runs document commands on the loaded document,
// and reloads itself on a timer when asked to.
#pragma once

#include "common/WebBrowser2.h"
#include "platform/framework/Dialog.h"

class CBrowserDataStore;
class CPageHost;

class CPageDlg : public CDialog {
public:
    enum { IDD = 102 };
    // The control's id in the template.
    static constexpr int kBrowserId = 1001;
    static constexpr UINT_PTR kRefreshTimer = 1;
    // Document commands of SetCharset: the encoding menu's ids.
    static constexpr int kCharsetWestern = 32836;
    static constexpr int kCharsetSimplified = 32837;
    static constexpr int kCharsetTraditional = 32838;
    static constexpr int kCharsetShiftJis = 32839;
    static constexpr int kCharsetEucJp = 33001;
    static constexpr int kCharsetAutoSelect = 33002;

    // The page tells rHost of its events and records visits in rStore; both outlive it.
    CPageDlg(CPageHost& rHost, CBrowserDataStore& rStore);
    ~CPageDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Marks the page as closing before its window goes, so that its control can no longer open
    // windows or navigate while it is torn down.
    BOOL DestroyWindow() override;

    // OLE command `command` on the loaded document (print 6, print preview 7, page setup 8,
    // properties 10); nothing without a document. Always 0.
    virtual int ExecCommand(int command);
    // The same in the MSHTML group (find 1, view source 2, Internet options 3). Always 0.
    virtual int ExecMshtmlCommand(int command);
    // Sets the document's character set from an encoding menu command and reloads the page.
    virtual void SetCharset(int menuId);
    void GetRefresh(int& time, int& unit) const;
    // Reloads every `time` minutes (unit 1) or seconds (any other unit); time 0 or less stops.
    void SetRefresh(int time, int unit);

    int m_nFirstNavigate = 1;
    int m_nRefreshTime = 0;
    int m_nRefreshUnit = 1;
    UINT_PTR m_nRefreshTimerId = 0;
    int m_bClosing = 0;
    CString m_strUrl = "about:blank";
    CString m_strTitle = "about:blank";
    CString m_strStatusText;
    int m_nProgress = 0;
    CWebBrowser2 m_wndBrowser;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnDestroy();

    // The control's events.
    virtual void OnNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* Cancel);
    virtual void OnStatusTextChange(LPCSTR Text);
    virtual void OnTitleChange(LPCSTR Text);
    virtual void OnDocumentComplete(IDispatch* pDisp, VARIANT* URL);
    virtual void OnBeforeNavigate2(IDispatch* pDisp, VARIANT* URL, VARIANT* Flags,
                                   VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers,
                                   VARIANT_BOOL* Cancel);
    virtual void OnProgressChange(long Progress, long ProgressMax);

    CPageHost& m_host;
    CBrowserDataStore& m_store;

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    // Starts timer 1 with the period of the refresh setting.
    void StartRefreshTimer();
    void KillRefreshTimer();
    // Runs Exec on the document's command target in `group` (null for the standard group).
    void ExecDocumentCommand(const GUID* group, int command);
};
