#include "browser/FilterDlg.h"

#include <iterator>

#include "browser/BrowserDataStore.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/framework/WinApp.h"
#include "resources/quorra/resource.h"

namespace {

struct PromptMode {
    int times;
    const char* text;
};

constexpr PromptMode kPromptModes[] = {
    {-1, "一直提示,直到确认为止"},
    {0, "不提示"},
    {1, "提示1次"},
    {2, "提示2次"},
    {3, "提示3次"},
    {5, "提示5次"},
    {8, "提示8次"},
    {10, "提示10次"},
    {20, "提示20次"},
    {30, "提示30次"},
};

// The third column; a modified rule of scope 1 is worded differently from an added one.
CString ScopeText(const FilterRule& rule, bool modified) {
    CString text;
    switch (rule.scope) {
        case kFilterScopeAllSites:
            text = "对所有网站有效";
            break;
        case kFilterScopeOnlySite:
            text.Format(modified ? "对 \"%s\" 网站过滤" : "对 \"%s\" 网站有过滤",
                        static_cast<LPCSTR>(rule.site));
            break;
        case kFilterScopeExceptSite:
            text.Format("除 \"%s\" 网站均要过滤", static_cast<LPCSTR>(rule.site));
            break;
        default:
            break;
    }
    return text;
}

CString PatternText(const FilterRule& rule) {
    CString text;
    text.Format("*%s*", static_cast<LPCSTR>(rule.pattern));
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFilterDlg, CDialog)
ON_WM_DESTROY()
ON_NOTIFY(NM_CLICK, IDC_RULE_LIST, OnClickRuleList)
ON_BN_CLICKED(IDC_ADD_RULE, OnAddRule)
ON_BN_CLICKED(IDC_MODIFY_RULE, OnModifyRule)
ON_BN_CLICKED(IDC_DELETE_RULE, OnDeleteRule)
ON_BN_CLICKED(IDC_SAVE_RULES, OnSaveRules)
ON_BN_CLICKED(IDC_PAGE_OPTIONS, OnPageOptions)
END_MESSAGE_MAP()

CFilterDlg::CFilterDlg(CWnd* pParent) : CDialog(IDD_FILTER, pParent) {}

void CFilterDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROMPT_MODE, m_promptCombo);
    DDX_Control(pDX, IDC_PATTERN, m_patternEdit);
    DDX_Control(pDX, IDC_SITE, m_siteEdit);
    DDX_Control(pDX, IDC_EXCEPT_SITE, m_exceptSiteEdit);
    DDX_Control(pDX, IDC_RULE_LIST, m_ruleList);
}

BOOL CFilterDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_ruleList.InsertColumn(0, "编号", LVCFMT_LEFT, 80);
    m_ruleList.InsertColumn(1, "过滤字符", LVCFMT_LEFT, 120);
    m_ruleList.InsertColumn(2, "过滤范围", LVCFMT_LEFT, 160);
    const CBrowserDataStore& store = DataStore();
    CheckDlgButton(store.filterPaused != 0 ? IDC_FILTER_PAUSED : IDC_FILTER_ON, BST_CHECKED);
    for (const std::unique_ptr<FilterRule>& rule : store.rules) {
        AppendRow(std::make_unique<FilterRule>(*rule));
    }
    int selected = 0;
    for (int row = 0; row < static_cast<int>(std::size(kPromptModes)); ++row) {
        m_promptCombo.AddString(kPromptModes[row].text);
        if (kPromptModes[row].times == store.promptMode) {
            selected = row;
        }
    }
    m_promptCombo.SetCurSel(selected);
    return TRUE;
}

void CFilterDlg::OnDestroy() {
    ReleaseRows();
    CDialog::OnDestroy();
}

FilterRule* CFilterDlg::RuleAt(int row) const {
    return reinterpret_cast<FilterRule*>(m_ruleList.GetItemData(row));
}

void CFilterDlg::AppendRow(std::unique_ptr<FilterRule> rule) {
    const int count = m_ruleList.GetItemCount();
    CString number;
    number.Format(" %d", count);
    const int row = m_ruleList.InsertItem(count, number);
    if (row < 0) {
        return;
    }
    m_ruleList.SetItemText(row, 1, PatternText(*rule));
    m_ruleList.SetItemText(row, 2, ScopeText(*rule, false));
    m_ruleList.SetItemData(row, reinterpret_cast<DWORD_PTR>(rule.release()));
}

void CFilterDlg::ReleaseRows() {
    if (m_ruleList.m_hWnd == nullptr) {
        return;
    }
    for (int row = 0; row < m_ruleList.GetItemCount(); ++row) {
        delete RuleAt(row);
    }
    m_ruleList.DeleteAllItems();
}

void CFilterDlg::OnClickRuleList(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    *pResult = 0;
    const int row = m_ruleList.GetSelectedItem();
    if (row < 0) {
        return;
    }
    const FilterRule& rule = *RuleAt(row);
    m_patternEdit.SetWindowText(rule.pattern);
    if (rule.scope == kFilterScopeOnlySite) {
        m_siteEdit.SetWindowText(rule.site);
    } else if (rule.scope == kFilterScopeExceptSite) {
        m_exceptSiteEdit.SetWindowText(rule.site);
    }
    CheckDlgButton(IDC_SCOPE_ALL, BST_UNCHECKED);
    CheckDlgButton(IDC_SCOPE_SITE, BST_UNCHECKED);
    CheckDlgButton(IDC_SCOPE_EXCEPT, BST_UNCHECKED);
    switch (rule.scope) {
        case kFilterScopeAllSites:
            CheckDlgButton(IDC_SCOPE_ALL, BST_CHECKED);
            break;
        case kFilterScopeOnlySite:
            CheckDlgButton(IDC_SCOPE_SITE, BST_CHECKED);
            break;
        case kFilterScopeExceptSite:
            CheckDlgButton(IDC_SCOPE_EXCEPT, BST_CHECKED);
            break;
        default:
            break;
    }
}

int CFilterDlg::GetScopeFromRadios() const {
    if (IsDlgButtonChecked(IDC_SCOPE_ALL)) {
        return kFilterScopeAllSites;
    }
    if (IsDlgButtonChecked(IDC_SCOPE_SITE)) {
        return kFilterScopeOnlySite;
    }
    if (IsDlgButtonChecked(IDC_SCOPE_EXCEPT)) {
        return kFilterScopeExceptSite;
    }
    return -1;
}

std::unique_ptr<FilterRule> CFilterDlg::ReadRuleInput() {
    auto rule = std::make_unique<FilterRule>();
    m_patternEdit.GetWindowText(rule->pattern);
    if (rule->pattern.IsEmpty()) {
        AfxMessageBox("请输入过滤条件。");
        return nullptr;
    }
    rule->scope = GetScopeFromRadios();
    if (rule->scope < 0) {
        AfxMessageBox("请输入过滤范围");
        return nullptr;
    }
    if (rule->scope != kFilterScopeAllSites) {
        CEdit& edit = rule->scope == kFilterScopeOnlySite ? m_siteEdit : m_exceptSiteEdit;
        edit.GetWindowText(rule->site);
        if (rule->site.GetLength() < 2) {
            AfxMessageBox("请输入网站");
            return nullptr;
        }
    }
    return rule;
}

void CFilterDlg::OnAddRule() {
    if (std::unique_ptr<FilterRule> rule = ReadRuleInput()) {
        AppendRow(std::move(rule));
    }
}

void CFilterDlg::OnModifyRule() {
    std::unique_ptr<FilterRule> input = ReadRuleInput();
    if (!input) {
        return;
    }
    const int row = m_ruleList.GetSelectedItem();
    if (row < 0) {
        AfxMessageBox("请选择要更新的项");
        return;
    }
    FilterRule& rule = *RuleAt(row);
    rule = std::move(*input);
    m_ruleList.SetItemText(row, 1, PatternText(rule));
    m_ruleList.SetItemText(row, 2, ScopeText(rule, true));
}

void CFilterDlg::OnDeleteRule() {
    const int row = m_ruleList.GetSelectedItem();
    if (row < 0) {
        AfxMessageBox("请选择要删除的项");
        return;
    }
    delete RuleAt(row);
    m_ruleList.DeleteItem(row);
}

void CFilterDlg::OnSaveRules() {
    CBrowserDataStore& store = DataStore();
    if (IsDlgButtonChecked(IDC_FILTER_ON)) {
        store.filterPaused = 0;
    } else if (IsDlgButtonChecked(IDC_FILTER_PAUSED)) {
        store.filterPaused = 1;
    } else {
        store.filterPaused = -1;
    }
    store.ClearFilterRules();
    for (int row = 0; row < m_ruleList.GetItemCount(); ++row) {
        store.rules.emplace_back(RuleAt(row));
    }
    m_ruleList.DeleteAllItems();
    const int selected = m_promptCombo.GetCurSel();
    if (selected >= 0 && selected < static_cast<int>(std::size(kPromptModes))) {
        store.promptMode = kPromptModes[selected].times;
    }
    store.Save();
    EndDialog(IDOK);
}

void CFilterDlg::OnPageOptions() {
    if (CWnd* frame = AfxGetMainWnd()) {
        frame->SendMessage(WM_COMMAND, ID_PAGE_OPTIONS);
    }
}
