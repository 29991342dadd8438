// The month chooser of the calendar page: a year and a month to jump to.
#pragma once

#include "manager/ManagerModalDlg.h"
#include "platform/framework/ComboBox.h"

class CMonthPicker : public CManagerModalDlg {
public:
    explicit CMonthPicker(CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // -1 until the user confirms.
    int m_year = -1;
    int m_month = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CComboBox year_;
    CComboBox month_;
};
