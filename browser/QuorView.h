// The browser's view: an empty client area under the bars that is the parent of every tab page.
// Its first update is where browsing starts.
#pragma once

#include "platform/framework/View.h"

class CQuorView : public CView {
    DECLARE_DYNCREATE(CQuorView)

public:
    ~CQuorView() override;

    // The view that new pages are made children of, once its first update ran; null before.
    static CQuorView* GetPageParent();

    // Records the page parent, then opens the first pages.
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

protected:
    CQuorView() = default;

    // The first tab on "about:blank", then the start page and the version announcement, and on
    // a first run the welcome question.
    virtual void OpenFirstPages();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
