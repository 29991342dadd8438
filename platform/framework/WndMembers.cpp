// The member wrappers of CWnd over the window manager's functions.
#include <algorithm>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBuffer(length + 1);
    const int copied = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (item != nullptr) {
        CWnd(item).GetWindowText(rString);
    }
    return rString.GetLength();
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        CheckDlgButton(nID, nID == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::GetDlgItem(m_hWnd, nID) != nullptr && IsDlgButtonChecked(nID) != 0) {
            return nID;
        }
    }
    return 0;
}

CWnd* CWnd::GetOwner() const {
    if (ownerOverride_ != nullptr) {
        return FromHandle(ownerOverride_);
    }
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const {
    HWND top = m_hWnd;
    while (top != nullptr && (::GetWindowLongA(top, GWL_STYLE) & WS_CHILD) != 0) {
        HWND parent = ::GetParent(top);
        if (parent == nullptr) {
            break;
        }
        top = parent;
    }
    return FromHandle(top);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    // The framework's wndTop, wndBottom, wndTopMost and wndNoTopMost are handles such as
    // HWND_TOPMOST passed as object pointers.
    HWND after = reinterpret_cast<HWND>(const_cast<CWnd*>(pWndInsertAfter));
    const auto value = reinterpret_cast<LONG_PTR>(pWndInsertAfter);
    if (value > 1 || value < -2) {
        after = pWndInsertAfter->m_hWnd;
    }
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (lpScrollInfo == nullptr) {
        return FALSE;
    }
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const {
    if (lpScrollInfo == nullptr) {
        return FALSE;
    }
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    const bool child = (GetStyle() & WS_CHILD) != 0;
    HWND center = pAlternateOwner != nullptr
                      ? pAlternateOwner->m_hWnd
                      : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT window{};
    GetWindowRect(&window);
    RECT area{};
    RECT around{};
    if (child) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        around = area;
        if (center != nullptr && center != parent) {
            ::GetWindowRect(center, &around);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&around), 2);
        }
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&window), 2);
    } else {
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        around = area;
        if (center != nullptr && ::IsWindowVisible(center) && !::IsIconic(center)) {
            ::GetWindowRect(center, &around);
        }
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = (around.left + around.right) / 2 - width / 2;
    int y = (around.top + around.bottom) / 2 - height / 2;
    // Kept inside the area where it fits; the left and top edges win when it does not.
    x = std::max(std::min(x, static_cast<int>(area.right) - width), static_cast<int>(area.left));
    y = std::max(std::min(y, static_cast<int>(area.bottom) - height), static_cast<int>(area.top));
    ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const auto style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (style == changed) {
        return FALSE;
    }
    ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const auto style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE));
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (style == changed) {
        return FALSE;
    }
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, static_cast<LONG>(changed));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    RECT area{};
    LPCRECT rect = lpRectUpdate;
    if (rect == nullptr && prgnUpdate != nullptr) {
        prgnUpdate->GetRgnBox(&area);
        rect = &area;
    }
    if (flags & RDW_INVALIDATE) {
        ::InvalidateRect(m_hWnd, rect, (flags & RDW_ERASE) != 0);
    } else if (flags & RDW_VALIDATE) {
        ::ValidateRect(m_hWnd, rect);
    }
    if (flags & RDW_ALLCHILDREN) {
        for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            CWnd(child).RedrawWindow(nullptr, nullptr, flags);
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        ::UpdateWindow(m_hWnd);
    }
    return TRUE;
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND parent = ::GetParent(m_hWnd); parent != nullptr; parent = ::GetParent(parent)) {
        CWnd* window = FromHandlePermanent(parent);
        if (window != nullptr && window->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
            return static_cast<CFrameWnd*>(window);
        }
    }
    return nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr) {
        layout.rect = *lpRectClient;
    } else {
        ::GetClientRect(m_hWnd, &layout.rect);
    }
    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver) {
            leftOver = child;
        } else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child) != nullptr) {
            ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }
    if (nFlag == reposQuery) {
        if (lpRectParam != nullptr) {
            *lpRectParam = layout.rect;
        }
        return;
    }
    if (nFlag == reposExtra && lpRectParam != nullptr) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (leftOver != nullptr && nIDLeftOver != 0) {
        CWnd* pane = FromHandle(leftOver);
        pane->CalcWindowRect(&layout.rect);
        ::MoveWindow(leftOver, layout.rect.left, layout.rect.top,
                     layout.rect.right - layout.rect.left, layout.rect.bottom - layout.rect.top,
                     TRUE);
    }
}
