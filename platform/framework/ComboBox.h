// The framework's combo box: the combo box's messages as members. Owner-drawn combo boxes are
// drawn, measured, compared and told of deleted items through DrawItem, MeasureItem, CompareItem
// and DeleteItem, which the parent's owner-draw messages reach through reflection.
#pragma once

#include "platform/controls/ComboBox.h"
#include "platform/framework/Wnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)

public:
    CComboBox() = default;

    // The rectangle's height is the height with the list dropped.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. AddString and InsertString give the index used (CBS_SORT chooses it), CB_ERR or
    // CB_ERRSPACE on failure; DeleteString gives the count left.
    int AddString(LPCSTR lpszString) { return Send(CB_ADDSTRING, 0, lpszString); }
    int InsertString(int nIndex, LPCSTR lpszString) {
        return Send(CB_INSERTSTRING, nIndex, lpszString);
    }
    int DeleteString(UINT nIndex) { return Send(CB_DELETESTRING, static_cast<int>(nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return Send(CB_GETCOUNT); }
    int GetLBText(int nIndex, LPSTR lpszText) const { return Send(CB_GETLBTEXT, nIndex, lpszText); }
    // Leaves the string empty for an index that does not exist.
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return Send(CB_GETLBTEXTLEN, nIndex); }
    DWORD_PTR GetItemData(int nIndex) const {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                            static_cast<LPARAM>(dwItemData)));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) {
        return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
    }

    // Searches start after nStartAfter (-1: from the top) and wrap around; CB_ERR when nothing
    // matches. FindString matches a prefix, FindStringExact the whole text, both without case.
    int FindString(int nStartAfter, LPCSTR lpszString) const {
        return Send(CB_FINDSTRING, nStartAfter, lpszString);
    }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
        return Send(CB_FINDSTRINGEXACT, nIndexStart, lpszFind);
    }
    int SelectString(int nStartAfter, LPCSTR lpszString) {
        return Send(CB_SELECTSTRING, nStartAfter, lpszString);
    }

    // Selection: -1 clears it; setting it by program sends no CBN_SELCHANGE.
    int GetCurSel() const { return Send(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Send(CB_SETCURSEL, nSelect); }

    // The edit part: selection start in the low word, end in the high word; (0, -1) selects all.
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int nStartChar, int nEndChar) {
        return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)));
    }
    BOOL LimitText(int nMaxChars) {
        return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)));
    }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }

    // The list.
    void ShowDropDown(BOOL bShowIt = TRUE) {
        SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt));
    }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void GetDroppedControlRect(LPRECT lprect) const {
        SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
    }
    int GetDroppedWidth() const { return Send(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT nWidth) { return Send(CB_SETDROPPEDWIDTH, static_cast<int>(nWidth)); }
    // nIndex -1 is the selection field; others the list's items.
    int SetItemHeight(int nIndex, UINT cyItemHeight) {
        return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex),
                                            MAKELPARAM(cyItemHeight, 0)));
    }
    int GetItemHeight(int nIndex) const { return Send(CB_GETITEMHEIGHT, nIndex); }
    int GetTopIndex() const { return Send(CB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Send(CB_SETTOPINDEX, nIndex); }

    // Owner draw; the framework's own do nothing (CompareItem keeps the order given).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    int Send(UINT message, int wParam = 0, LPCSTR text = nullptr) const {
        return static_cast<int>(
            SendMessage(message, static_cast<WPARAM>(wParam), reinterpret_cast<LPARAM>(text)));
    }
};
