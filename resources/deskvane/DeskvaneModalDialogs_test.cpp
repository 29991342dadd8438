// The desktop manager's modal dialogs, the initial items of its combo boxes, and the layout and
// text checks over every dialog template.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resources/deskvane/DeskvaneDialogTest.h"

namespace platform::testing {
namespace {

// --- Modal dialogs ---

TEST(DeskvaneDialogsTest, PlanEditDialogHidesTheSecondsAndTheCopyButton) {
    DialogTemplate edit = Dialog(IDD_PLAN_EDIT);
    ExpectControls(edit, IDD_PLAN_EDIT,
                   {{1013, Kind::Combo, ""},
                    {1014, Kind::Combo, ""},
                    {1015, Kind::Combo, ""},
                    {1017, Kind::Combo, ""},
                    {1018, Kind::Combo, ""},
                    {1019, Kind::Combo, "", false},
                    {1016, Kind::Edit, ""},
                    {1050, Kind::Tree, ""},
                    {1021, Kind::Hint, "保  存"},
                    {1023, Kind::Hint, "删  除"},
                    {1079, Kind::Hint, "退  出"},
                    {1022, Kind::Hint, "复  制", false}});
    for (DWORD combo : {1013, 1014, 1015, 1017, 1018, 1019})
        EXPECT_EQ(ComboType(edit, combo), kDropDownList) << combo;
    EXPECT_EQ(ById(edit, 1016)->style & (kMultiLine | kWantReturn | kVScroll),
              kMultiLine | kWantReturn | kVScroll);
    EXPECT_TRUE(ById(edit, 1050)->style & kTreeShowSelAlways);
    ExpectGroupBoxes(edit, {"时间"});
    ExpectLabels(edit, IDD_PLAN_EDIT, {"年", "月", "日", "小时", "分"});
    ExpectLabels(edit, IDD_PLAN_EDIT, {"秒"}, false);
}

TEST(DeskvaneDialogsTest, PlanQueryAndMonthPicker) {
    DialogTemplate query = Dialog(IDD_PLAN_QUERY);
    ExpectControls(query, IDD_PLAN_QUERY,
                   {{1013, Kind::Combo, ""},
                    {1014, Kind::Combo, ""},
                    {1015, Kind::Combo, ""},
                    {1004, Kind::Edit, ""},
                    {1012, Kind::List, ""},
                    {1016, Kind::Edit, ""},
                    {1026, Kind::Push, "查询"},
                    {1024, Kind::Push, "查询"},
                    {kIdOk, Kind::Push, "退  出"}});
    ExpectGroupBoxes(query, {"按时间查询", "按内容查询"});
    ExpectLabels(query, IDD_PLAN_QUERY, {"查寻结果:"});
    DWORD list = ById(query, 1012)->style;
    EXPECT_TRUE(list & kListNotify);
    EXPECT_TRUE(list & kListOwnerDrawVariable);
    EXPECT_TRUE(list & kListHasStrings);
    EXPECT_EQ(ById(query, 1016)->style & (kMultiLine | kReadOnly), kMultiLine | kReadOnly);
    // Each query button belongs to its own group box.
    auto inside = [&](DWORD id, const char* group) {
        const DialogControl* box = ByText(query, group);
        const DialogControl* button = ById(query, id);
        return button->x >= box->x && button->x + button->cx <= box->x + box->cx &&
               button->y >= box->y && button->y + button->cy <= box->y + box->cy;
    };
    EXPECT_TRUE(inside(1026, "按时间查询"));
    EXPECT_TRUE(inside(1024, "按内容查询"));

    DialogTemplate month = Dialog(IDD_MONTH_PICKER);
    ExpectControls(month, IDD_MONTH_PICKER,
                   {{1013, Kind::Combo, ""},
                    {1014, Kind::Combo, ""},
                    {kIdOk, Kind::DefPush, "确  定"},
                    {kIdCancel, Kind::Push, "取  消"}});
    ExpectGroupBoxes(month, {"日历年月"});
}

TEST(DeskvaneDialogsTest, AccountDialogsHideThePasswords) {
    for (int id : {IDD_NEW_USER, IDD_LOGIN}) {
        DialogTemplate dialog = Dialog(id);
        std::vector<Expected> expected = {{1074, Kind::Edit, ""},
                                          {1072, Kind::Edit, ""},
                                          {kIdOk, Kind::Hint, "确  定"},
                                          {kIdCancel, Kind::Hint, "取  消"}};
        std::vector<std::string> labels = {"用户名:", "密码:", "请注意:用户名是区分大小写的。"};
        if (id == IDD_NEW_USER) {
            expected.push_back({1073, Kind::Edit, ""});
            labels.push_back("密码确认:");
        }
        ExpectControls(dialog, id, expected);
        ExpectLabels(dialog, id, labels);
        EXPECT_FALSE(ById(dialog, 1074)->style & kPassword) << id;
        EXPECT_TRUE(ById(dialog, 1072)->style & kPassword) << id;
        EXPECT_EQ(ById(dialog, 1073) != nullptr, id == IDD_NEW_USER);
        if (id == IDD_NEW_USER) {
            EXPECT_TRUE(ById(dialog, 1073)->style & kPassword);
        }
    }
}

TEST(DeskvaneDialogsTest, NoteEditorShowsTheEditorAndHidesItsFormattingStrip) {
    DialogTemplate editor = Dialog(IDD_NOTE_EDITOR);
    EXPECT_EQ(IDD_NOTE_EDITOR, 161);
    ExpectControls(editor, IDD_NOTE_EDITOR,
                   {{1083, Kind::Rich, ""},
                    {kIdOk, Kind::DefPush, "保存"},
                    {kIdCancel, Kind::Push, "关闭"},
                    {1096, Kind::Static, "时间:2005年12月1日"},
                    {1081, Kind::Combo, "", false},
                    {1082, Kind::Combo, "", false},
                    {1086, Kind::Hint, "B", false},
                    {1087, Kind::Hint, "I", false},
                    {1088, Kind::Hint, "U", false},
                    {1089, Kind::Hint, "L", false},
                    {1090, Kind::Hint, "C", false},
                    {1091, Kind::Hint, "R", false},
                    {1092, Kind::Hint, "T", false},
                    {1093, Kind::Hint, "G", false},
                    {1094, Kind::Hint, "cut", false},
                    {1095, Kind::Hint, "cpy", false},
                    {1097, Kind::Hint, "pst", false},
                    {1098, Kind::Hint, "udo", false},
                    {1084, Kind::Push, "<-上一篇", false},
                    {1085, Kind::Push, "下一篇->", false},
                    {1099, Kind::Static, "1111", false}});
    ExpectLabels(editor, IDD_NOTE_EDITOR, {"字体:", "大小:"}, false);
    DWORD face = ById(editor, 1081)->style;
    EXPECT_EQ(face & kComboType, kDropDown);
    EXPECT_TRUE(face & kComboSort);
    EXPECT_EQ(ComboType(editor, 1082), kDropDown);
    // The icon buttons are 18 pixels square: 12 units.
    for (DWORD id = 1086; id <= 1098; ++id) {
        if (id == 1096)
            continue;
        EXPECT_EQ(ById(editor, id)->cx, 12) << id;
        EXPECT_EQ(ById(editor, id)->cy, 12) << id;
    }
    // The editor keeps its top edge and is stretched at run time; it starts below the strip.
    int editorTop = ById(editor, 1083)->y;
    for (const DialogControl& control : editor.controls) {
        int cy = control.className == "ComboBox" ? 13 : control.cy;
        if (control.id != 1083) {
            EXPECT_LE(control.y + cy, editorTop) << control.id;
        }
    }
}

// --- Initial combo items ---

std::vector<DialogInitEntry> Items(WORD id, const std::vector<std::string>& texts) {
    std::vector<DialogInitEntry> entries;
    for (const std::string& text : texts)
        entries.push_back({id, kDialogInitComboBoxAddString, text + '\0'});
    return entries;
}

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> texts;
    for (int n = first; n <= last; ++n)
        texts.push_back(std::to_string(n));
    return texts;
}

TEST(DeskvaneDialogsTest, CombosNoCodeFillsStartWithTheirItems) {
    std::map<int, std::vector<DialogInitEntry>> expected;
    expected[IDD_BACKUP] =
        Items(1039, {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"});
    expected[IDD_LEDGER_ENTRY] = Items(1053, {"收入", "支出"});
    expected[IDD_NOTE_EDITOR] = Items(1082, {"8", "9", "10", "11", "12", "14", "16", "18", "20",
                                             "22", "24", "26", "28", "36", "48", "72"});
    std::vector<DialogInitEntry> book = Items(1088, {"所有分组", "家人", "好友", "同事", "其他"});
    for (const auto& part : {Items(1090, {"国历", "农历"}), Items(1091, Numbers(1, 12)),
                             Items(1092, Numbers(1, 31))}) {
        book.insert(book.end(), part.begin(), part.end());
    }
    expected[IDD_ADDRESS_BOOK] = book;

    for (int id : AllDialogs()) {
        std::optional<std::vector<DialogInitEntry>> init =
            LoadDialogInit(nullptr, MAKEINTRESOURCE(id));
        auto want = expected.find(id);
        if (want == expected.end()) {
            // Every other combo is filled by its dialog; initial items would come twice.
            EXPECT_TRUE(!init || init->empty()) << id;
        } else {
            ASSERT_TRUE(init) << id;
            EXPECT_EQ(*init, want->second) << id;
        }
    }
}

// --- Layout ---

// Every control, hidden ones too, lies inside its dialog and no visible ones overlap but group
// boxes around their contents.
TEST(DeskvaneDialogsTest, LayoutsStayInsideTheirDialogsWithoutOverlaps) {
    for (int id : AllDialogs())
        ExpectInsideWithoutOverlaps(Dialog(id), id);
}

// Pages paint their title into the top band of 30 pixels (20 units); no visible control of a
// main-window page may cover it.
TEST(DeskvaneDialogsTest, PageControlsStayBelowTheTitleBand) {
    for (int id : {IDD_CALENDAR, IDD_OPTIONS, IDD_ABOUT, IDD_DIARY, IDD_ADDRESS_BOOK}) {
        for (const DialogControl& control : Dialog(id).controls) {
            if (!IsHidden(control)) {
                EXPECT_GE(control.y, 20) << id << "/" << control.id;
            }
        }
    }
}

// Visible texts fit their controls in the dialog font, 宋体 9 pt.
TEST(DeskvaneDialogsTest, VisibleTextsFitTheirControls) {
    for (int id : AllDialogs())
        ExpectTextsFit(Dialog(id), id, TextCheck::VisibleOnly);
}

// --- Strings ---

TEST(DeskvaneStringsTest, MessageBoxesAreCaptionedWithTheProgramName) {
    EXPECT_EQ(LoadResourceString(nullptr, 0xE000).value_or(""), "Deskvane");
}

}  // namespace
}  // namespace platform::testing
