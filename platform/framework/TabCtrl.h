// The framework's tab control: the tab control's messages as members. A tab control with
// TCS_OWNERDRAWFIXED has its tabs drawn by DrawItem, which the parent's WM_DRAWITEM reaches
// through reflection. Selecting by program (SetCurSel) notifies nobody.
#pragma once

#include "platform/controls/Tab.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/Wnd.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)

public:
    CTabCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. InsertItem gives the position used (at most the count), -1 on failure.
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const {
        return SendBool(TCM_GETITEM, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem));
    }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) {
        return SendBool(TCM_SETITEM, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem));
    }
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    LONG InsertItem(int nItem, LPCSTR lpszItem) {
        return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
    }
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
        return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
    }
    LONG InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return SendBool(TCM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return SendBool(TCM_DELETEALLITEMS); }

    // Selection and focus; -1 for none.
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    // The previous selection.
    int SetCurSel(int nItem) {
        return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem)));
    }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
    BOOL HighlightItem(int idItem, BOOL fHighlight = TRUE) {
        return SendBool(TCM_HIGHLIGHTITEM, idItem, MAKELPARAM(fHighlight, 0));
    }

    // Geometry.
    BOOL GetItemRect(int nItem, LPRECT lpRect) const {
        return SendBool(TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect));
    }
    // The tab under the point in client coordinates, -1 for none.
    int HitTest(TCHITTESTINFO* pHitTestInfo) const {
        return static_cast<int>(
            SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    // The previous size.
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int SetMinTabWidth(int cx) { return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, cx)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    // Turns a display rectangle into the window rectangle (bLarger) or back.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) {
        SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect));
    }

    // The images of the tabs; gives the list used before.
    CImageList* SetImageList(CImageList* pImageList) {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TCM_SETIMAGELIST, 0,
                        reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->GetSafeHandle()
                                                                       : nullptr))));
    }
    CImageList* GetImageList() const {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
    }

    // Draws a tab of an owner-drawn tab control; the framework's own draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    BOOL SendBool(UINT message, int wParam = 0, LPARAM lParam = 0) const {
        return static_cast<BOOL>(SendMessage(message, static_cast<WPARAM>(wParam), lParam));
    }
};
