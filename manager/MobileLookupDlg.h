// The mobile-number lookup, child 1 of the lookup page: the ranges of data3\mobile.dat that hold
// the number's first (at most seven) digits, listed with their province, city and card type.
#pragma once

#include "manager/HintButton.h"
#include "manager/LookupRecordsDlg.h"
#include "manager/MobileRangeRecord.h"
#include "manager/SortListCtrl.h"

class CMobileLookupDlg : public CLookupRecordsDlg<MobileRangeRecord> {
public:
    // The list's row kind: the mobile ranges have one of their own.
    static constexpr int kMobileKind = 6;

    CMobileLookupDlg();

    BOOL OnInitDialog() override;

    // Lists the ranges that hold the number's first seven characters: the number of rows.
    int ListRanges(const CString& number);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnQuery();
    afx_msg void OnNumberChange();
    DECLARE_MESSAGE_MAP()

private:
    CHintButton query_;
    CSortListCtrl results_;
};
