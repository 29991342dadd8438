// The framework's list view: the list view's messages as members. A list view with
// LVS_OWNERDRAWFIXED is drawn row by row by DrawItem, which the parent's WM_DRAWITEM reaches
// through reflection.
#pragma once

#include "platform/controls/ListView.h"
#include "platform/framework/HeaderCtrl.h"
#include "platform/framework/Position.h"
#include "platform/framework/Wnd.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)

public:
    CListCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Colours; CLR_NONE for no background.
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF cr) { return SendBool(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF cr) {
        return SendBool(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr));
    }
    COLORREF GetTextBkColor() const {
        return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR));
    }
    BOOL SetTextBkColor(COLORREF cr) {
        return SendBool(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr));
    }
    // The LVS_EX_ styles; Set gives the previous ones.
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    DWORD SetExtendedStyle(DWORD dwNewStyle) {
        return static_cast<DWORD>(
            SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
    }

    // Columns. InsertColumn gives the index used, -1 on failure; a width or sub-item of -1 is
    // left out.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) {
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol),
                                            reinterpret_cast<LPARAM>(pColumn)));
    }
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return SendBool(LVM_DELETECOLUMN, nCol); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const {
        return SendBool(LVM_GETCOLUMN, nCol, reinterpret_cast<LPARAM>(pColumn));
    }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) {
        return SendBool(LVM_SETCOLUMN, nCol, reinterpret_cast<LPARAM>(pColumn));
    }
    int GetColumnWidth(int nCol) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
    }
    BOOL SetColumnWidth(int nCol, int cx) {
        return SendBool(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
    }
    // The header of a report view: its attached object when it has one of this kind, otherwise
    // an object of this list's that borrows the handle. Null without a header.
    CHeaderCtrl* GetHeaderCtrl() const;

    // Rows. InsertItem gives the index used, -1 on failure.
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(const LVITEM* pItem) {
        return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    int InsertItem(int nItem, LPCSTR lpszItem) {
        return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
    }
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
        return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
    }
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL DeleteItem(int nItem) { return SendBool(LVM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return SendBool(LVM_DELETEALLITEMS); }
    BOOL GetItem(LVITEM* pItem) const {
        return SendBool(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem));
    }
    BOOL SetItem(const LVITEM* pItem) {
        return SendBool(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem));
    }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    // The text of a cell; empty for one that does not exist.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData) {
        return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
    }

    // States and selection.
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
    }
    // nItem -1 changes every row.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem) {
        return SendBool(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(pItem));
    }
    // The next row after nItem (-1: from the first) with every LVNI_ state in nFlags; -1 when
    // there is none.
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // Walks the selected rows in order: null when none is selected.
    POSITION GetFirstSelectedItemPosition() const;
    // The row at pos, and pos moved to the next selected row (null after the last).
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int iIndex) {
        return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, iIndex));
    }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const {
        return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(nStart),
                                            reinterpret_cast<LPARAM>(pFindInfo)));
    }
    // Calls pfnCompare(itemData1, itemData2, dwData) to order the rows.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
        return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(dwData),
                                             reinterpret_cast<LPARAM>(pfnCompare)));
    }

    // Geometry.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const {
        return static_cast<int>(
            SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    int SubItemHitTest(LPLVHITTESTINFO pInfo) {
        return static_cast<int>(
            SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
    }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
        return SendBool(LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0));
    }
    BOOL RedrawItems(int nFirst, int nLast) { return SendBool(LVM_REDRAWITEMS, nFirst, nLast); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

    // Draws a row of an owner-drawn list view; the framework's own draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    BOOL SendBool(UINT message, int wParam = 0, LPARAM lParam = 0) const {
        return static_cast<BOOL>(SendMessage(message, static_cast<WPARAM>(wParam), lParam));
    }

    mutable CHeaderCtrl borrowedHeader_;
};
