// The income and expense book's monthly detail sub-page: the records of the month the picker
// shows (year and month only), read-only, and a summary of counts and sums. "查看" and every save
// of the entry sub-page read the month again; changing the picker alone does not.
#pragma once

#include <cstdint>
#include <string>

#include "manager/DatePicker.h"
#include "manager/LedgerRecord.h"
#include "manager/SortListCtrl.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CLedgerDetailDlg : public CDialog {
public:
    CLedgerDetailDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The picker's month from its file: 0 read, 1 no file (an empty month).
    int LoadMonth();
    // The rows and the summary.
    void FillList();
    // Empties the list before its records go, so that no row points at a freed record.
    int FreeRecords();

    // The summary of a month's records: counts, and sums in 64 bits.
    static std::string Summary(int year, int month, const LedgerRecordList& records);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnView();
    afx_msg LRESULT OnLedgerChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush whiteBrush_{RGB(255, 255, 255)};
    DateRecord date_;
    CDatePicker picker_{&date_};
    LedgerRecordList records_;
    CSortListCtrl list_;
};
