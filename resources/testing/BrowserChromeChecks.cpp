#include "resources/testing/BrowserChromeChecks.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/drawing/ResourceImages.h"
#include "resources/testing/Bmp.h"
#include "resources/testing/ResourceChecks.h"

namespace platform::resource_checks {

const std::map<DWORD, std::string>& BrowserMenuCommands() {
    static const std::map<DWORD, std::string> commands = {
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
    return commands;
}

void ExpectBrowserMainMenu(const MenuTemplate& menu) {
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
}

void ExpectCommandsOnce(const std::vector<MenuItem>& items,
                        const std::map<DWORD, std::string>& expected) {
    std::multimap<DWORD, std::string> found = Commands(items);
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(found.count(id), 1u) << id;
        auto item = found.find(id);
        if (item != found.end()) {
            EXPECT_EQ(item->second, text) << id;
        }
    }
}

void ExpectBrowserSmallMenus(int fontSize, int filter, int tab, int refresh) {
    MenuTemplate sizes = Menu(fontSize);
    ASSERT_EQ(sizes.items.size(), 1u);
    EXPECT_EQ(sizes.items[0].text, "字体大小");
    const std::vector<std::pair<DWORD, std::string>> expected = {{32782, "最大(&G)"},
                                                                 {32783, "较大(&L)"},
                                                                 {32784, "中等(&M)"},
                                                                 {32785, "较小(&S)"},
                                                                 {32786, "最小(&A)"}};
    ASSERT_EQ(sizes.items[0].children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sizes.items[0].children[i].id, expected[i].first);
        EXPECT_EQ(sizes.items[0].children[i].text, expected[i].second);
    }

    MenuTemplate pages = Menu(filter);
    ASSERT_EQ(pages.items.size(), 1u);
    EXPECT_EQ(pages.items[0].text, "IDR_FILETER_MENU");
    EXPECT_EQ(ItemTexts(pages.items[0].children),
              (std::vector<std::string>{"最新10个网页", "所有屏蔽网页"}));
    for (const MenuItem& list : pages.items[0].children) {
        EXPECT_TRUE(list.flags & MF_POPUP) << list.text;
        EXPECT_TRUE(Commands(list.children).empty()) << list.text;
    }

    MenuTemplate tabs = Menu(tab);
    ASSERT_EQ(tabs.items.size(), 1u);
    ASSERT_EQ(tabs.items[0].children.size(), 2u);
    EXPECT_EQ(tabs.items[0].children[0].id, 32813u);
    EXPECT_EQ(tabs.items[0].children[0].text, "关闭当前网页");
    EXPECT_EQ(tabs.items[0].children[1].id, 32814u);
    EXPECT_EQ(tabs.items[0].children[1].text, "关闭所有网页");

    MenuTemplate page = Menu(refresh);
    ASSERT_EQ(page.items.size(), 1u);
    ASSERT_EQ(page.items[0].children.size(), 1u);
    EXPECT_EQ(page.items[0].children[0].id, 32825u);
    EXPECT_EQ(page.items[0].children[0].text, "当前页自动刷新设置");
}

const std::vector<AcceleratorEntry>& BrowserAccelerators() {
    constexpr BYTE kCtrl = FVIRTKEY | FCONTROL | FNOINVERT;
    static const std::vector<AcceleratorEntry> keys = {
        {kCtrl, 'C', 57634},
        {kCtrl, 'O', 57601},
        {kCtrl, 'V', 57637},
        {FVIRTKEY | FSHIFT | FNOINVERT, 0x2D, 57637},  // Shift+Insert
        {kCtrl, 'X', 57635},
        {kCtrl, 'Z', 57643},
        {FVIRTKEY | FNOINVERT, 0x74, 32779},  // F5
    };
    return keys;
}

void ExpectPromptAndTip(UINT command) {
    std::string text = LoadResourceString(nullptr, command).value_or("");
    size_t newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos) << command;
    EXPECT_GT(newline, 0u) << command;
    EXPECT_LT(newline + 1, text.size()) << command;
    EXPECT_EQ(text.find('\n', newline + 1), std::string::npos) << command;
}

void ExpectToolBarStrips(int normal, int disabled, int hot) {
    Bmp strips[3] = {Bmp(normal), Bmp(disabled), Bmp(hot)};
    for (const Bmp& strip : strips)
        ASSERT_TRUE(strip.Valid()) << normal;
    for (int cell = 0; cell < 13; ++cell) {
        const int left = cell * 32;
        for (const Bmp& strip : strips) {
            auto [mask, picture] = strip.Coverage(left, 0, 25, 23);
            EXPECT_GT(mask, 25 * 23 / 10) << cell;
            EXPECT_GT(picture, 25 * 23 / 5) << cell;
            EXPECT_EQ(strip.Coverage(left + 25, 0, 7, 32).second, 0) << cell;
            EXPECT_EQ(strip.Coverage(left, 23, 25, 9).second, 0) << cell;
        }
        for (int other = cell + 1; other < 13; ++other) {
            EXPECT_FALSE(SameImage(strips[0], left, 0, strips[0], other * 32, 0, 32, 32))
                << cell << " and " << other;
        }
        bool hotDiffers = false;
        for (int y = 0; y < 32; ++y) {
            for (int x = left; x < left + 32; ++x) {
                const bool masked = strips[0].Pixel(x, y) == kMagenta;
                ASSERT_EQ(strips[1].Pixel(x, y) == kMagenta, masked) << cell;
                ASSERT_EQ(strips[2].Pixel(x, y) == kMagenta, masked) << cell;
                hotDiffers |= strips[2].Pixel(x, y) != strips[0].Pixel(x, y);
                const std::uint32_t grey = strips[1].Pixel(x, y);
                if (!masked) {
                    ASSERT_EQ(grey >> 16, (grey >> 8) & 0xFF) << cell;
                    ASSERT_EQ(grey & 0xFF, (grey >> 8) & 0xFF) << cell;
                }
            }
        }
        EXPECT_TRUE(hotDiffers) << cell;
    }
}

void ExpectHoverPair(int normal, int hot, int cx, int cy) {
    Bmp first(normal), second(hot);
    ASSERT_TRUE(first.Valid() && second.Valid()) << normal;
    EXPECT_FALSE(SameImage(first, 0, 0, first, cx, 0, cx, cy)) << normal;
    EXPECT_FALSE(SameImage(second, 0, 0, second, cx, 0, cx, cy)) << hot;
    EXPECT_TRUE(SameImage(first, cx, 0, second, 0, 0, cx, cy)) << normal << " and " << hot;
    EXPECT_GT(first.Coverage(0, 0, cx, cy).second, 20) << normal;
}

void ExpectFilterSwitch(int paused, int on) {
    Bmp pausedLook(paused), onLook(on);
    ASSERT_TRUE(pausedLook.Valid() && onLook.Valid());
    EXPECT_FALSE(SameImage(pausedLook, 0, 0, pausedLook, 20, 0, 20, 20));
    EXPECT_FALSE(SameImage(onLook, 0, 0, onLook, 20, 0, 20, 20));
    EXPECT_FALSE(SameImage(pausedLook, 0, 0, onLook, 0, 0, 20, 20));
}

void ExpectFilterButton(int id) {
    Bmp button(id);
    ASSERT_TRUE(button.Valid());
    EXPECT_FALSE(SameImage(button, 0, 0, button, 100, 0, 100, 20));
    for (int image = 0; image < 2; ++image) {
        EXPECT_EQ(button.Coverage(image * 100 + 20, 2, 60, 16).second, 0) << image;
        EXPECT_GT(button.Coverage(image * 100, 0, 20, 20).second, 40) << image;
    }
}

void ExpectBusyFrames(int id) {
    Bmp busy(id);
    ASSERT_TRUE(busy.Valid());
    for (int a = 0; a < 6; ++a) {
        auto [mask, picture] = busy.Coverage(a * 24, 0, 24, 24);
        EXPECT_GT(mask, picture) << a;
        EXPECT_GT(picture, 20) << a;
        for (int b = a + 1; b < 6; ++b)
            EXPECT_FALSE(SameImage(busy, a * 24, 0, busy, b * 24, 0, 24, 24)) << a << " and " << b;
    }
}

void ExpectProgramIcon(int id) {
    EXPECT_TRUE(FindResourceBytes(nullptr, MAKEINTRESOURCE(id), RT_GROUP_ICON));
    EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCE(id)), nullptr);
}

}  // namespace platform::resource_checks
