// The post and area code lookup, child 0 of the lookup page: every city of data3\ybqh.dat in a
// tree by province, and a list of the cities whose name, area code or post code contains what
// the user typed.
#pragma once

#include <vector>

#include "manager/HintButton.h"
#include "manager/LookupDlg.h"
#include "manager/PostCodeRecord.h"
#include "manager/SortListCtrl.h"
#include "platform/framework/TreeCtrl.h"

class CPostCodeLookupDlg : public CLookupDlg {
public:
    static constexpr int kPostCodeKind = 4;

    CPostCodeLookupDlg();

    BOOL OnInitDialog() override;
    // Empties the list, frees the records, then the window.
    BOOL DestroyWindow() override;

    // 0 loaded, 1 the file cannot be opened (no records).
    int LoadData(const char* path = kPostCodeFile);
    // One root per run of records of the same province, a child per record.
    void FillTree();
    const std::vector<PostCodeRecord>& Records() const { return records_; }

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
    std::vector<PostCodeRecord> records_;
};
