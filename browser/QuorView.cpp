#include "browser/QuorView.h"

#include "browser/FirstRun.h"
#include "browser/ViewHost.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_DYNCREATE(CQuorView, CView)

BEGIN_MESSAGE_MAP(CQuorView, CView)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {

CQuorView* pageParent = nullptr;

}  // namespace

CQuorView::~CQuorView() {
    if (pageParent == this) {
        pageParent = nullptr;
    }
}

CQuorView* CQuorView::GetPageParent() {
    return pageParent;
}

void CQuorView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (pageParent == nullptr) {
        pageParent = this;
    }
    OpenFirstPages();
}

void CQuorView::OpenFirstPages() {
    ViewHost* host = ViewHost::Of(this);
    if (host == nullptr) {
        return;
    }
    host->OpenUrl("about:blank", 1, 1);
    host->OpenStartPage();
    CFirstRun::Check(*GetParentFrame());
}

void CQuorView::OnDraw(CDC*) {}

BOOL CQuorView::OnEraseBkgnd(CDC* pDC) {
    ViewHost* host = ViewHost::Of(this);
    if (host != nullptr && host->HasCurrentPage()) {
        return TRUE;
    }
    return CView::OnEraseBkgnd(pDC);
}

void CQuorView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (ViewHost* host = ViewHost::Of(this)) {
        host->LayoutBars();
    }
}
