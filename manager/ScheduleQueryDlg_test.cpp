#include "manager/ScheduleQueryDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/ManagerTest.h"
#include "manager/ScheduleEditDlg.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

using Dialog = platform::testing::ScriptedDialog<CScheduleQueryDlg>;

std::vector<std::string> Rows(HWND dialog) {
    std::vector<std::string> rows;
    HWND list = ::GetDlgItem(dialog, IDC_RESULT_LIST);
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.emplace_back(text);
    }
    return rows;
}

using ScheduleQueryDlgTest = ManagerDialogTest;

TEST_F(ScheduleQueryDlgTest, ListsTheDaysPlansOrThePlansHoldingATextWithTheFirstShown) {
    CScheduleEditDlg::AddOrUpdatePlan(2006, 9, 15, 14, 0, 0, "abcdefghijklmnopqrst");
    CScheduleEditDlg::AddOrUpdatePlan(2006, 9, 15, 8, 0, 0, "早会\r\n三楼");
    CScheduleEditDlg::AddOrUpdatePlan(2006, 9, 16, 9, 0, 0, "看牙医");
    Dialog dialog;
    dialog.script = [&](Dialog& dlg) {
        // The dialog opens on today, the 15th.
        EXPECT_EQ(Selected(dlg, IDC_DAY), 14);
        Click(dlg, IDC_QUERY_BY_DATE);
        EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"2006-09-15 08:00 早会\r\n三楼",
                                                       "2006-09-15 14:00 abcdefghijkl..."}));
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "早会\r\n三楼");

        ::SetDlgItemTextA(dlg, IDC_SEARCH_TEXT, "牙");
        Click(dlg, IDC_QUERY_BY_TEXT);
        EXPECT_EQ(Rows(dlg), std::vector<std::string>{"2006-09-16 09:00 看牙医"});
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "看牙医");
        // Blanks alone find nothing.
        ::SetDlgItemTextA(dlg, IDC_SEARCH_TEXT, "   ");
        Click(dlg, IDC_QUERY_BY_TEXT);
        EXPECT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "");

        // A day without plans; the 31st of a month becomes the 1st of a shorter one.
        Choose(dlg, IDC_MONTH, 9);
        Choose(dlg, IDC_DAY, 30);
        Click(dlg, IDC_QUERY_BY_DATE);
        EXPECT_TRUE(Rows(dlg).empty());
        Choose(dlg, IDC_MONTH, 10);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 0);
        Click(dlg, IDOK);
    };
    dialog.DoModal();
}

}  // namespace
}  // namespace manager_testing
