// The view of the document/view design: a child of its frame (the pane with id
// AFX_IDW_PANE_FIRST) that shows a document. It joins its document when created, gets
// OnInitialUpdate once the frame is built, paints through OnDraw, and deletes itself when its
// window is destroyed. Commands it does not handle go on to its document.
#pragma once

#include "platform/framework/Wnd.h"

class CDocument;
class CFrameWnd;

// What a print job carries between the view's printing steps.
struct CPrintInfo {
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();
    // Invalidates the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC*) {}

    // Printing. There is no printer here: DoPreparePrinting answers as a print dialog the user
    // cancelled, so the printing commands end after OnPreparePrinting without printing a page.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The framework's commands, for the view's message map (print, direct print, preview).
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CView() = default;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
};
