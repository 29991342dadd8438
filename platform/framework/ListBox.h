// The framework's list box: the list box's messages as members. Owner-drawn list boxes are drawn,
// measured, compared and told of deleted items through DrawItem, MeasureItem, CompareItem and
// DeleteItem, which the parent's WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM
// reach through reflection.
#pragma once

#include "platform/controls/ListBox.h"
#include "platform/framework/Wnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)

public:
    CListBox() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. AddString and InsertString give the index used (a sorted list box chooses it),
    // LB_ERR or LB_ERRSPACE on failure; DeleteString gives the count left.
    int AddString(LPCSTR lpszItem) { return Send(LB_ADDSTRING, 0, lpszItem); }
    int InsertString(int nIndex, LPCSTR lpszItem) {
        return Send(LB_INSERTSTRING, nIndex, lpszItem);
    }
    int DeleteString(UINT nIndex) { return Send(LB_DELETESTRING, nIndex); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return Send(LB_GETCOUNT); }
    int GetText(int nIndex, LPSTR lpszBuffer) const { return Send(LB_GETTEXT, nIndex, lpszBuffer); }
    // Leaves the string empty for an index that does not exist.
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return Send(LB_GETTEXTLEN, nIndex); }
    DWORD_PTR GetItemData(int nIndex) const {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                            static_cast<LPARAM>(dwItemData)));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) {
        return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
    }

    // Searches start after nStartAfter (-1: from the top) and wrap around; LB_ERR when nothing
    // matches. FindString matches a prefix, FindStringExact the whole text, both without case.
    int FindString(int nStartAfter, LPCSTR lpszItem) const {
        return Send(LB_FINDSTRING, nStartAfter, lpszItem);
    }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
        return Send(LB_FINDSTRINGEXACT, nIndexStart, lpszFind);
    }
    int SelectString(int nStartAfter, LPCSTR lpszItem) {
        return Send(LB_SELECTSTRING, nStartAfter, lpszItem);
    }

    // Single selection: -1 clears it.
    int GetCurSel() const { return Send(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Send(LB_SETCURSEL, nSelect); }
    // Multiple selection: nIndex -1 means every item.
    int SetSel(int nIndex, BOOL bSelect = TRUE) {
        return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(bSelect), nIndex));
    }
    int GetSel(int nIndex) const { return Send(LB_GETSEL, nIndex); }
    int GetSelCount() const { return Send(LB_GETSELCOUNT); }
    int GetSelItems(int nMaxItems, int* rgIndex) const {
        return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems),
                                            reinterpret_cast<LPARAM>(rgIndex)));
    }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem) {
        return static_cast<int>(SendMessage(LB_SELITEMRANGE, static_cast<WPARAM>(bSelect),
                                            MAKELPARAM(nFirstItem, nLastItem)));
    }
    int GetCaretIndex() const { return Send(LB_GETCARETINDEX); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) {
        return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(nIndex),
                                            static_cast<LPARAM>(bScroll)));
    }
    int GetAnchorIndex() const { return Send(LB_GETANCHORINDEX); }
    void SetAnchorIndex(int nIndex) { SendMessage(LB_SETANCHORINDEX, static_cast<WPARAM>(nIndex)); }

    // Geometry.
    int GetTopIndex() const { return Send(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Send(LB_SETTOPINDEX, nIndex); }
    int GetItemRect(int nIndex, LPRECT lpRect) const {
        return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                            reinterpret_cast<LPARAM>(lpRect)));
    }
    // The item nearest the point; bOutside is TRUE when the point is in none.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    // nIndex is ignored unless the list box is LBS_OWNERDRAWVARIABLE.
    int SetItemHeight(int nIndex, UINT cyItemHeight) {
        return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex),
                                            MAKELPARAM(cyItemHeight, 0)));
    }
    int GetItemHeight(int nIndex) const { return Send(LB_GETITEMHEIGHT, nIndex); }
    int GetHorizontalExtent() const { return Send(LB_GETHORIZONTALEXTENT); }
    void SetHorizontalExtent(int cxExtent) {
        SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent));
    }

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
