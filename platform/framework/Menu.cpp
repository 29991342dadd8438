#include "platform/framework/Menu.h"

#include "platform/framework/MenuHandleMap.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr) {
        return nullptr;
    }
    if (CMenu* permanent = platform::MenuHandleMap::Permanent(hMenu)) {
        return permanent;
    }
    return platform::MenuHandleMap::Temporary(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    return hMenu != nullptr ? platform::MenuHandleMap::Permanent(hMenu) : nullptr;
}

void CMenu::DeleteTempMap() {
    platform::MenuHandleMap::DeleteTemporaries();
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr || !platform::MenuHandleMap::Add(hMenu, this)) {
        return FALSE;
    }
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && FromHandlePermanent(hMenu) == this) {
        platform::MenuHandleMap::Remove(hMenu);
    }
    m_hMenu = nullptr;
    return hMenu;
}

namespace {

// Gives a new handle to the object, or destroys it when the object cannot take it.
BOOL Adopt(CMenu& menu, HMENU hMenu) {
    if (hMenu == nullptr) {
        return FALSE;
    }
    if (!menu.Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL CMenu::CreateMenu() {
    return m_hMenu == nullptr && Adopt(*this, ::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return m_hMenu == nullptr && Adopt(*this, ::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
    return m_hMenu == nullptr &&
           Adopt(*this, ::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const MENUTEMPLATEA* lpMenuTemplate) {
    return m_hMenu == nullptr && Adopt(*this, ::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    char* buffer = rString.GetBufferSetLength(length);
    const int copied = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxHwndOf(pWnd), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, AfxHwndOf(pWnd), lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
