#include "manager/ScheduleEditDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/WholeFile.h"
#include "manager/ManagerTest.h"
#include "manager/ScheduleList.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

using Dialog = platform::testing::ScriptedDialog<CScheduleEditDlg>;

DateRecord DateOf(int year, int month, int day, int hour = 9) {
    DateRecord date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.hour = hour;
    return date;
}

// The plans as "hh:mm:ss text", in list order.
std::vector<std::string> Plans() {
    std::vector<std::string> plans;
    for (const auto& plan : ScheduleRecords()) {
        char time[64];
        std::snprintf(time, sizeof(time), "%04d-%02d-%02d %02d:%02d:%02d ", plan->year, plan->month,
                      plan->day, plan->hour, plan->minute, plan->second);
        plans.push_back(time + std::string(plan->text));
    }
    return plans;
}

// The tree's items depth first, each indented by its level.
std::vector<std::string> TreeLines(HWND dialog) {
    CTreeCtrl* tree =
        static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_PLAN_TREE)));
    std::vector<std::string> lines;
    for (HTREEITEM year = tree->GetRootItem(); year; year = tree->GetNextSiblingItem(year)) {
        lines.push_back(std::string(tree->GetItemText(year)));
        for (HTREEITEM month = tree->GetChildItem(year); month;
             month = tree->GetNextSiblingItem(month)) {
            lines.push_back(" " + std::string(tree->GetItemText(month)));
            for (HTREEITEM leaf = tree->GetChildItem(month); leaf;
                 leaf = tree->GetNextSiblingItem(leaf)) {
                lines.push_back("  " + std::string(tree->GetItemText(leaf)));
            }
        }
    }
    return lines;
}

std::string SelectedLeaf(HWND dialog) {
    CTreeCtrl* tree =
        static_cast<CTreeCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_PLAN_TREE)));
    HTREEITEM item = tree->GetSelectedItem();
    return item != nullptr ? std::string(tree->GetItemText(item)) : "";
}

class ScheduleEditDlgTest : public ManagerDialogTest {
protected:
    static void Add(int year, int month, int day, int hour, int minute, int second,
                    const char* text) {
        CScheduleEditDlg::AddOrUpdatePlan(year, month, day, hour, minute, second, text);
    }
};

TEST_F(ScheduleEditDlgTest, PlansStaySortedAndOneTimeHoldsOnePlan) {
    Add(2006, 11, 28, 9, 0, 0, "first");
    Add(2006, 11, 28, 9, 0, 0, "second");
    Add(2006, 11, 28, 9, 0, 30, "half a minute later");
    Add(2006, 1, 1, 0, 0, 0, "earliest");
    Add(2007, 1, 1, 0, 0, 0, "latest");
    EXPECT_EQ(Plans(),
              (std::vector<std::string>{
                  "2006-01-01 00:00:00 earliest", "2006-11-28 09:00:00 second",
                  "2006-11-28 09:00:30 half a minute later", "2007-01-01 00:00:00 latest"}));
    // The minute is what a plan is found by: the earlier of the two.
    ASSERT_NE(CScheduleEditDlg::FindPlan(2006, 11, 28, 9, 0), nullptr);
    EXPECT_EQ(std::string(CScheduleEditDlg::FindPlan(2006, 11, 28, 9, 0)->text), "second");
    EXPECT_EQ(CScheduleEditDlg::FindPlan(2006, 11, 28, 9, 1), nullptr);
}

TEST_F(ScheduleEditDlgTest, SavingAddsOrRetextsAPlanShowsItInTheTreeAndWritesTheFile) {
    Add(2006, 8, 2, 8, 15, 0, "old");
    Dialog dialog(DateOf(2006, 9, 20));
    dialog.script = [&](Dialog& dlg) {
        EXPECT_EQ(Selected(dlg, IDC_YEAR), 2006 - 1901);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 19);
        EXPECT_EQ(Selected(dlg, IDC_HOUR), 9);
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "");

        ::SetDlgItemTextA(dlg, IDC_PLAN_TEXT, "  \r\n ");
        Click(dlg, IDC_SAVE_PLAN);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"请输入内容"});

        Choose(dlg, IDC_HOUR, 14);
        ::SetDlgItemTextA(dlg, IDC_PLAN_TEXT, " 看牙医\r\n带病历 ");
        Click(dlg, IDC_SAVE_PLAN);
        EXPECT_EQ(TreeLines(dlg),
                  (std::vector<std::string>{"2006年", " 08月", "  02日  08:15 old", " 09月",
                                            "  20日  14:00 看牙医\r\n带病历"}));
        EXPECT_EQ(SelectedLeaf(dlg), "20日  14:00 看牙医\r\n带病历");

        // The same time again: the plan takes the new text, the tree keeps one leaf.
        ::SetDlgItemTextA(dlg, IDC_PLAN_TEXT, "改期");
        Click(dlg, IDC_SAVE_PLAN);
        EXPECT_EQ(TreeLines(dlg).size(), 5u);
        EXPECT_EQ(SelectedLeaf(dlg), "20日  14:00 改期");

        // Another hour has no plan; back to 14:00 shows it again.
        Choose(dlg, IDC_HOUR, 15);
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "");
        EXPECT_EQ(SelectedLeaf(dlg), "");
        Choose(dlg, IDC_HOUR, 14);
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "改期");
        Click(dlg, IDC_CLOSE_PLAN);
    };
    dialog.DoModal();
    EXPECT_EQ(Plans(),
              (std::vector<std::string>{"2006-08-02 08:15:00 old", "2006-09-20 14:00:00 改期"}));
    EXPECT_EQ(folder.ReadFile("data3/record.dat"), SerializeScheduleRecords(ScheduleRecords()));
}

TEST_F(ScheduleEditDlgTest, DeletingAsksAndSelectsThePlanBefore) {
    Add(2006, 9, 1, 8, 0, 0, "a");
    Add(2006, 9, 2, 8, 0, 0, "b");
    Add(2006, 10, 3, 8, 0, 0, "c");
    Dialog dialog(DateOf(2006, 9, 15));
    std::vector<std::string> questions;
    dialog.script = [&](Dialog& dlg) {
        Click(dlg, IDC_DELETE_PLAN);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"请先选择一个列表项"});

        answer = IDNO;
        Choose(dlg, IDC_DAY, 1);
        Choose(dlg, IDC_HOUR, 8);
        EXPECT_EQ(SelectedLeaf(dlg), "02日  08:00 b");
        Click(dlg, IDC_DELETE_PLAN);
        EXPECT_EQ(TakeMessages(),
                  std::vector<std::string>{"您真的要删除:2006-09-02 08:00:00执行:\r\nb吗?"});
        EXPECT_EQ(ScheduleRecords().size(), 3u);

        answer = IDYES;
        Click(dlg, IDC_DELETE_PLAN);
        TakeMessages();
        EXPECT_EQ(SelectedLeaf(dlg), "01日  08:00 a");
        // The first plan has none before it.
        Click(dlg, IDC_DELETE_PLAN);
        TakeMessages();
        EXPECT_EQ(SelectedLeaf(dlg), "");
        EXPECT_EQ(TreeLines(dlg), (std::vector<std::string>{"2006年", " 10月", "  03日  08:00 c"}));
        dlg.SendMessage(WM_CLOSE);
    };
    dialog.DoModal();
    EXPECT_EQ(Plans(), std::vector<std::string>{"2006-10-03 08:00:00 c"});
    EXPECT_EQ(folder.ReadFile("data3/record.dat"), SerializeScheduleRecords(ScheduleRecords()));
}

TEST_F(ScheduleEditDlgTest, APlansFileTooLargeToReadIsNeverReplacedAndTheUserIsTold) {
    // Its plans could not be loaded, so the list is empty; a save over it would lose them all.
    const std::filesystem::path file = folder.path() / "data3" / "record.dat";
    std::filesystem::resize_file(file, kMaxWholeFileSize + 1);
    EXPECT_EQ(LoadScheduleRecords(), 1);
    Dialog dialog(DateOf(2006, 9, 20));
    dialog.script = [&](Dialog& dlg) {
        ::SetDlgItemTextA(dlg, IDC_PLAN_TEXT, "看牙医");
        Click(dlg, IDC_SAVE_PLAN);
        EXPECT_EQ(TakeMessages(),
                  std::vector<std::string>{"计划文件 data3\\record.dat 太大, 无法读取. "
                                           "为了不丢失其中的计划, 这次修改没有保存到文件."});
        dlg.SendMessage(WM_CLOSE);
    };
    dialog.DoModal();
    // The plan stays in the list; the file is as it was.
    EXPECT_EQ(Plans(), std::vector<std::string>{"2006-09-20 09:00:00 看牙医"});
    EXPECT_EQ(std::filesystem::file_size(file), kMaxWholeFileSize + 1);
    EXPECT_FALSE(Exists("data3/record.dat.tmp"));
}

TEST_F(ScheduleEditDlgTest, TheDayListFollowsMonthAndYearKeepingTheDayWhenItExists) {
    Dialog dialog(DateOf(2008, 1, 31));
    dialog.script = [&](Dialog& dlg) {
        auto days = [&] {
            return static_cast<int>(::SendDlgItemMessageA(dlg, IDC_DAY, CB_GETCOUNT, 0, 0));
        };
        Choose(dlg, IDC_MONTH, 1);
        EXPECT_EQ(days(), 29);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 0);
        Choose(dlg, IDC_DAY, 28);
        Choose(dlg, IDC_YEAR, 2007 - 1901);
        EXPECT_EQ(days(), 28);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 0);
        Choose(dlg, IDC_MONTH, 2);
        Choose(dlg, IDC_DAY, 14);
        Choose(dlg, IDC_MONTH, 3);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 14);
        Choose(dlg, IDC_YEAR, 2008 - 1901);
        EXPECT_EQ(Selected(dlg, IDC_DAY), 14);

        // Enter types a line break and Esc is ignored: the dialog stays.
        ::SetFocus(::GetDlgItem(dlg, IDC_PLAN_TEXT));
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        EXPECT_TRUE(::IsWindowVisible(dlg));
        EXPECT_EQ(ItemText(dlg, IDC_PLAN_TEXT), "\r\n");
        Click(dlg, IDC_CLOSE_PLAN);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace manager_testing
