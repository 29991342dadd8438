#include "platform/framework/Document.h"

#include <algorithm>

#include "platform/framework/DocTemplate.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
    for (CView* view : views_) {
        view->m_pDocument = nullptr;
    }
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

void CDocument::AddView(CView* pView) {
    views_.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    auto found = std::find(views_.begin(), views_.end(), pView);
    if (found == views_.end()) {
        return;
    }
    views_.erase(found);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    const std::vector<CView*> views = views_;
    for (CView* view : views) {
        if (view != pSender) {
            view->OnUpdate(pSender, lHint, pHint);
        }
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnChangedViewList() {
    if (views_.empty() && m_bAutoDelete) {
        OnCloseDocument();
    }
}

void CDocument::OnCloseDocument() {
    // The views' frames go first; the document must outlive them while they do.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!views_.empty()) {
        const size_t before = views_.size();
        CView* view = views_.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr) {
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        if (views_.size() == before) {
            RemoveView(view);
        }
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
