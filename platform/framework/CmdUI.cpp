#include "platform/framework/CmdUI.h"

#include "platform/framework/MenuItemAccess.h"
#include "platform/framework/Wnd.h"

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            if (platform::MenuItemAccess* menus = platform::GetMenuItemAccess()) {
                menus->Enable(m_pMenu, m_nIndex, bOn != FALSE);
            }
        }
    } else if (m_pOther != nullptr) {
        // Disabling the window that has the focus would strand the keyboard; the focus moves to
        // the parent first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            ::SetFocus(::GetParent(m_pOther->m_hWnd));
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            if (platform::MenuItemAccess* menus = platform::GetMenuItemAccess()) {
                menus->SetCheck(m_pMenu, m_nIndex, nCheck);
            }
        }
    } else if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            if (platform::MenuItemAccess* menus = platform::GetMenuItemAccess()) {
                menus->SetRadio(m_pMenu, m_nIndex, bOn != FALSE);
            }
        }
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            if (platform::MenuItemAccess* menus = platform::GetMenuItemAccess()) {
                menus->SetText(m_pMenu, m_nIndex, lpszText);
            }
        }
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || pTarget == nullptr) {
        return TRUE;
    }
    m_bEnableChanged = FALSE;
    const BOOL handled =
        pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}
