// The framework's rebar: a ReBarWindow32 as a control bar across the top of the frame, whose bands
// hold other bars (tool bars, dialog-like bars). AddBar puts a window into a new band sized to what
// the window asks for; the bands get the ids 0, 1, 2... in the order they are added. When the
// rebar's height changes (a band shown, hidden or moved to another row) the frame lays itself out
// again.
#pragma once

#include "platform/controls/ReBar.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/ReBarCtrl.h"

class CBitmap;

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)

public:
    CReBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);

    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);

    CReBarCtrl& GetReBarCtrl() const { return ControlView(reBarCtrl_); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    BOOL InsertBand(CWnd* pBar, REBARBANDINFOA& band);

    bool inHeightChange_ = false;
    mutable CReBarCtrl reBarCtrl_;
};
