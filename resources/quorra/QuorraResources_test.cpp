// The browser's compiled resources, loaded back as the framework loads them: exact ids, texts,
// control kinds and styles, the menu tree, the accelerators and the strings.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/resources/ResourceApi.h"
#include "resources/quorra/resource.h"
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
    MenuTemplate menu = Menu(IDR_MAINFRAME);
    ASSERT_EQ(menu.items.size(), 1u);
    const MenuItem& top = menu.items[0];
    EXPECT_EQ(top.text, "菜单");
    EXPECT_TRUE(top.flags & MF_POPUP);
    ASSERT_EQ(top.children.size(), 9u);
    EXPECT_EQ(ItemTexts(top.children),
              (std::vector<std::string>{"工具(&T)", "查看(&V)", "文件(&F)", "收藏(&A)", "编辑(&E)",
                                        "跳转(&G)", "帮助(&H)", "关于(&A)", "退出(&X)"}));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(top.children[i].flags & MF_POPUP) << i;
    EXPECT_EQ(top.children[7].id, 57664u);
    EXPECT_EQ(top.children[8].id, 57665u);

    const MenuItem& favourites = top.children[3];
    ASSERT_GE(favourites.children.size(), 8u);
    EXPECT_EQ(favourites.children[7].text, "收藏项");
    EXPECT_TRUE(favourites.children[7].flags & MF_POPUP);

    // No tool-bar button drops the font sizes down, so the view menu holds them: the same
    // commands in the same order as the font-size menu.
    const MenuItem& view = top.children[1];
    EXPECT_EQ(ItemTexts(view.children),
              (std::vector<std::string>{"标准按钮栏", "地址栏", "动态加载提示栏", "状态条", "",
                                        "字体大小", "编码(&D)", "源文件(&C)"}));
    const MenuItem& fontSizes = view.children[5];
    ASSERT_TRUE(fontSizes.flags & MF_POPUP);
    const MenuTemplate fontSizeMenu = Menu(IDR_FONTSIZE_MENU);
    ASSERT_EQ(fontSizeMenu.items.size(), 1u);
    const MenuItem& dropDown = fontSizeMenu.items[0];
    EXPECT_EQ(ItemTexts(fontSizes.children), ItemTexts(dropDown.children));
    ASSERT_EQ(fontSizes.children.size(), dropDown.children.size());
    for (size_t i = 0; i < fontSizes.children.size(); ++i)
        EXPECT_EQ(fontSizes.children[i].id, dropDown.children[i].id) << i;
}

TEST(QuorraMenusTest, MainMenuHoldsEveryCommandOnceWithItsText) {
    const std::map<DWORD, std::string> expected = {
        {1022, "网页属性设置\t(&A)"},
        {1034, "浏览器界面设置\t(&S)"},
        {32800, "网页过滤设置\t(&F)"},
        {32801, "Runeloom工具"},
        {32802, "Findlark\t 图片下载,浏览工具"},
        {32803, "Internet 选项\t(&I)"},
        {32806, "清除历史记录\t(&C)"},
        {32811, "历史记录"},
        {32815, "提取网页数据"},
        {32825, "当前页自动刷新设置"},
        {32827, "Deskvane\t 精减版"},
        {32828, "网络收藏夹"},
        {59392, "标准按钮栏"},
        {32793, "地址栏"},
        {32804, "动态加载提示栏"},
        {59393, "状态条"},
        {32782, "最大(&G)"},
        {32783, "较大(&L)"},
        {32784, "中等(&M)"},
        {32785, "较小(&S)"},
        {32786, "最小(&A)"},
        {32805, "源文件(&C)"},
        {32836, "西欧字符"},
        {32837, "简体中文"},
        {32838, "繁体中文"},
        {32839, "日文(Shift-JIS)"},
        {33001, "日文(EUC)"},
        {33002, "日文(Auto Select)"},
        {33021, "自动选择"},
        {57600, "新建(&N)\tCtrl+N"},
        {57601, "打开(&O)\tCtrl+O"},
        {32798, "另存为(&A)\tCtrl+A"},
        {32799, "保存HTML(&S)\tCtrl+S"},
        {32794, "打印"},
        {32795, "打印预览"},
        {32796, "页面属性"},
        {32797, "打印设置"},
        {57634, "复制(&C)\tCtrl+C"},
        {57635, "剪切(&T)\tCtrl+X"},
        {57637, "粘贴(&P)\tCtrl+V"},
        {57642, "全选...\tCtrl+A"},
        {57636, "查找(在当前页)(&F)...\tCtrl+F"},
        {32778, "停止(&P)\tEsc"},
        {32779, "刷新(&R)\tF5"},
        {32787, "后退(&B)"},
        {32788, "前进(&F)"},
        {32789, "主页(&H)\tCtrl+Home"},
        {32790, "搜索(&S)"},
        {32780, "添加到收藏夹(&A)"},
        {32781, "整理收藏夹(&O)"},
        {32808, "问题报告(&R)"},
        {32820, "网址大全"},
        {32821, "启始页"},
        {32822, "官方网站"},
        {32875, "访问官网(&V)"},
        {57664, "关于(&A)"},
        {57665, "退出(&X)"},
    };
    std::multimap<DWORD, std::string> found = Commands(Menu(IDR_MAINFRAME).items);
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(found.count(id), 1u) << id;
        auto item = found.find(id);
        if (item != found.end()) {
            EXPECT_EQ(item->second, text) << id;
        }
    }
    EXPECT_EQ(found.count(32819), 0u);
}

TEST(QuorraMenusTest, SmallMenusHaveTheirFirstPopupAsTheFrameShowsIt) {
    MenuTemplate fontSize = Menu(IDR_FONTSIZE_MENU);
    ASSERT_EQ(fontSize.items.size(), 1u);
    EXPECT_EQ(fontSize.items[0].text, "字体大小");
    EXPECT_EQ(Commands(fontSize.items), (std::multimap<DWORD, std::string>{{32782, "最大(&G)"},
                                                                           {32783, "较大(&L)"},
                                                                           {32784, "中等(&M)"},
                                                                           {32785, "较小(&S)"},
                                                                           {32786, "最小(&A)"}}));
    ASSERT_EQ(fontSize.items[0].children.size(), 5u);
    EXPECT_EQ(fontSize.items[0].children[0].id, 32782u);
    EXPECT_EQ(fontSize.items[0].children[4].id, 32786u);

    MenuTemplate filter = Menu(IDR_FILTER_MENU);
    ASSERT_EQ(filter.items.size(), 1u);
    EXPECT_EQ(filter.items[0].text, "IDR_FILETER_MENU");
    ASSERT_EQ(filter.items[0].children.size(), 2u);
    EXPECT_EQ(ItemTexts(filter.items[0].children),
              (std::vector<std::string>{"最新10个网页", "所有屏蔽网页"}));
    for (const MenuItem& list : filter.items[0].children) {
        EXPECT_TRUE(list.flags & MF_POPUP);
        EXPECT_TRUE(Commands(list.children).empty()) << list.text;
    }

    MenuTemplate tab = Menu(IDR_TAB_MENU);
    ASSERT_EQ(tab.items.size(), 1u);
    ASSERT_EQ(tab.items[0].children.size(), 2u);
    EXPECT_EQ(tab.items[0].children[0].id, 32813u);
    EXPECT_EQ(tab.items[0].children[0].text, "关闭当前网页");
    EXPECT_EQ(tab.items[0].children[1].id, 32814u);
    EXPECT_EQ(tab.items[0].children[1].text, "关闭所有网页");

    MenuTemplate refresh = Menu(IDR_REFRESH_MENU);
    ASSERT_EQ(refresh.items.size(), 1u);
    ASSERT_EQ(refresh.items[0].children.size(), 1u);
    EXPECT_EQ(refresh.items[0].children[0].id, 32825u);
    EXPECT_EQ(refresh.items[0].children[0].text, "当前页自动刷新设置");
}

// --- Accelerators and strings ---

TEST(QuorraAcceleratorsTest, TableHoldsExactlyTheSevenKeys) {
    constexpr BYTE kCtrl = FVIRTKEY | FCONTROL | FNOINVERT;
    const std::vector<AcceleratorEntry> expected = {
        {kCtrl, 'C', 57634},
        {kCtrl, 'O', 57601},
        {kCtrl, 'V', 57637},
        {FVIRTKEY | FSHIFT | FNOINVERT, 0x2D, 57637},  // Shift+Insert
        {kCtrl, 'X', 57635},
        {kCtrl, 'Z', 57643},
        {FVIRTKEY | FNOINVERT, 0x74, 32779},  // F5
    };
    std::optional<std::vector<AcceleratorEntry>> table =
        LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(128));
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, expected);
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
    for (UINT command : {57600, 32787, 32788, 32778, 32779, 32789, 32790, 32792, 32811, 32795, 1022,
                         32827, 32828}) {
        std::string text = LoadResourceString(nullptr, command).value_or("");
        size_t newline = text.find('\n');
        ASSERT_NE(newline, std::string::npos) << command;
        EXPECT_GT(newline, 0u) << command;
        EXPECT_LT(newline + 1, text.size()) << command;
        EXPECT_EQ(text.find('\n', newline + 1), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace platform
