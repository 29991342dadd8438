#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "platform/controls/ToolBar.h"
#include "platform/framework/CmdUI.h"
#include "resources/quorra/resource.h"

namespace {

// Pop-ups of the main menu's "菜单", and of its "收藏(&A)", by position.
constexpr int kToolsPopup = 0;
constexpr int kFavoritesPopup = 3;
constexpr int kFavoriteItemsPopup = 7;

}  // namespace

CMenuEx* CMainFrame::GetMainMenuPopup(int position) const {
    CMenuEx* pMenu = m_pMainMenu != nullptr ? m_pMainMenu->GetSubMenu(0) : nullptr;
    return pMenu != nullptr ? pMenu->GetSubMenu(position) : nullptr;
}

CMenuEx* CMainFrame::GetFavoriteItemsMenu() const {
    CMenuEx* pFavorites = GetMainMenuPopup(kFavoritesPopup);
    return pFavorites != nullptr ? pFavorites->GetSubMenu(kFavoriteItemsPopup) : nullptr;
}

void CMainFrame::OnMenuButton() {
    CMenuEx* pMenu = m_pMainMenu != nullptr ? m_pMainMenu->GetSubMenu(0) : nullptr;
    if (pMenu == nullptr) {
        return;
    }
    CRect rect;
    m_wndMenuButton.GetWindowRect(&rect);
    pMenu->TrackPopupMenu(TPM_LEFTALIGN, rect.left + 1, rect.bottom + 1, this);
}

void CMainFrame::OnFavoritesButton() {
    CMenuEx* pItems = GetFavoriteItemsMenu();
    if (pItems == nullptr) {
        return;
    }
    CRect rect;
    m_wndToolBar.GetItemRect(m_wndToolBar.CommandToIndex(ID_FAVORITES), &rect);
    m_wndToolBar.ClientToScreen(&rect);
    pItems->TrackPopupMenu(TPM_LEFTALIGN, rect.left, rect.bottom + 1, this);
}

void CMainFrame::OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pNote = reinterpret_cast<const NMTOOLBARA*>(pNMHDR);
    *pResult = TBDDRET_DEFAULT;
    CRect rect(pNote->rcButton);
    ::MapWindowPoints(pNote->hdr.hwndFrom, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    const CPoint at(rect.left, rect.bottom + 1);
    CMenu* pPopup = nullptr;
    switch (pNote->iItem) {
        case ID_PAGE_OPTIONS:
            pPopup = GetMainMenuPopup(kToolsPopup);
            break;
        case ID_REFRESH:
            pPopup = m_refreshMenu.GetSubMenu(0);
            break;
        case ID_GO_BACK:
            ShowTravelMenu(CTravelLogHelper::kBack, at);
            return;
        case ID_GO_FORWARD:
            ShowTravelMenu(CTravelLogHelper::kForward, at);
            return;
        case ID_FAVORITES:
            pPopup = GetMainMenuPopup(kFavoritesPopup);
            break;
        case ID_VIEW_ADDRESS_BAR: {
            CMenu fontSizes;
            if (fontSizes.LoadMenu(IDR_FONTSIZE_MENU)) {
                if (CMenu* pSizes = fontSizes.GetSubMenu(0)) {
                    pSizes->TrackPopupMenu(TPM_LEFTALIGN, at.x, at.y, this);
                }
                fontSizes.DestroyMenu();
            }
            return;
        }
        default:
            return;
    }
    if (pPopup != nullptr) {
        pPopup->TrackPopupMenu(TPM_LEFTALIGN, at.x, at.y, this);
    }
}

BOOL CMainFrame::AttachSelectedTravelLog() {
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr) {
        return FALSE;
    }
    IDispatch* pApplication = pPage->m_wndBrowser.GetApplication();
    if (pApplication == nullptr) {
        return FALSE;
    }
    m_travelLog.AttachTravelLog(pApplication);
    pApplication->Release();
    return TRUE;
}

void CMainFrame::ShowTravelMenu(int direction, CPoint at) {
    // A page whose control has no application object has no history to list.
    if (!AttachSelectedTravelLog()) {
        return;
    }
    while (m_travelMenu.GetMenuItemCount() > 0) {
        m_travelMenu.DeleteMenu(0, MF_BYPOSITION);
    }
    m_travelLog.FillTravelMenu(&m_travelMenu, CTravelLogHelper::kMaxMenuItems, direction);
    if (m_travelMenu.GetMenuItemCount() > 0) {
        m_travelMenu.TrackPopupMenu(TPM_LEFTALIGN, at.x, at.y, this);
    }
}

void CMainFrame::OnUpdateGoBack(CCmdUI* pCmdUI) {
    pCmdUI->Enable(AttachSelectedTravelLog() && m_travelLog.CanTravel(CTravelLogHelper::kBack));
}

void CMainFrame::OnUpdateGoForward(CCmdUI* pCmdUI) {
    pCmdUI->Enable(AttachSelectedTravelLog() && m_travelLog.CanTravel(CTravelLogHelper::kForward));
}

void CMainFrame::OnTravelBack(UINT nID) {
    if (AttachSelectedTravelLog()) {
        m_travelLog.TravelTo(static_cast<int>(CTravelLogHelper::kBackBaseId) -
                             static_cast<int>(nID));
    }
}

void CMainFrame::OnTravelForward(UINT nID) {
    if (AttachSelectedTravelLog()) {
        m_travelLog.TravelTo(static_cast<int>(nID - CTravelLogHelper::kForwardBaseId));
    }
}
