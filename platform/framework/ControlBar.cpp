#include "platform/framework/ControlBar.h"

#include <algorithm>

#include "platform/framework/DockBar.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

// Checks whether the mouse has left a bar that shows an item's prompt; the bar hears of no
// mouse move once the mouse is over another window.
constexpr UINT_PTR kFlybyTimer = 0xE001;
constexpr UINT kFlybyPeriod = 200;
// What a bar that stretches asks for; the free space cuts it down.
constexpr int kStretched = 32767;

}  // namespace

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::~CControlBar() {
    // Destroyed here, while the object is still a bar, so that it leaves the frame's lists.
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    if (m_pDockBar != nullptr) {
        m_pDockBar->RemoveControlBar(this);
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
    }
}

BOOL CControlBar::CreateBar(LPCSTR lpszClassName, DWORD dwWindowStyle, DWORD dwBarStyle,
                            const RECT& rect, CWnd* pParentWnd, UINT nID) {
    SetBarStyle(dwBarStyle);
    return CreateEx(0, lpszClassName, nullptr, WindowStyleOf(dwWindowStyle), rect, pParentWnd, nID);
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

BOOL CControlBar::IsVisible() const {
    if (pendingShow_ != PendingShow::None) {
        return pendingShow_ == PendingShow::Show;
    }
    return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow) {
    const bool visible = m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
    if ((bShow != FALSE) == visible) {
        pendingShow_ = PendingShow::None;
        return;
    }
    pendingShow_ = bShow ? PendingShow::Show : PendingShow::Hide;
}

DWORD CControlBar::RecalcDelayShow() {
    if (pendingShow_ == PendingShow::Show) {
        ShowWindow(SW_SHOWNA);
    } else if (pendingShow_ == PendingShow::Hide) {
        ShowWindow(SW_HIDE);
    }
    pendingShow_ = PendingShow::None;
    return GetStyle();
}

CFrameWnd* CControlBar::GetDockingFrame() const {
    return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CRect window;
    GetWindowRect(&window);
    CSize size(window.Width(), window.Height());
    if (bStretch) {
        (bHorz ? size.cx : size.cy) = kStretched;
    }
    return size;
}

INT_PTR CControlBar::HitTestCommand(CPoint) const {
    return -1;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND && message != WM_NOTIFY) {
        return CWnd::WindowProc(message, wParam, lParam);
    }
    // The windows placed on a bar talk to the bar; the frame that owns it is the one that
    // handles their commands, notifications and tool-tip texts.
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) {
        return result;
    }
    CWnd* owner = GetOwner();
    if (owner != nullptr && owner->m_hWnd != nullptr && owner->m_hWnd != m_hWnd) {
        return owner->SendMessage(message, wParam, lParam);
    }
    return 0;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    // The window the bar is made on stays its owner when the bar moves into a dock bar or a rebar.
    if (parent != nullptr) {
        SetOwner(parent);
    }
    if (parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    KillTimer(kFlybyTimer);
    if (flyby_ >= 0) {
        flyby_ = -1;
        ShowPrompt(-1);
    }
    if (m_pDockBar != nullptr) {
        m_pDockBar->RemoveControlBar(this);
        m_pDockBar = nullptr;
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) {
        delete this;
    }
}

void CControlBar::ShowPrompt(INT_PTR command) {
    CFrameWnd* frame = GetDockingFrame();
    if (frame != nullptr && frame->m_hWnd != nullptr) {
        frame->SetMessageText(command > 0 ? static_cast<UINT>(command) : AFX_IDS_IDLEMESSAGE);
    }
}

void CControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if ((m_dwStyle & CBRS_FLYBY) != 0) {
        INT_PTR command = HitTestCommand(point);
        command = command > 0 ? command : -1;
        if (command != flyby_) {
            flyby_ = command;
            ShowPrompt(command);
            if (command > 0) {
                SetTimer(kFlybyTimer, kFlybyPeriod);
            } else {
                KillTimer(kFlybyTimer);
            }
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CControlBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kFlybyTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) == m_hWnd) {
        return;
    }
    KillTimer(kFlybyTimer);
    flyby_ = -1;
    ShowPrompt(-1);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD style = RecalcDelayShow();
    if (layout == nullptr || (style & WS_VISIBLE) == 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0) {
        return 0;
    }
    const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(layout->bStretch, horizontal);
    CRect rect(layout->rect);
    size.cx = std::clamp<LONG>(size.cx, 0, std::max<LONG>(rect.Width(), 0));
    size.cy = std::clamp<LONG>(size.cy, 0, std::max<LONG>(rect.Height(), 0));
    if (horizontal) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if ((m_dwStyle & CBRS_ALIGN_TOP) != 0) {
            layout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if ((m_dwStyle & CBRS_ALIGN_LEFT) != 0) {
            layout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    MoveWindow(rect.left, rect.top, size.cx, size.cy);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if ((GetStyle() & WS_VISIBLE) == 0) {
        return 0;
    }
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner != nullptr && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                            ? static_cast<CFrameWnd*>(owner)
                            : GetParentFrame();
    if (target != nullptr) {
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    }
    return 0;
}
