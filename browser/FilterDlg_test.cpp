#include "browser/FilterDlg.h"

#include <gtest/gtest.h>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserDialogTest.h"
#include "common/AppFolder.h"
#include "platform/screen/ScreenApi.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::BrowserDialogTest;
using Dialog = platform::testing::ScriptedDialog<CFilterDlg>;
using Rows = std::vector<std::vector<std::string>>;

std::unique_ptr<FilterRule> Rule(int scope, const char* pattern, const char* site) {
    auto rule = std::make_unique<FilterRule>();
    rule->scope = scope;
    rule->pattern = pattern;
    rule->site = site;
    return rule;
}

class FilterDlgTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        folder.WriteFile("data/main.htm", "");
        GetAppFolder();
        ResetStore();
    }
    void TearDown() override {
        ResetStore();
        BrowserDialogTest::TearDown();
    }
    static void ResetStore() {
        CBrowserDataStore& store = DataStore();
        store.ClearFilterRules();
        store.filterPaused = 0;
        store.promptMode = -1;
        store.blockedUrls.clear();
        store.allowedUrls.clear();
    }

    static HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_RULE_LIST); }
    static Rows ListRows(HWND dialog) {
        auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(List(dialog)));
        Rows rows;
        for (int row = 0; row < list->GetItemCount(); ++row) {
            rows.push_back({std::string(list->GetItemText(row, 0)),
                            std::string(list->GetItemText(row, 1)),
                            std::string(list->GetItemText(row, 2))});
        }
        return rows;
    }
    static void ClickRow(HWND dialog, int row) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(List(dialog), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        ClientToScreen(List(dialog), &point);
        ClickAt(point);
    }
    // Fills the rule fields and presses a button.
    static void Enter(HWND dialog, const char* pattern, int scopeRadio, const char* site,
                      int button) {
        SetText(dialog, IDC_PATTERN, pattern);
        if (scopeRadio != 0) {
            Click(dialog, scopeRadio);
        }
        SetText(dialog, scopeRadio == IDC_SCOPE_EXCEPT ? IDC_EXCEPT_SITE : IDC_SITE, site);
        Click(dialog, button);
    }
    static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) != 0; }
};

TEST_F(FilterDlgTest, OpeningShowsTheStoresSwitchRulesAndPromptMode) {
    CBrowserDataStore& store = DataStore();
    store.filterPaused = 1;
    store.promptMode = 5;
    store.rules.push_back(Rule(0, "ad", ""));
    store.rules.push_back(Rule(1, "pop", "sina.com"));
    store.rules.push_back(Rule(2, "弹窗", "good.com"));
    Dialog dialog;
    Rows rows;
    std::vector<std::string> prompts;
    std::string promptSelected;
    std::vector<int> widths;
    bool pausedChecked = false;
    bool onChecked = true;
    dialog.script = [&](Dialog& d) {
        rows = ListRows(d);
        pausedChecked = Checked(d, IDC_FILTER_PAUSED);
        onChecked = Checked(d, IDC_FILTER_ON);
        for (int i = 0; i < d.m_promptCombo.GetCount(); ++i) {
            CString text;
            d.m_promptCombo.GetLBText(i, text);
            prompts.push_back(std::string(text));
        }
        CString selectedText;
        d.m_promptCombo.GetWindowText(selectedText);
        promptSelected = std::string(selectedText);
        for (int column = 0; column < 3; ++column) {
            widths.push_back(d.m_ruleList.GetColumnWidth(column));
        }
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(rows, (Rows{{" 0", "*ad*", "对所有网站有效"},
                          {" 1", "*pop*", "对 \"sina.com\" 网站有过滤"},
                          {" 2", "*弹窗*", "除 \"good.com\" 网站均要过滤"}}));
    EXPECT_TRUE(pausedChecked);
    EXPECT_FALSE(onChecked);
    EXPECT_EQ(prompts, (std::vector<std::string>{"一直提示,直到确认为止", "不提示", "提示1次",
                                                 "提示2次", "提示3次", "提示5次", "提示8次",
                                                 "提示10次", "提示20次", "提示30次"}));
    EXPECT_EQ(promptSelected, "提示5次");
    EXPECT_EQ(widths, (std::vector<int>{80, 120, 160}));
}

TEST_F(FilterDlgTest, APromptModeOutsideTheTableSelectsTheFirstRow) {
    DataStore().promptMode = 7;
    Dialog dialog;
    int selected = -2;
    dialog.script = [&](Dialog& d) {
        selected = d.m_promptCombo.GetCurSel();
        EXPECT_TRUE(Checked(d, IDC_FILTER_ON));
        Press(VK_ESCAPE);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(selected, 0);
}

TEST_F(FilterDlgTest, AddingChecksPatternScopeAndSiteInThatOrder) {
    Dialog dialog;
    Rows rows;
    dialog.script = [&](Dialog& d) {
        Click(d, IDC_ADD_RULE);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"请输入过滤条件。"});
        SetText(d, IDC_PATTERN, "ad");
        Click(d, IDC_ADD_RULE);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"请输入过滤范围"});
        Enter(d, "ad", IDC_SCOPE_SITE, "a", IDC_ADD_RULE);
        Enter(d, "ad", IDC_SCOPE_EXCEPT, "", IDC_ADD_RULE);
        EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"请输入网站", "请输入网站"}));
        EXPECT_TRUE(ListRows(d).empty());
        Enter(d, "ad", IDC_SCOPE_SITE, "ab", IDC_ADD_RULE);
        Enter(d, "ad", IDC_SCOPE_SITE, "ab", IDC_ADD_RULE);
        // One double-byte character is two bytes, enough for a site.
        Enter(d, "x", IDC_SCOPE_EXCEPT, "网", IDC_ADD_RULE);
        Enter(d, "y", IDC_SCOPE_ALL, "", IDC_ADD_RULE);
        EXPECT_TRUE(TakeMessages().empty());
        rows = ListRows(d);
        EXPECT_TRUE(IsWindowVisible(d));
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(rows, (Rows{{" 0", "*ad*", "对 \"ab\" 网站有过滤"},
                          {" 1", "*ad*", "对 \"ab\" 网站有过滤"},
                          {" 2", "*x*", "除 \"网\" 网站均要过滤"},
                          {" 3", "*y*", "对所有网站有效"}}));
}

TEST_F(FilterDlgTest, ClickingARowFillsTheFieldsAndTheScopeRadio) {
    DataStore().rules.push_back(Rule(0, "ad", ""));
    DataStore().rules.push_back(Rule(2, "pop", "good.com"));
    DataStore().rules.push_back(Rule(1, "bad", "sina.com"));
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        ClickRow(d, 1);
        EXPECT_EQ(ItemText(d, IDC_PATTERN), "pop");
        EXPECT_EQ(ItemText(d, IDC_EXCEPT_SITE), "good.com");
        EXPECT_EQ(ItemText(d, IDC_SITE), "");
        EXPECT_TRUE(Checked(d, IDC_SCOPE_EXCEPT));
        ClickRow(d, 2);
        EXPECT_EQ(ItemText(d, IDC_PATTERN), "bad");
        EXPECT_EQ(ItemText(d, IDC_SITE), "sina.com");
        EXPECT_TRUE(Checked(d, IDC_SCOPE_SITE));
        EXPECT_FALSE(Checked(d, IDC_SCOPE_EXCEPT));
        ClickRow(d, 0);
        EXPECT_EQ(ItemText(d, IDC_PATTERN), "ad");
        // A rule for all sites leaves both site fields as they were.
        EXPECT_EQ(ItemText(d, IDC_SITE), "sina.com");
        EXPECT_EQ(ItemText(d, IDC_EXCEPT_SITE), "good.com");
        EXPECT_TRUE(Checked(d, IDC_SCOPE_ALL));
        EXPECT_FALSE(Checked(d, IDC_SCOPE_SITE));
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FilterDlgTest, ModifyingRewordsTheSiteScopeAndNeedsASelection) {
    DataStore().rules.push_back(Rule(1, "ad", "a.com"));
    DataStore().rules.push_back(Rule(2, "pop", "b.com"));
    Dialog dialog;
    Rows rows;
    dialog.script = [&](Dialog& d) {
        Enter(d, "", IDC_SCOPE_ALL, "", IDC_MODIFY_RULE);
        Enter(d, "new", IDC_SCOPE_SITE, "c.com", IDC_MODIFY_RULE);
        EXPECT_EQ(TakeMessages(),
                  (std::vector<std::string>{"请输入过滤条件。", "请选择要更新的项"}));
        ClickRow(d, 0);
        SetText(d, IDC_PATTERN, "广告");
        SetText(d, IDC_SITE, "c.com");
        Click(d, IDC_MODIFY_RULE);
        ClickRow(d, 1);
        Enter(d, "pop2", IDC_SCOPE_EXCEPT, "d.com", IDC_MODIFY_RULE);
        EXPECT_TRUE(TakeMessages().empty());
        rows = ListRows(d);
        Click(d, IDC_SAVE_RULES);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(rows, (Rows{{" 0", "*广告*", "对 \"c.com\" 网站过滤"},
                          {" 1", "*pop2*", "除 \"d.com\" 网站均要过滤"}}));
    ASSERT_EQ(DataStore().rules.size(), 2u);
    EXPECT_EQ(std::string(DataStore().rules[0]->pattern), "广告");
    EXPECT_EQ(std::string(DataStore().rules[0]->site), "c.com");
    EXPECT_EQ(DataStore().rules[1]->scope, 2);
    EXPECT_EQ(std::string(DataStore().rules[1]->site), "d.com");
}

TEST_F(FilterDlgTest, DeletingKeepsTheNumbersOfTheOtherRows) {
    DataStore().rules.push_back(Rule(0, "a", ""));
    DataStore().rules.push_back(Rule(0, "b", ""));
    DataStore().rules.push_back(Rule(0, "c", ""));
    Dialog dialog;
    Rows afterDelete;
    Rows afterAdd;
    dialog.script = [&](Dialog& d) {
        Click(d, IDC_DELETE_RULE);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"请选择要删除的项"});
        ClickRow(d, 1);
        Click(d, IDC_DELETE_RULE);
        afterDelete = ListRows(d);
        Enter(d, "d", IDC_SCOPE_ALL, "", IDC_ADD_RULE);
        afterAdd = ListRows(d);
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(afterDelete,
              (Rows{{" 0", "*a*", "对所有网站有效"}, {" 2", "*c*", "对所有网站有效"}}));
    EXPECT_EQ(afterAdd, (Rows{{" 0", "*a*", "对所有网站有效"},
                              {" 2", "*c*", "对所有网站有效"},
                              {" 2", "*d*", "对所有网站有效"}}));
}

TEST_F(FilterDlgTest, CancellingLeavesTheStoreAndItsFileAlone) {
    DataStore().rules.push_back(Rule(1, "ad", "a.com"));
    const FilterRule* original = DataStore().rules[0].get();
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        Enter(d, "new", IDC_SCOPE_ALL, "", IDC_ADD_RULE);
        ClickRow(d, 0);
        Enter(d, "changed", IDC_SCOPE_SITE, "b.com", IDC_MODIFY_RULE);
        ClickRow(d, 1);
        Click(d, IDC_DELETE_RULE);
        Click(d, IDC_FILTER_PAUSED);
        Press(VK_ESCAPE);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(DataStore().rules.size(), 1u);
    EXPECT_EQ(DataStore().rules[0].get(), original);
    EXPECT_EQ(std::string(original->pattern), "ad");
    EXPECT_EQ(std::string(original->site), "a.com");
    EXPECT_EQ(DataStore().filterPaused, 0);
    EXPECT_EQ(folder.ReadFile("data/filter.dat"), "");
}

TEST_F(FilterDlgTest, SavingMovesTheRowsIntoTheStoreAndWritesTheFile) {
    DataStore().rules.push_back(Rule(0, "old", ""));
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        Enter(d, "ad", IDC_SCOPE_SITE, "a.com", IDC_ADD_RULE);
        Click(d, IDC_FILTER_PAUSED);
        d.m_promptCombo.SetCurSel(4);
        Click(d, IDC_SAVE_RULES);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const CBrowserDataStore& store = DataStore();
    EXPECT_EQ(store.filterPaused, 1);
    EXPECT_EQ(store.promptMode, 3);
    ASSERT_EQ(store.rules.size(), 2u);
    EXPECT_EQ(std::string(store.rules[0]->pattern), "old");
    EXPECT_EQ(store.rules[1]->scope, 1);
    EXPECT_EQ(std::string(store.rules[1]->pattern), "ad");
    EXPECT_EQ(std::string(store.rules[1]->site), "a.com");
    const std::string file = folder.ReadFile("data/filter.dat");
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(file.substr(0, 8), std::string("\x01\0\0\0\x02\0\0\0", 8));
}

TEST_F(FilterDlgTest, PageOptionsAsksTheFrameForItsCommand) {
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        Click(d, IDC_PAGE_OPTIONS);
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_PAGE_OPTIONS});
}

TEST_F(FilterDlgTest, RowsAreDrawnInTheListsOwnColours) {
    platform::InstallScreen();
    DataStore().rules.push_back(Rule(0, "a", ""));
    DataStore().rules.push_back(Rule(0, "b", ""));
    Dialog dialog;
    COLORREF selected = 0;
    COLORREF other = 0;
    dialog.script = [&](Dialog& d) {
        ClickRow(d, 1);
        RECT first{LVIR_BOUNDS, 0, 0, 0};
        RECT second{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(List(d), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageA(List(d), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        const platform::Surface picture = platform::CaptureWindow(List(d));
        // The capture includes the one-pixel border; x = 300 is inside the last column, past its
        // text.
        selected = platform::ColorFromPixel(picture.At(301, second.top + 2));
        other = platform::ColorFromPixel(picture.At(301, first.top + 2));
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(selected, RGB(59, 73, 119));
    EXPECT_EQ(other, RGB(255, 255, 255));
}

}  // namespace
