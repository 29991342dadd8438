// The identity-card lookup, child 2 of the lookup page: the region of the first record in
// data3\sfz.dat whose code agrees with the number's first six characters.
#pragma once

#include <vector>

#include "manager/HintButton.h"
#include "manager/IdCardRegionRecord.h"
#include "manager/LookupDlg.h"

class CIdCardLookupDlg : public CLookupDlg {
public:
    CIdCardLookupDlg();

    BOOL OnInitDialog() override;
    // Frees the records, then the window.
    BOOL DestroyWindow() override;

    // 0 loaded, 1 the file cannot be opened (no records).
    int LoadData(const char* path = kIdCardFile);
    const std::vector<IdCardRegionRecord>& Records() const { return records_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnQuery();
    afx_msg void OnNumberChange();
    DECLARE_MESSAGE_MAP()

private:
    // Shows the region of the number, or "未找到"; an empty number does nothing.
    void Search(const CString& number);

    CHintButton query_;
    std::vector<IdCardRegionRecord> records_;
};
