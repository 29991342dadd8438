// The picture collector's compiled resources, loaded back as the framework loads them: its own
// favourites dialog and two-browser page, the copies of the browser's dialogs and menus it runs,
// the accelerators and the strings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "resources/glintora/resource.h"
#include "resources/testing/BrowserChromeChecks.h"
#include "resources/testing/ResourceChecks.h"

namespace platform {
namespace {

using namespace resource_checks;

constexpr DWORD kIdOk = 1;
constexpr DWORD kIdCancel = 2;
constexpr DWORD kChild = 0x40000000;
constexpr DWORD kPopup = 0x80000000;
constexpr DWORD kCaption = 0x00C00000;
constexpr DWORD kVScroll = 0x00200000;
constexpr DWORD kHScroll = 0x00100000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kTabStop = 0x00010000;
constexpr DWORD kButtonType = 0xF;
constexpr DWORD kDefPush = 0x1;
constexpr DWORD kAutoCheck = 0x3;
constexpr DWORD kGroupBox = 0x7;
constexpr DWORD kAutoRadio = 0x9;
constexpr DWORD kDropDownList = 0x3;
constexpr DWORD kListSort = 0x2;
constexpr DWORD kMultiLine = 0x4;
constexpr DWORD kReadOnly = 0x800;
constexpr DWORD kReport = 0x1;
constexpr DWORD kSingleSel = 0x4;
constexpr DWORD kOwnerDrawFixed = 0x400;
constexpr char kWebBrowser[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

struct Expected {
    DWORD id;
    const char* className;
    const char* text;
};

// Expects each control with its class and text, visible; returns how many there were.
size_t ExpectControls(const DialogTemplate& dialog, std::initializer_list<Expected> expected) {
    for (const Expected& want : expected) {
        const DialogControl* control = ById(dialog, want.id);
        if (control == nullptr) {
            ADD_FAILURE() << "control " << want.id << " of " << dialog.caption;
            continue;
        }
        EXPECT_EQ(control->className, want.className) << want.id;
        EXPECT_EQ(control->text, want.text) << want.id;
        EXPECT_FALSE(IsHidden(*control)) << want.id;
    }
    return expected.size();
}

// Expects static texts or group boxes with exactly these texts.
void ExpectLabels(const DialogTemplate& dialog, std::initializer_list<const char*> labels) {
    for (const char* text : labels) {
        const DialogControl* label = ByText(dialog, text);
        ASSERT_NE(label, nullptr) << "label \"" << text << "\" of " << dialog.caption;
        EXPECT_TRUE(label->className == "Static" || label->className == "Button") << text;
        EXPECT_EQ(label->id, 0xFFFFu) << text;
    }
}

void ExpectModalSongTi9(const DialogTemplate& dialog, const std::string& caption) {
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_TRUE(dialog.style & kPopup) << caption;
    EXPECT_TRUE(dialog.style & kCaption) << caption;
    EXPECT_TRUE(dialog.hasFont) << caption;
    EXPECT_EQ(dialog.pointSize, 9) << caption;
    EXPECT_EQ(dialog.faceName, "宋体") << caption;
}

const std::vector<int>& AllDialogs() {
    static const std::vector<int> ids = {IDD_ABOUTBOX, IDD_PAGE,    IDD_FILTER, IDD_HISTORY,
                                         IDD_OPTIONS,  IDD_EXTRACT, IDD_SKIN,   IDD_FAVORITE_ADD};
    return ids;
}

TEST(GlintoraDialogsTest, FavoriteDialogTakesNumber158) {
    EXPECT_EQ(IDD_FAVORITE_ADD, 158);
    DialogTemplate add = Dialog(IDD_FAVORITE_ADD);
    ExpectModalSongTi9(add, "加入收藏夹");
    size_t count = ExpectControls(add, {
                                           {1053, "Button", "关键字[K]"},
                                           {1054, "Button", "网址[U]"},
                                           {1018, "Edit", ""},
                                           {1036, "Button", "确定"},
                                           {kIdCancel, "Button", "取消"},
                                       });
    ExpectLabels(add, {"类型", "值："});
    EXPECT_EQ(add.controls.size(), count + 2);
    // Nothing of the browser's refresh dialog, which shares the number there.
    EXPECT_EQ(ById(add, 1023), nullptr);
    EXPECT_EQ(ById(add, kIdOk), nullptr);
    EXPECT_EQ(add.caption.find("定时刷新"), std::string::npos);
}

TEST(GlintoraDialogsTest, FavoriteDialogGroupsItsRadiosAndMakesTheAddButtonTheDefault) {
    DialogTemplate add = Dialog(IDD_FAVORITE_ADD);
    const DialogControl* keyword = ById(add, 1053);
    const DialogControl* url = ById(add, 1054);
    const DialogControl* value = ById(add, 1018);
    ASSERT_TRUE(keyword && url && value);
    EXPECT_EQ(keyword->style & kButtonType, kAutoRadio);
    EXPECT_EQ(url->style & kButtonType, kAutoRadio);
    EXPECT_TRUE(keyword->style & kGroup);
    EXPECT_TRUE(keyword->style & kTabStop);
    EXPECT_FALSE(url->style & kGroup);
    // The edit closes the radio group, so the arrow keys stay between the two radios.
    EXPECT_TRUE(value->style & kGroup);
    EXPECT_TRUE(value->style & kTabStop);
    EXPECT_FALSE(value->style & kMultiLine);

    // Enter in the edit must reach the add button's handler, not end the dialog as IDOK.
    EXPECT_EQ(ById(add, 1036)->style & kButtonType, kDefPush);
    EXPECT_NE(ById(add, kIdCancel)->style & kButtonType, kDefPush);

    // The group box "类型" holds both radios; the label "值：" stands left of its edit.
    const DialogControl* kind = ByText(add, "类型");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->style & kButtonType, kGroupBox);
    for (const DialogControl* radio : {keyword, url}) {
        EXPECT_GT(radio->x, kind->x);
        EXPECT_GT(radio->y, kind->y);
        EXPECT_LT(radio->x + radio->cx, kind->x + kind->cx);
        EXPECT_LT(radio->y + radio->cy, kind->y + kind->cy);
    }
    const DialogControl* label = ByText(add, "值：");
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->x + label->cx, value->x);
    EXPECT_LT(std::abs(label->y - value->y), 6);
    EXPECT_TRUE(LoadDialogInit(nullptr, MAKEINTRESOURCE(IDD_FAVORITE_ADD))
                    .value_or(std::vector<DialogInitEntry>{})
                    .empty());
}

TEST(GlintoraDialogsTest, PageHoldsTheVisibleBrowserAndTheZeroHeightSearchPane) {
    DialogTemplate page = Dialog(IDD_PAGE);
    EXPECT_EQ(IDD_PAGE, 102);
    EXPECT_TRUE(page.style & kChild);
    EXPECT_FALSE(page.style & (kPopup | kCaption));
    ExpectControls(page, {{1001, kWebBrowser, ""}, {1054, kWebBrowser, ""}});
    const DialogControl* browser = ById(page, 1001);
    const DialogControl* pane = ById(page, 1054);
    EXPECT_EQ(browser->x, 0);
    EXPECT_EQ(browser->y, 0);
    EXPECT_EQ(browser->cx, page.cx);
    EXPECT_EQ(browser->cy, page.cy);
    EXPECT_EQ(pane->x, 0);
    EXPECT_EQ(pane->y, page.cy);
    EXPECT_EQ(pane->cx, page.cx);
    EXPECT_EQ(pane->cy, 0);
    EXPECT_TRUE(IsHidden(*ById(page, kIdOk)));
    EXPECT_TRUE(IsHidden(*ById(page, kIdCancel)));
    EXPECT_EQ(page.controls.size(), 4u);
    // The frame's panes have a template of their own that holds the one browser.
    DialogTemplate pane159 = Dialog(IDD_PICTURE_LIST_PANE);
    EXPECT_EQ(IDD_PICTURE_LIST_PANE, 159);
    ExpectControls(pane159, {{1001, kWebBrowser, ""}});
    EXPECT_EQ(pane159.controls.size(), 1u);
}

TEST(GlintoraDialogsTest, AboutBoxNamesTheCollector) {
    DialogTemplate about = Dialog(IDD_ABOUTBOX);
    EXPECT_EQ(IDD_ABOUTBOX, 100);
    ExpectModalSongTi9(about, "关于 Glintora");
    ExpectControls(about, {{1019, "Static", "Glintora 图片收集"}, {kIdOk, "Button", "确定"}});
    EXPECT_EQ(ById(about, kIdOk)->style & kButtonType, kDefPush);
    ExpectLabels(about, {"内核使用 Microsoft Internet Explorer技术"});
    const DialogControl* icon = nullptr;
    for (const DialogControl& control : about.controls) {
        if (control.textResourceId)
            icon = &control;
    }
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(*icon->textResourceId, IDR_MAINFRAME);
}

// The browser's dialogs that the collector opens from its menu carry the browser's texts and ids.
TEST(GlintoraDialogsTest, SharedDialogsKeepTheBrowsersTextsAndIds) {
    DialogTemplate filter = Dialog(IDD_FILTER);
    ExpectModalSongTi9(filter, "网页过滤设置");
    size_t count = ExpectControls(filter, {
                                              {1005, "Button", "启动网页过滤"},
                                              {1006, "Button", "暂停网页过滤"},
                                              {1007, "SysListView32", ""},
                                              {1008, "Edit", ""},
                                              {1010, "Button", "所有网站均过滤"},
                                              {1011, "Button", "对此网站进行过滤     网站："},
                                              {1013, "Button", "除此网站均过滤       网站："},
                                              {1009, "Edit", ""},
                                              {1012, "Edit", ""},
                                              {1018, "ComboBox", ""},
                                              {1014, "Button", "增加"},
                                              {1015, "Button", "修改"},
                                              {1016, "Button", "删除"},
                                              {1019, "Button", "页面参数设置"},
                                              {1017, "Button", "保存"},
                                              {kIdCancel, "Button", "取消"},
                                          });
    ExpectLabels(filter, {"过滤条件(过滤掉包括此字符的网页)：", "过滤提示设置：",
                          "设置当有页面被过滤后的处理方式"});
    EXPECT_EQ(filter.controls.size(), count + 3);
    DWORD rules = ById(filter, 1007)->style;
    EXPECT_EQ(rules & 0x3, kReport);
    EXPECT_TRUE(rules & kSingleSel);
    EXPECT_TRUE(rules & kOwnerDrawFixed);
    for (DWORD first : {1005, 1010})
        EXPECT_TRUE(ById(filter, first)->style & kGroup) << first;
    for (DWORD other : {1006, 1011, 1013})
        EXPECT_FALSE(ById(filter, other)->style & kGroup) << other;

    DialogTemplate history = Dialog(IDD_HISTORY);
    ExpectModalSongTi9(history, "访问历史网页");
    ExpectControls(
        history,
        {{1007, "SysListView32", ""}, {1021, "Button", "打开网页"}, {1022, "Button", "关闭"}});
    EXPECT_FALSE(ById(history, 1007)->style & kSingleSel);
    EXPECT_TRUE(ById(history, 1007)->style & kOwnerDrawFixed);

    DialogTemplate options = Dialog(IDD_OPTIONS);
    ExpectModalSongTi9(options, "参数设置");
    ExpectControls(options, {
                                {1039, "Button", "使用软件欢迎界面"},
                                {1040, "Button", "使用空白界面"},
                                {1041, "Button", "使用指定网址"},
                                {1042, "Edit", ""},
                                {1026, "Button", "页面显示最大方式"},
                                {1027, "Button", "标准方式"},
                                {1028, "Button", "激活打开的网页"},
                                {1029, "Button", "激活当前网页"},
                                {1030, "Button", "显示在底部"},
                                {1031, "Button", "显示在顶部"},
                                {1032, "Button", "启动滚动新闻"},
                                {1033, "Button", "禁止滚动新闻"},
                                {1043, "Button", "有新版本时提示更新"},
                                {1023, "Edit", ""},
                                {1018, "ComboBox", ""},
                                {1007, "ListBox", ""},
                                {1038, "Button", "选择界面"},
                                {kIdOk, "Button", "确定"},
                                {kIdCancel, "Button", "取消"},
                            });
    for (DWORD first : {1039, 1026, 1028, 1030, 1032}) {
        EXPECT_TRUE(ById(options, first)->style & kGroup) << first;
        EXPECT_EQ(ById(options, first)->style & kButtonType, kAutoRadio) << first;
        EXPECT_FALSE(ById(options, first + 1)->style & kGroup) << first + 1;
    }
    EXPECT_EQ(ById(options, 1043)->style & kButtonType, kAutoCheck);
    EXPECT_EQ(ById(options, 1018)->style & 0x3, kDropDownList);
    EXPECT_TRUE(ById(options, 1007)->style & kListSort);
    ExpectLabels(options, {"显示", "页面打开", "页面标签", "滚动新闻", "界面选择", "启动页设置",
                           "定时刷新参数设置",
                           "定时时间:", "说明:", ">0 表示设置定时刷新功能,时间太小会影响系统性能.",
                           "<=0 表示取消定时刷新功能"});

    DialogTemplate extract = Dialog(IDD_EXTRACT);
    ExpectModalSongTi9(extract, "提取网页数据");
    ExpectControls(extract, {{1018, "Edit", ""},
                             {1028, "Button", "链接地址"},
                             {1029, "Button", "图片地址"},
                             {1030, "Button", "所有HTML标记"},
                             {1033, "Button", "HTML源代码"}});
    DWORD result = ById(extract, 1018)->style;
    EXPECT_TRUE(result & kMultiLine);
    EXPECT_TRUE(result & kVScroll);
    EXPECT_TRUE(result & kHScroll);
    EXPECT_FALSE(result & kReadOnly);
    EXPECT_TRUE(IsHidden(*ById(extract, 1031)));
    EXPECT_EQ(ById(extract, 1031)->text, "OBJECT");
    EXPECT_TRUE(IsHidden(*ById(extract, 1032)));
    EXPECT_EQ(ById(extract, 1032)->text, "图片地址2");

    DialogTemplate skin = Dialog(IDD_SKIN);
    ExpectModalSongTi9(skin, "皮肤选择");
    ExpectControls(skin, {{1007, "ListBox", ""},
                          {1035, "Button", "预览皮肤"},
                          {1036, "Button", "选择皮肤"},
                          {3, "Button", "制作皮肤"},
                          {kIdCancel, "Button", "关闭"}});
    EXPECT_TRUE(ById(skin, 1007)->style & kListSort);
    EXPECT_TRUE(IsHidden(*ById(skin, kIdOk)));
}

TEST(GlintoraDialogsTest, OnlyTheOptionsUnitComboHasInitialItems) {
    const std::vector<DialogInitEntry> units = {
        {1018, kDialogInitComboBoxAddString, std::string("秒") + '\0'},
        {1018, kDialogInitComboBoxAddString, std::string("分钟") + '\0'},
    };
    EXPECT_EQ(LoadDialogInit(nullptr, MAKEINTRESOURCE(IDD_OPTIONS)), units);
    for (int id : AllDialogs()) {
        if (id != IDD_OPTIONS) {
            EXPECT_TRUE(LoadDialogInit(nullptr, MAKEINTRESOURCE(id))
                            .value_or(std::vector<DialogInitEntry>{})
                            .empty())
                << id;
        }
    }
}

// Every control lies inside its dialog and no visible ones overlap but group boxes around their
// contents.
TEST(GlintoraDialogsTest, LayoutsStayInsideTheirDialogsWithoutOverlaps) {
    for (int id : AllDialogs())
        ExpectInsideWithoutOverlaps(Dialog(id), id);
}

// Texts fit their controls in the dialog font, 宋体 9 pt.
TEST(GlintoraDialogsTest, TextsFitTheirControls) {
    for (int id : AllDialogs())
        ExpectTextsFit(Dialog(id), id);
}

// --- Menus ---

TEST(GlintoraMenusTest, MainMenuIsOnePopupOfSevenPopupsThenAboutAndExit) {
    ExpectBrowserMainMenu(Menu(IDR_MAINFRAME));
}

TEST(GlintoraMenusTest, MainMenuHoldsEveryBrowserCommandOnceWithItsText) {
    const MenuTemplate menu = Menu(IDR_MAINFRAME);
    ExpectCommandsOnce(menu.items, BrowserMenuCommands());
    // The favourites bar's commands come from its own buttons only.
    const std::multimap<DWORD, std::string> found = Commands(menu.items);
    for (DWORD own : {1045, 1046, 1047, 32819})
        EXPECT_EQ(found.count(own), 0u) << own;
}

TEST(GlintoraMenusTest, SmallMenusHaveTheirFirstPopupAsTheFrameShowsIt) {
    ExpectBrowserSmallMenus(IDR_FONTSIZE_MENU, IDR_FILTER_MENU, IDR_TAB_MENU, IDR_REFRESH_MENU);
}

// --- Accelerators and strings ---

TEST(GlintoraAcceleratorsTest, TableHoldsTheBrowsersSevenKeys) {
    EXPECT_EQ(LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME)),
              BrowserAccelerators());
}

TEST(GlintoraStringsTest, TitleTemplateAndTheOneSizedPane) {
    EXPECT_EQ(LoadResourceString(nullptr, 57344), "Glintora");
    std::string document = LoadResourceString(nullptr, IDR_MAINFRAME).value_or("");
    std::string fields;
    for (int i = 0; i < 7; ++i)
        fields += i == 0 ? "Glintora" : "\nGlintora";
    EXPECT_EQ(document, fields);
    EXPECT_EQ(document.find("Quorra"), std::string::npos);

    char buffer[32];
    EXPECT_EQ(LoadStringA(nullptr, ID_INDICATOR_PROGRESS, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "________________");
    // Two panes: the stretching message pane and the progress pane; no size pane.
    EXPECT_FALSE(LoadResourceString(nullptr, 59144));
    EXPECT_EQ(LoadResourceString(nullptr, 57345), "就绪");
}

TEST(GlintoraStringsTest, EveryToolBarButtonHasAPromptAndATip) {
    for (UINT command :
         {32787, 32788, 32778, 32779, 32789, 32790, 32792, 32811, 32795, ID_PAGE_OPTIONS})
        ExpectPromptAndTip(command);
    // The browser's buttons the collector leaves out have no strings here.
    for (UINT command : {57600, 32827, 32828})
        EXPECT_FALSE(LoadResourceString(nullptr, command)) << command;
}

}  // namespace
}  // namespace platform
