// The framework's status bar control: its panes as members. Panes set with SBT_OWNERDRAW are drawn
// by DrawItem, which the parent's WM_DRAWITEM reaches through reflection.
#pragma once

#include "platform/controls/StatusBar.h"
#include "platform/framework/Wnd.h"

class CStatusBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CStatusBarCtrl)

public:
    CStatusBarCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // nType is 0 or SBT_ flags; for SBT_OWNERDRAW the text is the item data DrawItem receives.
    BOOL SetText(LPCSTR lpszText, int nPane, int nType);
    // The pane's text and, in pType, its SBT_ flags. Empty for a pane that does not exist.
    CString GetText(int nPane, int* pType = nullptr) const;
    int GetTextLength(int nPane, int* pType = nullptr) const;
    // Each width is the right edge of its pane; -1 stretches the last one to the bar's end.
    BOOL SetParts(int nParts, int* pWidths) {
        return static_cast<BOOL>(SendMessage(SB_SETPARTS, static_cast<WPARAM>(nParts),
                                             reinterpret_cast<LPARAM>(pWidths)));
    }
    // The number of panes; fills in the right edges of at most nParts of them.
    int GetParts(int nParts, int* pParts) const {
        return static_cast<int>(SendMessage(SB_GETPARTS, static_cast<WPARAM>(nParts),
                                            reinterpret_cast<LPARAM>(pParts)));
    }
    BOOL GetRect(int nPane, LPRECT lpRect) const {
        return static_cast<BOOL>(
            SendMessage(SB_GETRECT, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
    void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(nMin)); }
    BOOL SetSimple(BOOL bSimple = TRUE) {
        return static_cast<BOOL>(SendMessage(SB_SIMPLE, static_cast<WPARAM>(bSimple)));
    }
    BOOL IsSimple() const { return static_cast<BOOL>(SendMessage(SB_ISSIMPLE)); }
    BOOL SetIcon(int nPane, HICON hIcon) {
        return static_cast<BOOL>(
            SendMessage(SB_SETICON, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(hIcon)));
    }
    HICON GetIcon(int nPane) const {
        return reinterpret_cast<HICON>(SendMessage(SB_GETICON, static_cast<WPARAM>(nPane)));
    }
    void SetTipText(int nPane, LPCSTR pszTipText) {
        SendMessage(SB_SETTIPTEXT, static_cast<WPARAM>(nPane),
                    reinterpret_cast<LPARAM>(pszTipText));
    }
    CString GetTipText(int nPane) const;
    // The previous colour; CLR_DEFAULT restores the system's.
    COLORREF SetBkColor(COLORREF cr) {
        return static_cast<COLORREF>(SendMessage(SB_SETBKCOLOR, 0, static_cast<LPARAM>(cr)));
    }

    // Draws an owner-drawn pane; the framework's own draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
