// The plan query dialog: the plans of one day, or the plans whose text holds a search text, as
// numbered rows; the selected row's whole text shows beside the list.
#pragma once

#include "manager/ManagerModalDlg.h"
#include "manager/ScheduleRecord.h"
#include "manager/TaskListBox.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Edit.h"

class CScheduleQueryDlg : public CManagerModalDlg {
public:
    explicit CScheduleQueryDlg(CWnd* pParentWnd = nullptr);

    // "%04d-%02d-%02d %02d:%02d %s" of the plan, its text cut to 12 bytes and "..." when longer.
    static CString RowText(const ScheduleRecord& record);

    BOOL OnInitDialog() override;
    void FillDayCombo();
    void ShowSelectedText();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnQueryByDate();
    afx_msg void OnQueryByText();
    DECLARE_MESSAGE_MAP()

private:
    void AddRow(const ScheduleRecord& record);
    // Selects the first row and shows its text, when there is one.
    void ShowFirstRow();

    CComboBox year_;
    CComboBox month_;
    CComboBox day_;
    CEdit search_;
    CTaskListBox results_;
    CEdit text_;
};
