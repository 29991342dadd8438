// Update-UI: the state a command's update handler sets on the item that issues the command (a menu
// item, a tool-bar button, any window). Items whose command has no update handler keep their
// state: nothing is disabled for lack of a handler.
#pragma once

#include "platform/base/WinTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);

    // Called by an update handler that wants the next command target to decide too.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's routing for the state of m_nID; with bDisableIfNoHndler the item is also
    // disabled when no command handler exists. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    // The menu item being updated (m_pMenu, m_nIndex), or the window (m_pOther).
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};
