// The identity-card lookup, child 2 of the lookup page: the region of the first record in
// data3\sfz.dat whose code agrees with the number's first six characters.
#pragma once

#include "manager/HintButton.h"
#include "manager/IdCardRegionRecord.h"
#include "manager/LookupRecordsDlg.h"

class CIdCardLookupDlg : public CLookupRecordsDlg<IdCardRegionRecord> {
public:
    CIdCardLookupDlg();

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnQuery();
    afx_msg void OnNumberChange();
    DECLARE_MESSAGE_MAP()

private:
    // Shows the region of the number, or "未找到"; an empty number does nothing.
    void Search(const CString& number);

    CHintButton query_;
};
