// The process list page, child 4 of the system tools page: the running processes; a click on one
// lists the modules loaded in it (with the debug privilege enabled just for that), a click on a
// module shows its folder and its note from data3\prd.dat, and a button searches the web for the
// selected module's file name.
#pragma once

#include "common/TextLineFile.h"
#include "manager/HintButton.h"
#include "manager/SortListCtrl.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"
#include "platform/system/ToolHelp.h"

inline constexpr char kModuleNotesFile[] = "data3\\prd.dat";

// Enables (or disables) the named privilege in the token: 1 when the name is known and the
// token held the privilege, else 0. Nothing is reported.
int SetPrivilege(HANDLE token, const char* privilege, BOOL enable);

class CProcessListPage : public CDialog {
public:
    CProcessListPage();

    BOOL OnInitDialog() override;
    // Frees both lists' rows, then the window.
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // 1 listed, 0 the snapshot cannot be taken or holds no process.
    int FillProcessList();
    // Lists the modules of the process; nothing for id 0 or a process that cannot be read.
    int FillModuleList(DWORD processId);
    void ClearProcessList();
    void ClearModuleList();
    void RefreshList();

    // The address the search button opens for the module's file name.
    static CString SearchAddress(const char* word);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnRefresh();
    afx_msg void OnProcessClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnModuleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSearchModule();
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // The module's folder and its note, if any, into the note box.
    void ShowModuleDetails(const MODULEENTRY32& module);

    CSortListCtrl processes_;
    CSortListCtrl modules_;
    CHintButton refresh_;
    CHintButton search_;
    CTextLineFile notes_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
};
