// The desktop manager's dialog templates loaded back as the framework loads them: the kinds and
// sizes of its windows and the exact ids, texts, control kinds and hidden controls of its pages.
#include <gtest/gtest.h>

#include "resources/deskvane/DeskvaneDialogTest.h"

namespace platform::testing {
namespace {

// --- Window kinds and sizes ---

TEST(DeskvaneDialogsTest, EveryDialogUsesSongTiNinePoint) {
    for (int id : AllDialogs()) {
        DialogTemplate dialog = Dialog(id);
        EXPECT_TRUE(dialog.hasFont) << id;
        EXPECT_EQ(dialog.pointSize, 9) << id;
        EXPECT_EQ(dialog.faceName, "宋体") << id;
    }
}

TEST(DeskvaneDialogsTest, MainWindowIsAnEmptyMinimisableApplicationWindow) {
    DialogTemplate main = Dialog(IDD_MAIN);
    EXPECT_EQ(IDD_MAIN, 102);
    DWORD needed = kPopup | kCaption | kSysMenu | kMinimizeBox | kModalFrame;
    EXPECT_EQ(main.style & needed, needed);
    EXPECT_TRUE(main.exStyle & kAppWindow);
    // The title is set at run time, once the skin file has been found good.
    EXPECT_EQ(main.caption, "");
    // Both browsers are created at run time.
    EXPECT_TRUE(main.controls.empty());
}

TEST(DeskvaneDialogsTest, PagesAreCaptionlessChildrenAndDialogsCaptionedPopups) {
    for (int id : kPages) {
        DialogTemplate page = Dialog(id);
        EXPECT_TRUE(page.style & kChild) << id;
        EXPECT_FALSE(page.style & kPopup) << id;
        EXPECT_EQ(page.style & kCaption, 0u) << id;
        EXPECT_FALSE(page.style & kVisible) << id << ": the owner shows its pages itself";
    }
    const std::map<int, std::string> captions = {
        {IDD_PLAN_EDIT, "计划编辑"}, {IDD_PLAN_QUERY, "计划查寻"}, {IDD_MONTH_PICKER, "日历查寻"},
        {IDD_NEW_USER, "新建用户"},  {IDD_LOGIN, "登录"},          {IDD_NOTE_EDITOR, "笔记编辑器"},
    };
    for (int id : kModalDialogs) {
        DialogTemplate dialog = Dialog(id);
        EXPECT_EQ(dialog.style & (kPopup | kCaption | kModalFrame), kPopup | kCaption | kModalFrame)
            << id;
        EXPECT_EQ(dialog.caption, captions.at(id)) << id;
    }
}

TEST(DeskvaneDialogsTest, PagesHaveTheirGivenSizesInDialogUnits) {
    const std::map<int, std::pair<int, int>> sizes = {
        {IDD_CD_KEYS, {508, 253}},    {IDD_SYSTEM_TOOLS, {356, 255}},
        {IDD_SHUTDOWN, {426, 228}},   {IDD_BACKUP, {460, 247}},
        {IDD_PROCESSES, {433, 277}},  {IDD_HOTKEY_PICKER, {128, 58}},
        {IDD_SCREENSHOT, {488, 228}}, {IDD_BOSS_KEY, {464, 251}},
        {IDD_LOOKUP, {426, 209}},     {IDD_POST_CODE, {426, 295}},
        {IDD_MOBILE, {426, 295}},     {IDD_ID_CARD, {426, 295}},
        {IDD_IDIOM, {426, 295}},
    };
    for (const auto& [id, size] : sizes) {
        DialogTemplate dialog = Dialog(id);
        EXPECT_EQ(dialog.cx, size.first) << id;
        EXPECT_EQ(dialog.cy, size.second) << id;
    }
}

TEST(DeskvaneDialogsTest, ContainerPagesHaveNoControls) {
    for (int id : {IDD_SYSTEM_TOOLS, IDD_LEDGER, IDD_LOOKUP}) {
        EXPECT_TRUE(Dialog(id).controls.empty()) << id;
    }
}

// --- Pages of the main window ---

TEST(DeskvaneDialogsTest, CalendarPageHasFourNavigationButtonsAndThreeHiddenCommands) {
    DialogTemplate page = Dialog(IDD_CALENDAR);
    EXPECT_EQ(IDD_CALENDAR, 132);
    ExpectControls(page, IDD_CALENDAR,
                   {{1009, Kind::Hint, "<-"},
                    {1011, Kind::Hint, "->"},
                    {1007, Kind::Hint, "<-"},
                    {1008, Kind::Hint, "->"},
                    {1010, Kind::Hint, "计划编辑", false},
                    {1027, Kind::Hint, "计划查寻", false},
                    {1028, Kind::Hint, "日历查寻", false}});
    EXPECT_EQ(page.controls.size(), 7u);
    // 20 x 20 pixels at (40, 70), (110, 70), (160, 70), (220, 70): about 13 units in 宋体 9.
    const std::map<DWORD, int> left = {{1009, 27}, {1011, 73}, {1007, 107}, {1008, 147}};
    for (const auto& [id, x] : left) {
        const DialogControl* button = ById(page, id);
        EXPECT_EQ(button->x, x) << id;
        EXPECT_EQ(button->y, 47) << id;
        EXPECT_EQ(button->cx, 13) << id;
        EXPECT_EQ(button->cy, 13) << id;
    }
}

TEST(DeskvaneDialogsTest, OptionsAndAboutPages) {
    DialogTemplate options = Dialog(IDD_OPTIONS);
    EXPECT_EQ(IDD_OPTIONS, 142);
    ExpectControls(options, IDD_OPTIONS,
                   {{kIdOk, Kind::Hint, "保存设置"},
                    {1031, Kind::Check, "启动计算机时运行"},
                    {kIdCancel, Kind::Push, "退 出", false}});
    EXPECT_EQ(options.controls.size(), 3u);

    DialogTemplate about = Dialog(IDD_ABOUT);
    EXPECT_EQ(IDD_ABOUT, 137);
    ExpectControls(about, IDD_ABOUT,
                   {{1030, Kind::Browser, ""}, {kIdCancel, Kind::Hint, "官方网站"}});
    EXPECT_EQ(about.controls.size(), 2u);
}

TEST(DeskvaneDialogsTest, DiaryPageHasItsEditorVisibleButtonsAndHiddenCommands) {
    DialogTemplate diary = Dialog(IDD_DIARY);
    EXPECT_EQ(IDD_DIARY, 158);
    ExpectControls(diary, IDD_DIARY,
                   {{1004, Kind::Rich, ""},
                    {1021, Kind::Hint, "保存今日日记"},
                    {1023, Kind::Hint, "删除今日日记"},
                    {1076, Kind::Hint, "<-"},
                    {1077, Kind::Hint, "->"},
                    {1079, Kind::Hint, "打开笔记编辑器"},
                    {1022, Kind::Push, "登录", false},
                    {1024, Kind::Push, "新建用户", false},
                    {1025, Kind::Push, "退出", false},
                    {1078, Kind::Push, "字体选择", false},
                    {kIdOk, Kind::DefPush, "ok", false}});
    EXPECT_EQ(diary.controls.size(), 11u);
}

TEST(DeskvaneDialogsTest, AddressBookHasTheFormTheButtonsAndTheList) {
    DialogTemplate book = Dialog(IDD_ADDRESS_BOOK);
    EXPECT_EQ(IDD_ADDRESS_BOOK, 163);
    ExpectControls(book, IDD_ADDRESS_BOOK,
                   {{1088, Kind::Combo, ""},
                    {1094, Kind::Edit, ""},
                    {1064, Kind::Edit, ""},
                    {1006, Kind::Edit, ""},
                    {1007, Kind::Edit, ""},
                    {1009, Kind::Edit, ""},
                    {1010, Kind::Edit, ""},
                    {1008, Kind::Edit, ""},
                    {1090, Kind::Combo, ""},
                    {1091, Kind::Combo, ""},
                    {1092, Kind::Combo, ""},
                    {1095, Kind::Check, "提前一天提示", false},
                    {kIdOk, Kind::DefPush, "ok", false},
                    {1093, Kind::Hint, "新增"},
                    {1021, Kind::Hint, "保存"},
                    {1023, Kind::Hint, "删除"},
                    {1022, Kind::Hint, "显示该组所有"},
                    {1012, Kind::ListView, ""}});
    ExpectLabels(book, IDD_ADDRESS_BOOK,
                 {"分组:", "姓名:", "手机:", "电话(公):", "电话(宅):", "EMail:", " QQ:", "生日:",
                  "月", "日", "备注:"});
    for (DWORD combo : {1088, 1090, 1091, 1092})
        EXPECT_EQ(ComboType(book, combo), kDropDownList) << combo;
    EXPECT_TRUE(ById(book, 1008)->style & kMultiLine);
    // The month and day labels follow their combos.
    EXPECT_GT(ByText(book, "月")->x, ById(book, 1091)->x);
    EXPECT_GT(ByText(book, "日")->x, ById(book, 1092)->x);
}

// --- Sub-pages of the system tools page ---

TEST(DeskvaneDialogsTest, ShutdownPage) {
    DialogTemplate page = Dialog(IDD_SHUTDOWN);
    ExpectControls(page, IDD_SHUTDOWN,
                   {{1017, Kind::Combo, ""},
                    {1033, Kind::Combo, ""},
                    {1031, Kind::Check, "显示30秒倒计时对话框"},
                    {1048, Kind::Hint, "启动关机"},
                    {1045, Kind::Hint, "取消关机"},
                    {1051, Kind::Static, "当前状态:未启动"}});
    EXPECT_EQ(ComboType(page, 1017), kDropDownList);
    EXPECT_EQ(ComboType(page, 1033), kDropDownList);
}

TEST(DeskvaneDialogsTest, BackupPageKeepsItsScheduleRadiosInOneGroup) {
    DialogTemplate page = Dialog(IDD_BACKUP);
    ExpectControls(page, IDD_BACKUP,
                   {{1012, Kind::List, ""},
                    {1046, Kind::Edit, ""},
                    {1005, Kind::Edit, ""},
                    {1025, Kind::Push, "..."},
                    {1026, Kind::Push, "..."},
                    {1033, Kind::Radio, "每天"},
                    {1036, Kind::Radio, "每星期"},
                    {1040, Kind::Radio, "每月"},
                    {1044, Kind::Hint, "增加任务"},
                    {1021, Kind::Hint, "保存任务"},
                    {1023, Kind::Hint, "删除任务"},
                    {1047, Kind::Push, "确定", false},
                    {kIdCancel, Kind::Push, "取消", false}});
    for (DWORD combo : {1034, 1035, 1039, 1037, 1038, 1043, 1041, 1042})
        EXPECT_EQ(ComboType(page, combo), kDropDownList) << combo;
    DWORD list = ById(page, 1012)->style;
    EXPECT_TRUE(list & kListOwnerDrawVariable);
    EXPECT_TRUE(list & kListHasStrings);
    EXPECT_TRUE(list & kListNotify);
    EXPECT_FALSE(list & kListSort);

    // One radio group from 1033 to the first hint button, so checking one radio clears the
    // others; the combos between them stay inside it.
    bool inGroup = false;
    std::vector<DWORD> radios;
    for (const DialogControl& control : page.controls) {
        if (control.id == 1033) {
            EXPECT_TRUE(control.style & kGroup);
            inGroup = true;
        } else if (inGroup && (control.style & kGroup)) {
            EXPECT_EQ(control.id, 1044u);
            break;
        }
        if (inGroup && control.className == "Button")
            radios.push_back(control.id);
    }
    EXPECT_EQ(radios, (std::vector<DWORD>{1033, 1036, 1040}));
}

TEST(DeskvaneDialogsTest, ProcessPageListsAreOwnerDrawnReportsAndOnlyTheModulesSingleSelect) {
    DialogTemplate page = Dialog(IDD_PROCESSES);
    ExpectControls(page, IDD_PROCESSES,
                   {{1012, Kind::ListView, ""},
                    {1013, Kind::ListView, ""},
                    {1004, Kind::Edit, ""},
                    {1025, Kind::Hint, "刷新列表"},
                    {1026, Kind::Hint, "搜索相关信息"}});
    ExpectLabels(page, IDD_PROCESSES, {"系统运行进程信息", "进程详细信息"});
    EXPECT_FALSE(ById(page, 1012)->style & kSingleSel);
    EXPECT_TRUE(ById(page, 1013)->style & kSingleSel);
    DWORD note = ById(page, 1004)->style;
    EXPECT_EQ(note & (kMultiLine | kReadOnly | kVScroll), kMultiLine | kReadOnly | kVScroll);
}

TEST(DeskvaneDialogsTest, HotKeyPickerHasTheKeyComboAndPaddedModifierTexts) {
    DialogTemplate picker = Dialog(IDD_HOTKEY_PICKER);
    ExpectControls(picker, IDD_HOTKEY_PICKER,
                   {{1016, Kind::Combo, ""},
                    {1015, Kind::Check, "Shift"},
                    {1012, Kind::Check, "Ctrl  "},
                    {1014, Kind::Check, "Alt   "}});
    EXPECT_EQ(picker.controls.size(), 4u);
    EXPECT_EQ(ComboType(picker, 1016), kDropDown);
}

TEST(DeskvaneDialogsTest, ScreenShotPage) {
    DialogTemplate page = Dialog(IDD_SCREENSHOT);
    ExpectControls(page, IDD_SCREENSHOT,
                   {{1009, Kind::Hint, "截取全屏"},
                    {1010, Kind::Hint, "截取指定窗口"},
                    {1011, Kind::Hint, "截取指定区域"},
                    {1008, Kind::Hint, "..."},
                    {1021, Kind::Hint, "保存参数"},
                    {1005, Kind::Check, "将截屏存入剪贴板中"},
                    {1006, Kind::Check, "将截屏存于文件中(*.bmp)"},
                    {1007, Kind::Edit, ""}});
    ExpectLabels(page, IDD_SCREENSHOT, {"目录:"});
    EXPECT_TRUE(ById(page, 1007)->style & kReadOnly);
    // The label stands before the folder.
    EXPECT_LT(ByText(page, "目录:")->x, ById(page, 1007)->x);
}

TEST(DeskvaneDialogsTest, BossKeyAndCdKeyPages) {
    DialogTemplate boss = Dialog(IDD_BOSS_KEY);
    ExpectControls(boss, IDD_BOSS_KEY,
                   {{kIdOk, Kind::Hint, "保存设置"},
                    {kIdCancel, Kind::Push, "取消", false},
                    {1006, Kind::Combo, ""},
                    {1007, Kind::Hint, "刷新窗口"},
                    {1008, Kind::Hint, "测试"}});
    ExpectLabels(boss, IDD_BOSS_KEY, {"按键："});
    ExpectGroupBoxes(boss, {"老板键设置", "最上层显示的窗口"});
    EXPECT_EQ(ComboType(boss, 1006), kDropDownList);

    DialogTemplate cd = Dialog(IDD_CD_KEYS);
    ExpectControls(cd, IDD_CD_KEYS,
                   {{kIdOk, Kind::Hint, "保存设置"}, {kIdCancel, Kind::Push, "关闭", false}});
    ExpectLabels(cd, IDD_CD_KEYS, {"打开光驱:", "关闭光驱:"});
    ExpectGroupBoxes(cd, {"光驱热键设置"});
}

// The key pickers are placed at run time at (28, 55) and, on the CD page, (28, 125), 372 x 25
// pixels: about (19, 37) and (19, 83), 248 x 17 units. No visible template control may lie there.
TEST(DeskvaneDialogsTest, KeyPickerRowsStayFreeOnTheBossKeyAndCdKeyPages) {
    struct Row {
        int dialog, left, top, right, bottom;
    };
    for (const Row& row : {Row{IDD_BOSS_KEY, 19, 37, 267, 54}, Row{IDD_CD_KEYS, 19, 37, 267, 54},
                           Row{IDD_CD_KEYS, 19, 83, 267, 100}}) {
        for (const DialogControl& control : Dialog(row.dialog).controls) {
            if (IsHidden(control) || IsGroupBox(control))
                continue;
            bool overlap = control.x < row.right && row.left < control.x + control.cx &&
                           control.y < row.bottom && row.top < control.y + control.cy;
            EXPECT_FALSE(overlap) << row.dialog << "/" << control.id << " " << control.text;
        }
    }
}

// --- Sub-pages of the ledger and the lookups ---

TEST(DeskvaneDialogsTest, LedgerSubPages) {
    DialogTemplate detail = Dialog(IDD_LEDGER_DETAIL);
    ExpectControls(
        detail, IDD_LEDGER_DETAIL,
        {{1004, Kind::Edit, ""}, {1012, Kind::ListView, ""}, {1055, Kind::Push, "查看"}});
    ExpectLabels(detail, IDD_LEDGER_DETAIL, {"明细表"});
    DWORD summary = ById(detail, 1004)->style;
    EXPECT_EQ(summary & (kMultiLine | kReadOnly), kMultiLine | kReadOnly);

    DialogTemplate entry = Dialog(IDD_LEDGER_ENTRY);
    ExpectControls(entry, IDD_LEDGER_ENTRY,
                   {{1053, Kind::Combo, ""},
                    {1016, Kind::Edit, ""},
                    {1058, Kind::Edit, ""},
                    {1012, Kind::ListView, ""},
                    {1023, Kind::Hint, "删除记录"},
                    {1044, Kind::Hint, "增加记录"},
                    {kIdOk, Kind::DefPush, "ok", false}});
    ExpectLabels(entry, IDD_LEDGER_ENTRY, {"元"});
    ExpectGroupBoxes(entry, {"操作"});
    EXPECT_EQ(ComboType(entry, 1053), kDropDownList);
    EXPECT_TRUE(ById(entry, 1016)->style & kMultiLine);
    // Both record buttons sit inside the group box.
    const DialogControl* group = ByText(entry, "操作");
    for (DWORD id : {1023, 1044}) {
        const DialogControl* button = ById(entry, id);
        EXPECT_GE(button->x, group->x);
        EXPECT_GE(button->y, group->y);
        EXPECT_LE(button->x + button->cx, group->x + group->cx);
        EXPECT_LE(button->y + button->cy, group->y + group->cy);
    }
}

TEST(DeskvaneDialogsTest, DatePickerHasThreeDropListsWithTheirLabels) {
    DialogTemplate picker = Dialog(IDD_DATE_PICKER);
    ExpectControls(picker, IDD_DATE_PICKER,
                   {{1056, Kind::Combo, ""}, {1057, Kind::Combo, ""}, {1034, Kind::Combo, ""}});
    ExpectLabels(picker, IDD_DATE_PICKER, {"年", "月", "日"});
    for (DWORD combo : {1056, 1057, 1034})
        EXPECT_EQ(ComboType(picker, combo), kDropDownList) << combo;
    EXPECT_EQ(picker.controls.size(), 6u);
}

TEST(DeskvaneDialogsTest, LookupSubPages) {
    DialogTemplate post = Dialog(IDD_POST_CODE);
    ExpectControls(post, IDD_POST_CODE,
                   {{1062, Kind::Edit, ""},
                    {1005, Kind::Edit, ""},
                    {1006, Kind::Edit, ""},
                    {1059, Kind::Hint, "查询"},
                    {1060, Kind::Hint, "查询"},
                    {1061, Kind::Hint, "查询"},
                    {1012, Kind::ListView, ""},
                    {1050, Kind::Tree, ""}});
    ExpectLabels(post, IDD_POST_CODE, {"城市:", "区号:", "邮编:"});

    DialogTemplate mobile = Dialog(IDD_MOBILE);
    ExpectControls(
        mobile, IDD_MOBILE,
        {{1064, Kind::Edit, ""}, {1063, Kind::Hint, "查询"}, {1012, Kind::ListView, ""}});
    ExpectLabels(mobile, IDD_MOBILE, {"手机号:", "查询结果:"});

    DialogTemplate card = Dialog(IDD_ID_CARD);
    ExpectControls(card, IDD_ID_CARD,
                   {{1064, Kind::Edit, ""}, {1063, Kind::Hint, "查询"}, {1065, Kind::Edit, ""}});
    ExpectLabels(card, IDD_ID_CARD, {"身份证号:", "查询结果:"});
    EXPECT_TRUE(ById(card, 1065)->style & kReadOnly);
    EXPECT_FALSE(ById(card, 1064)->style & kReadOnly);
}

TEST(DeskvaneDialogsTest, IdiomDictionary) {
    DialogTemplate idiom = Dialog(IDD_IDIOM);
    ExpectControls(idiom, IDD_IDIOM,
                   {{1071, Kind::Edit, ""},
                    {1070, Kind::Hint, "查询"},
                    {1022, Kind::Hint, "复制词条"},
                    {1012, Kind::List, ""},
                    {1067, Kind::Static, "词名"},
                    {1068, Kind::Static, "py"},
                    {1069, Kind::Static, "README"}});
    ExpectLabels(idiom, IDD_IDIOM, {"输入成语或每个字首拼音:"});
    DWORD list = ById(idiom, 1012)->style;
    EXPECT_TRUE(list & kListNotify);
    EXPECT_TRUE(list & kVScroll);
    EXPECT_FALSE(list & kListSort);
    EXPECT_FALSE(list & kListOwnerDrawVariable);
}

}  // namespace
}  // namespace platform::testing
