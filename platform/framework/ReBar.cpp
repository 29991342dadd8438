#include "platform/framework/ReBar.h"

#include "platform/drawing/Bitmap.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

namespace {

constexpr int kStretched = 32767;

}  // namespace

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    SetBarStyle(dwStyle);
    // The frame places the bar; the control must not move itself to the top of its parent.
    const DWORD style = WindowStyleOf(dwStyle) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN |
                        CCS_NODIVIDER | CCS_NORESIZE;
    platform::RegisterReBarClass();
    return CWnd::CreateEx(0, REBARCLASSNAME, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::InsertBand(CWnd* pBar, REBARBANDINFOA& band) {
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_hWnd == nullptr) {
        return FALSE;
    }
    band.cbSize = sizeof(band);
    band.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    band.hwndChild = pBar->m_hWnd;
    band.wID = static_cast<UINT>(SendMessage(RB_GETBANDCOUNT));
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, TRUE);
    } else {
        CRect window;
        pBar->GetWindowRect(&window);
        size = CSize(window.Width(), window.Height());
    }
    band.cxMinChild = static_cast<UINT>(size.cx);
    band.cyMinChild = static_cast<UINT>(size.cy);
    return SendMessage(RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) !=
           0;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
    REBARBANDINFOA band{};
    band.fStyle = dwStyle;
    if (pszText != nullptr) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp != nullptr) {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = static_cast<HBITMAP>(*pbmp);
    }
    return InsertBand(pBar, band);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle) {
    REBARBANDINFOA band{};
    band.fStyle = dwStyle;
    band.fMask = RBBIM_COLORS;
    band.clrFore = clrFore;
    band.clrBack = clrBack;
    if (pszText != nullptr) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    return InsertBand(pBar, band);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = static_cast<LONG>(SendMessage(RB_GETBARHEIGHT));
    if (bStretch) {
        size.cx = kStretched;
    }
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    // The bars in the bands are the rebar's children and update themselves.
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    // Laying the frame out sizes the rebar, which may report its height again.
    if (inHeightChange_) {
        return;
    }
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        inHeightChange_ = true;
        static_cast<CFrameWnd*>(parent)->RecalcLayout();
        inHeightChange_ = false;
    }
}
