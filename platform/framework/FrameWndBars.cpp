// The frame's control bars: docking, showing and hiding bars, the status line and the tool tips
// of bar buttons.
#include <algorithm>
#include <string>

#include "platform/controls/ToolTip.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/DockBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/text/Gbk.h"

namespace {

// The dock bars in the order a bar that may dock anywhere tries them.
struct DockSide {
    DWORD align;
    UINT id;
};
constexpr DockSide kDockSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

// The framework's own idle text, for programs whose string table has none.
constexpr const char* kDefaultIdleMessage = "就绪";

}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    for (const DockSide& side : kDockSides) {
        if ((dwDockStyle & side.align) == 0 || GetControlBar(side.id) != nullptr) {
            continue;
        }
        auto* dock = new CDockBar;
        if (!dock->Create(this,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.align,
                          side.id)) {
            delete dock;
        }
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    if (pBar == nullptr) {
        return;
    }
    for (const DockSide& side : kDockSides) {
        if ((nDockBarID == 0 || nDockBarID == side.id) && (pBar->m_dwDockStyle & side.align) != 0) {
            CControlBar* dock = GetControlBar(side.id);
            if (dock != nullptr && dock->IsDockBar()) {
                DockControlBar(pBar, static_cast<CDockBar*>(dock), lpRect);
                return;
            }
        }
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT) {
    if (pBar == nullptr || pDockBar == nullptr ||
        (pBar->m_dwDockStyle & pDockBar->GetBarStyle() & CBRS_ALIGN_ANY) == 0) {
        return;
    }
    pDockBar->DockControlBar(pBar);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        return;
    }
    pBar->DelayShow(bShow);
    if (bDelay) {
        DelayRecalcLayout();
        return;
    }
    pBar->RecalcDelayShow();
    RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    for (CControlBar* bar : m_listControlBars) {
        if (bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID) {
            return bar;
        }
    }
    return nullptr;
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) ==
        m_listControlBars.end()) {
        m_listControlBars.push_back(pBar);
    }
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    std::erase(m_listControlBars, pBar);
}

void CFrameWnd::DelayRecalcLayout(BOOL) {
    m_bDelayedLayout = TRUE;
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) {
    SendMessage(WM_SETMESSAGESTRING, nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    CString full;
    if (!full.LoadString(nID)) {
        rMessage = nID == AFX_IDS_IDLEMESSAGE ? kDefaultIdleMessage : "";
        return;
    }
    const int end = full.Find('\n');
    rMessage = end >= 0 ? full.Left(end) : full;
}

CWnd* CFrameWnd::GetMessageBar() {
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR)) {
        return bar;
    }
    return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT last = m_nIDLastMessage;
    const auto nID = static_cast<UINT>(wParam);
    if (CWnd* bar = GetMessageBar()) {
        CString message;
        if (nID != 0) {
            GetMessageString(nID, message);
        } else if (lParam != 0) {
            message = reinterpret_cast<LPCSTR>(lParam);
        }
        bar->SetWindowText(message);
    }
    m_nIDLastMessage = nID;
    m_nIDTracking = nID;
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    return OnSetMessageString(wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_bDelayedLayout) {
        RecalcLayout();
    }
    if (m_nIDTracking != m_nIDLastMessage) {
        SetMessageText(m_nIDTracking);
    }
    return 0;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if ((info->uFlags & TTF_IDISHWND) != 0) {
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    }
    if (nID == 0 || nID > 0xFFFF) {
        return FALSE;
    }
    std::string tip;
    CString full;
    if (full.LoadString(static_cast<UINT>(nID))) {
        const int start = full.Find('\n');
        if (start >= 0) {
            tip = static_cast<LPCSTR>(full.Mid(start + 1));
        }
    }
    const size_t length = platform::CutAtCharBoundary(tip, sizeof(info->szText) - 1);
    std::copy_n(tip.data(), length, info->szText);
    info->szText[length] = '\0';
    info->lpszText = info->szText;
    if (pResult != nullptr) {
        *pResult = 0;
    }
    return TRUE;
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr) {
        return FALSE;
    }
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (bar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}
