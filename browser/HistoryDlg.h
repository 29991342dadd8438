// The history dialog: lists the system's URL history (visit time, title, address) in a list the
// user sorts by clicking a column's header, and opens an entry in a new tab. The frame creates it
// once, refills and shows it on each use; "关闭" only hides it.
#pragma once

#include "browser/GMySortListCtrl.h"
#include "platform/framework/Dialog.h"

class CHistoryDlg : public CDialog {
public:
    enum { IDD = 149 };

    explicit CHistoryDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Refills the list from the URL history and shows the dialog. A history service that cannot
    // be reached leaves the list empty.
    void FillHistory();

    GMySortListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Opens the address of the first selected row in a new tab; nothing without a selection.
    afx_msg void OnOpenPage();
    afx_msg void OnCloseHistory();
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // The list fills the client area but for margins of 8 pixels and the buttons' 32 at the top.
    void LayoutList(int cx, int cy);
};
