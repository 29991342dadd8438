// The desktop manager's dialog templates loaded back as the framework loads them: exact ids,
// texts, control kinds, hidden controls, given sizes, initial combo items and clean layouts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "resources/deskvane/resource.h"
#include "resources/testing/ResourceChecks.h"

namespace platform {
namespace {

using namespace resource_checks;

constexpr DWORD kIdOk = 1;
constexpr DWORD kIdCancel = 2;
constexpr DWORD kVisible = 0x10000000;
constexpr DWORD kChild = 0x40000000;
constexpr DWORD kPopup = 0x80000000;
constexpr DWORD kCaption = 0x00C00000;
constexpr DWORD kSysMenu = 0x00080000;
constexpr DWORD kMinimizeBox = 0x00020000;
constexpr DWORD kModalFrame = 0x80;
constexpr DWORD kAppWindow = 0x00040000;
constexpr DWORD kVScroll = 0x00200000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kButtonType = 0xF;
constexpr DWORD kPushButton = 0x0;
constexpr DWORD kDefPush = 0x1;
constexpr DWORD kAutoCheck = 0x3;
constexpr DWORD kAutoRadio = 0x9;
constexpr DWORD kOwnerDraw = 0xB;
constexpr DWORD kComboType = 0x3;
constexpr DWORD kDropDown = 0x2;
constexpr DWORD kDropDownList = 0x3;
constexpr DWORD kComboSort = 0x100;
constexpr DWORD kListNotify = 0x1;
constexpr DWORD kListSort = 0x2;
constexpr DWORD kListOwnerDrawVariable = 0x20;
constexpr DWORD kListHasStrings = 0x40;
constexpr DWORD kMultiLine = 0x4;
constexpr DWORD kPassword = 0x20;
constexpr DWORD kReadOnly = 0x800;
constexpr DWORD kWantReturn = 0x1000;
constexpr DWORD kReport = 0x1;
constexpr DWORD kViewType = 0x3;
constexpr DWORD kSingleSel = 0x4;
constexpr DWORD kOwnerDrawFixed = 0x400;
constexpr DWORD kTreeButtons = 0x1;
constexpr DWORD kTreeLines = 0x2;
constexpr DWORD kTreeLinesAtRoot = 0x4;
constexpr DWORD kTreeShowSelAlways = 0x20;

const char* const kBrowserClass = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

const int kPages[] = {IDD_CALENDAR,     IDD_SYSTEM_TOOLS, IDD_OPTIONS,   IDD_ABOUT,
                      IDD_LEDGER,       IDD_LOOKUP,       IDD_DIARY,     IDD_ADDRESS_BOOK,
                      IDD_SHUTDOWN,     IDD_BACKUP,       IDD_PROCESSES, IDD_HOTKEY_PICKER,
                      IDD_SCREENSHOT,   IDD_BOSS_KEY,     IDD_CD_KEYS,   IDD_LEDGER_DETAIL,
                      IDD_LEDGER_ENTRY, IDD_DATE_PICKER,  IDD_POST_CODE, IDD_MOBILE,
                      IDD_ID_CARD,      IDD_IDIOM};
const int kModalDialogs[] = {IDD_PLAN_EDIT, IDD_PLAN_QUERY, IDD_MONTH_PICKER,
                             IDD_NEW_USER,  IDD_LOGIN,      IDD_NOTE_EDITOR};

std::vector<int> AllDialogs() {
    std::vector<int> all = {IDD_MAIN};
    all.insert(all.end(), std::begin(kPages), std::end(kPages));
    all.insert(all.end(), std::begin(kModalDialogs), std::end(kModalDialogs));
    return all;
}

// What a template control must be. Hint buttons are owner-drawn buttons; the other kinds are
// checked by their class and, for buttons, their type.
enum class Kind {
    Hint,
    Push,
    DefPush,
    Check,
    Radio,
    Edit,
    Combo,
    List,
    ListView,
    Tree,
    Rich,
    Browser,
    Static
};

struct Expected {
    DWORD id;
    Kind kind;
    const char* text;
    bool visible = true;
};

void ExpectControls(const DialogTemplate& dialog, int dialogId,
                    const std::vector<Expected>& expected) {
    for (const Expected& want : expected) {
        const DialogControl* control = ById(dialog, want.id);
        ASSERT_NE(control, nullptr) << "dialog " << dialogId << " lacks control " << want.id;
        std::string where =
            "dialog " + std::to_string(dialogId) + " control " + std::to_string(want.id);
        EXPECT_EQ(control->text, want.text) << where;
        EXPECT_EQ(!IsHidden(*control), want.visible) << where;
        DWORD type = control->style & kButtonType;
        switch (want.kind) {
            case Kind::Hint:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kOwnerDraw) << where;
                break;
            case Kind::Push:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kPushButton) << where;
                break;
            case Kind::DefPush:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kDefPush) << where;
                break;
            case Kind::Check:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kAutoCheck) << where;
                break;
            case Kind::Radio:
                EXPECT_EQ(control->className, "Button") << where;
                EXPECT_EQ(type, kAutoRadio) << where;
                break;
            case Kind::Edit:
                EXPECT_EQ(control->className, "Edit") << where;
                break;
            case Kind::Combo:
                EXPECT_EQ(control->className, "ComboBox") << where;
                break;
            case Kind::List:
                EXPECT_EQ(control->className, "ListBox") << where;
                break;
            case Kind::ListView:
                EXPECT_EQ(control->className, "SysListView32") << where;
                EXPECT_EQ(control->style & kViewType, kReport) << where;
                EXPECT_TRUE(control->style & kOwnerDrawFixed) << where;
                break;
            case Kind::Tree:
                EXPECT_EQ(control->className, "SysTreeView32") << where;
                EXPECT_EQ(control->style & (kTreeButtons | kTreeLines | kTreeLinesAtRoot),
                          kTreeButtons | kTreeLines | kTreeLinesAtRoot)
                    << where;
                break;
            case Kind::Rich:
                EXPECT_EQ(control->className, "RICHEDIT") << where;
                EXPECT_EQ(control->style & (kMultiLine | kWantReturn | kVScroll),
                          kMultiLine | kWantReturn | kVScroll)
                    << where;
                break;
            case Kind::Browser:
                EXPECT_EQ(control->className, kBrowserClass) << where;
                break;
            case Kind::Static:
                EXPECT_EQ(control->className, "Static") << where;
                break;
        }
    }
}

// Labels and group boxes without an id of their own, each with exactly this text.
void ExpectLabels(const DialogTemplate& dialog, int dialogId,
                  const std::vector<std::string>& labels, bool visible = true) {
    for (const std::string& text : labels) {
        const DialogControl* label = ByText(dialog, text);
        ASSERT_NE(label, nullptr) << "dialog " << dialogId << " lacks \"" << text << "\"";
        EXPECT_TRUE(label->className == "Static" || IsGroupBox(*label)) << text;
        EXPECT_EQ(!IsHidden(*label), visible) << text;
    }
}

void ExpectGroupBoxes(const DialogTemplate& dialog, const std::vector<std::string>& groups) {
    for (const std::string& text : groups) {
        const DialogControl* group = ByText(dialog, text);
        ASSERT_NE(group, nullptr) << text;
        EXPECT_TRUE(IsGroupBox(*group)) << text;
    }
}

DWORD ComboType(const DialogTemplate& dialog, DWORD id) {
    const DialogControl* combo = ById(dialog, id);
    return combo ? combo->style & kComboType : 0;
}

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
    EXPECT_EQ(main.caption, "Deskvane - 管理中心");
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
}  // namespace platform
