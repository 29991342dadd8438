// The income and expense book's entry sub-page: the records of the month the date picker shows,
// a form (type, amount in yuan, note) that adds a record on the picker's day, and a button that
// deletes the selected one. Every change rewrites the month file and tells the page (1036).
#pragma once

#include "manager/DatePicker.h"
#include "manager/HintButton.h"
#include "manager/LedgerRecord.h"
#include "manager/SortListCtrl.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"

inline constexpr UINT WM_LEDGER_CHANGED = 1036;

class CLedgerEntryDlg : public CDialog {
public:
    CLedgerEntryDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The picker's month from its file: 0 read, 1 no file (an empty month), 2 not read whole
    // (the records that could be read).
    int LoadMonth();
    // The month into its file, then WM_LEDGER_CHANGED to the parent: 0 written, 1 not. A file
    // that was not read whole is not written over: the user is told, the change stays in the
    // list.
    int SaveMonth();
    void FillList();

    const LedgerRecordList& Records() const { return records_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and the hidden default button do not close the sub-page.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg LRESULT OnDateChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDayChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // Empties the list before its records go, so that no row points at a freed record.
    void FreeRecords();

    CBrush whiteBrush_{RGB(255, 255, 255)};
    // The record being entered; its date is the one the picker edits.
    LedgerRecord working_;
    CDatePicker picker_{&working_.date};
    LedgerRecordList records_;
    // LoadMonth's result for records_.
    int monthRead_ = 1;
    CComboBox type_;
    CSortListCtrl list_;
    CHintButton delete_;
    CHintButton add_;
};
