// The post and area code lookup, child 0 of the lookup page: every city of data3\ybqh.dat in a
// tree by province, and a list of the cities whose name, area code or post code contains what
// the user typed.
#pragma once

#include "manager/HintButton.h"
#include "manager/LookupRecordsDlg.h"
#include "manager/PostCodeRecord.h"
#include "manager/SortListCtrl.h"
#include "platform/framework/TreeCtrl.h"

class CPostCodeLookupDlg : public CLookupRecordsDlg<PostCodeRecord> {
public:
    static constexpr int kPostCodeKind = 4;

    CPostCodeLookupDlg();

    BOOL OnInitDialog() override;

    // One root per run of records of the same province, a child per record.
    void FillTree();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnFindCity();
    afx_msg void OnFindAreaCode();
    afx_msg void OnFindPostCode();
    afx_msg void OnCityChange();
    afx_msg void OnAreaCodeChange();
    afx_msg void OnPostCodeChange();
    DECLARE_MESSAGE_MAP()

private:
    enum Field { kCity, kAreaCode, kPostCode };
    // Lists the records whose field contains the trimmed text of its edit, when that text has at
    // least `minimum` characters.
    void FindByField(Field field, int minimum);

    CHintButton findCity_;
    CHintButton findAreaCode_;
    CHintButton findPostCode_;
    CSortListCtrl results_;
    CTreeCtrl tree_;
};
