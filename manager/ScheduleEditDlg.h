// The plan edit dialog: the six lists of a plan's date and time, its text, and a tree of every
// plan by year and month. Saving adds the plan or gives the plan at that exact time its new
// text; deleting asks first. Each change rewrites data3\record.dat.
#pragma once

#include "manager/DateRecord.h"
#include "manager/HintButton.h"
#include "manager/ManagerModalDlg.h"
#include "manager/ScheduleRecord.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Edit.h"
#include "platform/framework/TreeCtrl.h"

class CScheduleEditDlg : public CManagerModalDlg {
public:
    // Opens on `date` (year, month, day, hour, minute and second).
    explicit CScheduleEditDlg(const DateRecord& date, CWnd* pParentWnd = nullptr);

    // The plan at exactly that time gets the text; otherwise a new plan goes before the first
    // later one. Returns the plan that holds the text.
    static ScheduleRecord* AddOrUpdatePlan(int year, int month, int day, int hour, int minute,
                                           int second, const char* text);
    // The first plan of that minute (seconds are not compared), or null.
    static ScheduleRecord* FindPlan(int year, int month, int day, int hour, int minute);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void FillPlanTree();
    void ShowPlanAtSelection();
    void ShowPlan(const ScheduleRecord* record);
    // The tree's leaf of the plan, or null.
    HTREEITEM FindTreeItem(const ScheduleRecord* record) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter types a line break in the text and does nothing elsewhere.
    void OnOK() override {}

    afx_msg void OnSelchangeYear();
    afx_msg void OnSelchangeMonth();
    afx_msg void OnSelchangeTime();
    afx_msg void OnSave();
    afx_msg void OnDelete();
    afx_msg void OnClosePlan();
    afx_msg void OnTreeSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The date and time the six lists show.
    DateRecord Selection() const;
    // Refills the day list for the year and month shown, keeping the day when it still exists.
    void RefillDays();
    // Writes the list; a file too large to read is left alone, and the user is told.
    void SavePlans();

    DateRecord date_;
    CComboBox year_;
    CComboBox month_;
    CComboBox day_;
    CComboBox hour_;
    CComboBox minute_;
    CComboBox second_;
    CEdit text_;
    CTreeCtrl tree_;
    CHintButton save_;
    CHintButton delete_;
    CHintButton close_;
    CHintButton copy_;
};
