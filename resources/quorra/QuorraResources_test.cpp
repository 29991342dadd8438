// The browser's compiled resources, loaded back as the framework loads them: exact ids, texts,
// control kinds and styles, the menu tree, the accelerators and the strings.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "resources/quorra/resource.h"
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
constexpr DWORD kGroupBox = 0x7;
constexpr DWORD kAutoRadio = 0x9;
constexpr DWORD kAutoCheck = 0x3;
constexpr DWORD kDefPush = 0x1;
constexpr DWORD kDropDownList = 0x3;
constexpr DWORD kListSort = 0x2;
constexpr DWORD kMultiLine = 0x4;
constexpr DWORD kReport = 0x1;
constexpr DWORD kSingleSel = 0x4;
constexpr DWORD kShowSelAlways = 0x8;
constexpr DWORD kOwnerDrawFixed = 0x400;

// Expects a static text (or group box) with exactly this text somewhere in the dialog.
void ExpectLabel(const DialogTemplate& dialog, const std::string& text) {
    const DialogControl* label = ByText(dialog, text);
    ASSERT_NE(label, nullptr) << "label \"" << text << "\" of " << dialog.caption;
    EXPECT_TRUE(label->className == "Static" || label->className == "Button") << text;
}

TEST(QuorraDialogsTest, AboutBoxShowsTheVersionStaticAndTheEngineLine) {
    DialogTemplate about = Dialog(IDD_ABOUTBOX);
    EXPECT_EQ(IDD_ABOUTBOX, 100);
    EXPECT_EQ(about.caption, "关于 Quorra浏览器");
    EXPECT_TRUE(about.style & kPopup);
    EXPECT_TRUE(about.style & kCaption);
    ExpectSongTi9(about);
    const DialogControl& version = Control(about, 1019, "Static", "Quorra浏览器");
    EXPECT_FALSE(IsHidden(version));
    const DialogControl& ok = Control(about, kIdOk, "Button", "确定");
    EXPECT_EQ(ok.style & kButtonType, kDefPush);
    ExpectLabel(about, "内核使用 Microsoft Internet Explorer技术");
    const DialogControl* icon = nullptr;
    for (const DialogControl& control : about.controls) {
        if (control.textResourceId)
            icon = &control;
    }
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(*icon->textResourceId, 128);
}

TEST(QuorraDialogsTest, PageIsAChildHoldingTheWebBrowserAndTwoHiddenButtons) {
    DialogTemplate page = Dialog(IDD_PAGE);
    EXPECT_EQ(IDD_PAGE, 102);
    EXPECT_TRUE(page.style & kChild);
    EXPECT_FALSE(page.style & kPopup);
    EXPECT_FALSE(page.style & kCaption);
    const DialogControl& browser =
        Control(page, 1001, "{8856F961-340A-11D0-A96B-00C04FD705A2}", "");
    EXPECT_FALSE(IsHidden(browser));
    EXPECT_EQ(browser.cx, page.cx);
    EXPECT_EQ(browser.cy, page.cy);
    EXPECT_TRUE(IsHidden(Control(page, kIdOk, "Button", "OK")));
    EXPECT_TRUE(IsHidden(Control(page, kIdCancel, "Button", "Cancel")));
    EXPECT_EQ(page.controls.size(), 3u);
}

TEST(QuorraDialogsTest, FilterDialogHasEveryControlWithItsText) {
    DialogTemplate filter = Dialog(IDD_FILTER);
    EXPECT_EQ(IDD_FILTER, 103);
    EXPECT_EQ(filter.caption, "网页过滤设置");
    ExpectSongTi9(filter);

    struct Expected {
        DWORD id;
        const char* className;
        const char* text;
    };
    const Expected expected[] = {
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
    };
    for (const Expected& control : expected) {
        EXPECT_FALSE(IsHidden(Control(filter, control.id, control.className, control.text)));
    }
    ExpectLabel(filter, "过滤条件(过滤掉包括此字符的网页)：");
    ExpectLabel(filter, "过滤提示设置：");
    ExpectLabel(filter, "设置当有页面被过滤后的处理方式");
    EXPECT_EQ(filter.controls.size(), std::size(expected) + 3);

    for (DWORD radio : {1005, 1006, 1010, 1011, 1013}) {
        EXPECT_EQ(ById(filter, radio)->style & kButtonType, kAutoRadio) << radio;
    }
    // Two radio groups: the switch and the scope. The edits after the scope radios start a group
    // of their own, so that checking a scope radio leaves the switch alone and vice versa.
    EXPECT_TRUE(ById(filter, 1005)->style & kGroup);
    EXPECT_FALSE(ById(filter, 1006)->style & kGroup);
    EXPECT_TRUE(ById(filter, 1010)->style & kGroup);
    EXPECT_FALSE(ById(filter, 1011)->style & kGroup);
    EXPECT_FALSE(ById(filter, 1013)->style & kGroup);
    EXPECT_TRUE(ById(filter, 1009)->style & kGroup);

    DWORD list = ById(filter, 1007)->style;
    EXPECT_EQ(list & 0x3, kReport);
    EXPECT_TRUE(list & kSingleSel);
    EXPECT_TRUE(list & kShowSelAlways);
    EXPECT_TRUE(list & kOwnerDrawFixed);
    EXPECT_EQ(ById(filter, 1018)->style & 0x3, kDropDownList);
    // The site edits sit beside their radios.
    EXPECT_LT(std::abs(ById(filter, 1009)->y - ById(filter, 1011)->y), 6);
    EXPECT_LT(std::abs(ById(filter, 1012)->y - ById(filter, 1013)->y), 6);
}

TEST(QuorraDialogsTest, HistoryDialogHasTheOwnerDrawnListAndItsButtons) {
    DialogTemplate history = Dialog(IDD_HISTORY);
    EXPECT_EQ(IDD_HISTORY, 149);
    EXPECT_EQ(history.caption, "访问历史网页");
    ExpectSongTi9(history);
    DWORD list = Control(history, 1007, "SysListView32", "").style;
    EXPECT_EQ(list & 0x3, kReport);
    EXPECT_FALSE(list & kSingleSel);
    EXPECT_TRUE(list & kOwnerDrawFixed);
    Control(history, 1021, "Button", "打开网页");
    Control(history, 1022, "Button", "关闭");
    EXPECT_EQ(history.controls.size(), 3u);
}

TEST(QuorraDialogsTest, OptionsDialogHasEveryOptionGroupAndNote) {
    DialogTemplate options = Dialog(IDD_OPTIONS);
    EXPECT_EQ(IDD_OPTIONS, 150);
    EXPECT_EQ(options.caption, "参数设置");
    ExpectSongTi9(options);
    const std::map<DWORD, std::string> radios = {
        {1039, "使用软件欢迎界面"}, {1040, "使用空白界面"}, {1041, "使用指定网址"},
        {1026, "页面显示最大方式"}, {1027, "标准方式"},     {1028, "激活打开的网页"},
        {1029, "激活当前网页"},     {1030, "显示在底部"},   {1031, "显示在顶部"},
        {1032, "启动滚动新闻"},     {1033, "禁止滚动新闻"},
    };
    for (const auto& [id, text] : radios) {
        EXPECT_EQ(Control(options, id, "Button", text).style & kButtonType, kAutoRadio) << id;
    }
    // Each radio set is its own group, opened by its first radio.
    for (DWORD first : {1039, 1026, 1028, 1030, 1032}) {
        EXPECT_TRUE(ById(options, first)->style & kGroup) << first;
        EXPECT_FALSE(ById(options, first + 1)->style & kGroup) << first + 1;
    }
    EXPECT_EQ(Control(options, 1043, "Button", "有新版本时提示更新").style & kButtonType,
              kAutoCheck);
    Control(options, 1042, "Edit", "");
    Control(options, 1023, "Edit", "");
    EXPECT_EQ(Control(options, 1018, "ComboBox", "").style & 0x3, kDropDownList);
    EXPECT_TRUE(Control(options, 1007, "ListBox", "").style & kListSort);
    Control(options, 1038, "Button", "选择界面");
    EXPECT_EQ(Control(options, kIdOk, "Button", "确定").style & kButtonType, kDefPush);
    Control(options, kIdCancel, "Button", "取消");
    for (const char* group : {"显示", "页面打开", "页面标签", "滚动新闻", "界面选择", "启动页设置",
                              "定时刷新参数设置"}) {
        ExpectLabel(options, group);
        EXPECT_EQ(ByText(options, group)->style & kButtonType, kGroupBox) << group;
    }
    for (const char* note :
         {"定时时间:", "说明:", ">0 表示设置定时刷新功能,时间太小会影响系统性能.",
          "<=0 表示取消定时刷新功能"}) {
        ExpectLabel(options, note);
    }
}

TEST(QuorraDialogsTest, ExtractDialogHidesTheTwoButtonsNothingShows) {
    DialogTemplate extract = Dialog(IDD_EXTRACT);
    EXPECT_EQ(IDD_EXTRACT, 156);
    EXPECT_EQ(extract.caption, "提取网页数据");
    DWORD edit = Control(extract, 1018, "Edit", "").style;
    EXPECT_TRUE(edit & kMultiLine);
    EXPECT_TRUE(edit & kVScroll);
    EXPECT_TRUE(edit & kHScroll);
    EXPECT_FALSE(edit & 0x800) << "the result stays editable";
    EXPECT_FALSE(IsHidden(Control(extract, 1028, "Button", "链接地址")));
    EXPECT_FALSE(IsHidden(Control(extract, 1029, "Button", "图片地址")));
    EXPECT_FALSE(IsHidden(Control(extract, 1030, "Button", "所有HTML标记")));
    EXPECT_FALSE(IsHidden(Control(extract, 1033, "Button", "HTML源代码")));
    EXPECT_TRUE(IsHidden(Control(extract, 1031, "Button", "OBJECT")));
    EXPECT_TRUE(IsHidden(Control(extract, 1032, "Button", "图片地址2")));
}

TEST(QuorraDialogsTest, SkinDialogKeepsItsOkButtonInvisible) {
    DialogTemplate skin = Dialog(IDD_SKIN);
    EXPECT_EQ(IDD_SKIN, 157);
    EXPECT_EQ(skin.caption, "皮肤选择");
    EXPECT_TRUE(Control(skin, 1007, "ListBox", "").style & kListSort);
    EXPECT_FALSE(IsHidden(Control(skin, 1035, "Button", "预览皮肤")));
    EXPECT_FALSE(IsHidden(Control(skin, 1036, "Button", "选择皮肤")));
    EXPECT_FALSE(IsHidden(Control(skin, 3, "Button", "制作皮肤")));
    EXPECT_FALSE(IsHidden(Control(skin, kIdCancel, "Button", "关闭")));
    EXPECT_TRUE(IsHidden(Control(skin, kIdOk, "Button", "确定")));
}

TEST(QuorraDialogsTest, RefreshDialogHasTheTimeUnitAndNotes) {
    DialogTemplate refresh = Dialog(IDD_REFRESH);
    EXPECT_EQ(IDD_REFRESH, 158);
    EXPECT_EQ(refresh.caption, "参数设置 - 当前页定时刷新");
    EXPECT_EQ(Control(refresh, 1018, "ComboBox", "").style & 0x3, kDropDownList);
    Control(refresh, 1023, "Edit", "");
    Control(refresh, kIdOk, "Button", "确定");
    Control(refresh, kIdCancel, "Button", "取消");
    for (const char* note :
         {"定时时间:", "说明:", ">0 表示设置定时刷新功能,时间太小会影响系统性能.",
          "<=0 表示取消定时刷新功能"}) {
        ExpectLabel(refresh, note);
    }
}

TEST(QuorraDialogsTest, UnitCombosStartWithSecondsThenMinutes) {
    const std::vector<DialogInitEntry> units = {
        {1018, kDialogInitComboBoxAddString, std::string("秒") + '\0'},
        {1018, kDialogInitComboBoxAddString, std::string("分钟") + '\0'},
    };
    for (int dialog : {IDD_OPTIONS, IDD_REFRESH}) {
        std::optional<std::vector<DialogInitEntry>> init =
            LoadDialogInit(nullptr, MAKEINTRESOURCE(dialog));
        ASSERT_TRUE(init) << dialog;
        EXPECT_EQ(*init, units) << dialog;
    }
    // The filter dialog fills its combo itself; initial items would come twice.
    std::optional<std::vector<DialogInitEntry>> filter =
        LoadDialogInit(nullptr, MAKEINTRESOURCE(IDD_FILTER));
    EXPECT_TRUE(!filter || filter->empty());
}

// Every control lies inside its dialog and no visible ones overlap but group boxes around their
// contents.
TEST(QuorraDialogsTest, LayoutsStayInsideTheirDialogsWithoutOverlaps) {
    for (int id : {IDD_ABOUTBOX, IDD_PAGE, IDD_FILTER, IDD_HISTORY, IDD_OPTIONS, IDD_EXTRACT,
                   IDD_SKIN, IDD_REFRESH})
        ExpectInsideWithoutOverlaps(Dialog(id), id);
}

// Texts fit their controls in the dialog font, 宋体 9 pt.
TEST(QuorraDialogsTest, TextsFitTheirControls) {
    for (int id :
         {IDD_ABOUTBOX, IDD_FILTER, IDD_HISTORY, IDD_OPTIONS, IDD_EXTRACT, IDD_SKIN, IDD_REFRESH})
        ExpectTextsFit(Dialog(id), id);
}

// --- Menus ---

TEST(QuorraMenusTest, MainMenuIsOnePopupOfSevenPopupsThenAboutAndExit) {
    const MenuTemplate menu = Menu(IDR_MAINFRAME);
    ExpectBrowserMainMenu(menu);

    // No tool-bar button drops the font sizes down, so the view menu holds them: the same
    // commands in the same order as the font-size menu.
    const MenuItem& view = menu.items.at(0).children.at(1);
    EXPECT_EQ(ItemTexts(view.children),
              (std::vector<std::string>{"标准按钮栏", "地址栏", "动态加载提示栏", "状态条", "",
                                        "字体大小", "编码(&D)", "源文件(&C)"}));
    ASSERT_EQ(view.children.size(), 8u);
    const MenuItem& fontSizes = view.children[5];
    EXPECT_TRUE(fontSizes.flags & MF_POPUP);
    const MenuTemplate fontSizeMenu = Menu(IDR_FONTSIZE_MENU);
    const std::vector<MenuItem>& dropDown = fontSizeMenu.items.at(0).children;
    EXPECT_EQ(ItemTexts(fontSizes.children), ItemTexts(dropDown));
    ASSERT_EQ(fontSizes.children.size(), dropDown.size());
    for (size_t i = 0; i < dropDown.size(); ++i)
        EXPECT_EQ(fontSizes.children[i].id, dropDown[i].id) << i;
}

TEST(QuorraMenusTest, MainMenuHoldsEveryCommandOnceWithItsText) {
    const MenuTemplate menu = Menu(IDR_MAINFRAME);
    std::map<DWORD, std::string> commands = BrowserMenuCommands();
    commands.insert({{32782, "最大(&G)"},
                     {32783, "较大(&L)"},
                     {32784, "中等(&M)"},
                     {32785, "较小(&S)"},
                     {32786, "最小(&A)"}});
    ExpectCommandsOnce(menu.items, commands);
    EXPECT_EQ(Commands(menu.items).count(32819), 0u);
}

TEST(QuorraMenusTest, SmallMenusHaveTheirFirstPopupAsTheFrameShowsIt) {
    ExpectBrowserSmallMenus(IDR_FONTSIZE_MENU, IDR_FILTER_MENU, IDR_TAB_MENU, IDR_REFRESH_MENU);
}

// --- Accelerators and strings ---

TEST(QuorraAcceleratorsTest, TableHoldsExactlyTheSevenKeys) {
    EXPECT_EQ(LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(128)), BrowserAccelerators());
}

TEST(QuorraStringsTest, TemplateAndTitleStrings) {
    std::string title = "Quorra浏览器";
    EXPECT_EQ(LoadResourceString(nullptr, 57344).value_or(""), title);
    EXPECT_EQ(title, "Quorra\xe4\xaf\xc0\xc0\xc6\xf7");  // GBK at run time

    std::string document = LoadResourceString(nullptr, 128).value_or("");
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = document.find('\n', start)) != std::string::npos; start = end + 1) {
        fields.push_back(document.substr(start, end - start));
    }
    fields.push_back(document.substr(start));
    EXPECT_EQ(fields, std::vector<std::string>(7, title));

    char buffer[32];
    EXPECT_EQ(LoadStringA(nullptr, 59143, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "________________");
    EXPECT_EQ(LoadStringA(nullptr, 59144, buffer, sizeof buffer), 13);
    EXPECT_STREQ(buffer, " (1234,5678) ");
}

TEST(QuorraStringsTest, EveryToolBarButtonHasAPromptAndATip) {
    for (UINT command :
         {57600, 32787, 32788, 32778, 32779, 32789, 32790, 32792, 32811, 32795, 1022, 32827, 32828})
        ExpectPromptAndTip(command);
}

}  // namespace
}  // namespace platform
