// The filter dialog: edits the pause switch, the rules and the prompt mode of the URL filter.
// Each row of the rule list owns a copy of one rule (its item data) while the dialog is open, so
// the store changes only when "保存" moves the copies into it.
#pragma once

#include <memory>

#include "browser/FilterListCtrl.h"
#include "browser/FilterRule.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Edit.h"

class CFilterDlg : public CDialog {
public:
    explicit CFilterDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CComboBox m_promptCombo;
    CEdit m_patternEdit;
    CEdit m_siteEdit;
    CEdit m_exceptSiteEdit;
    CFilterListCtrl m_ruleList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDestroy();
    afx_msg void OnClickRuleList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddRule();
    afx_msg void OnModifyRule();
    afx_msg void OnDeleteRule();
    afx_msg void OnSaveRules();
    afx_msg void OnPageOptions();

    DECLARE_MESSAGE_MAP()

private:
    // 0, 1 or 2 from the checked scope radio, -1 when none is checked.
    int GetScopeFromRadios() const;
    // The rule that the input describes; null after telling the user what is missing.
    std::unique_ptr<FilterRule> ReadRuleInput();
    void AppendRow(std::unique_ptr<FilterRule> rule);
    FilterRule* RuleAt(int row) const;
    // Releases the rules that rows still own and empties the list.
    void ReleaseRows();
};
