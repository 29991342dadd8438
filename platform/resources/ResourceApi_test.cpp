#include "platform/resources/ResourceApi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/process/LibraryApi.h"
#include "platform/text/CString.h"

namespace platform {
namespace {

// The test program links the resources compiled from testdata/test.rc.

constexpr DWORD kChild = 0x40000000;
constexpr DWORD kVisible = 0x10000000;
constexpr DWORD kTabStop = 0x00010000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kBorder = 0x00800000;
constexpr DWORD kVScroll = 0x00200000;

std::string TestFile(const std::string& name) {
    std::ifstream file(std::string(RESOURCE_TESTDATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(ResourceApiTest, LoadStringGivesGbkBytesAndCutsAtCharacters) {
    char buffer[64];
    EXPECT_EQ(LoadStringA(nullptr, 57344, buffer, sizeof buffer), 12);
    EXPECT_STREQ(buffer, "Quorra浏览器");
    EXPECT_EQ(std::string(buffer), "Quorra\xe4\xaf\xc0\xc0\xc6\xf7");

    // 7 bytes fit, but the 7th would be half of "浏": stop before it.
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(LoadStringA(nullptr, 57344, small, 8), 6);
    EXPECT_STREQ(small, "Quorra");
    EXPECT_EQ(LoadStringA(nullptr, 57344, small, 1), 0);
    EXPECT_STREQ(small, "");

    EXPECT_EQ(LoadStringA(nullptr, 1000, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "列1\t列2");
    LoadStringA(nullptr, 1001, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "他说\"你好\"\\ AB");

    EXPECT_EQ(LoadResourceString(nullptr, 128).value_or(""),
              "Quorra浏览器\nQuorra浏览器\nQuorra浏览器\n\n\nQuorra浏览器.Document\nQuorra浏览器 "
              "Document");
}

TEST(ResourceApiTest, MissingStringsLeaveAnEmptyBuffer) {
    char buffer[16] = "old";
    SetLastError(0);
    // 1002 shares block 63 with 1000 and 1001; 999 is in block 63 too; 5000 has no block at all.
    EXPECT_EQ(LoadStringA(nullptr, 1002, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadStringA(nullptr, 5000, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(nullptr, 57344, nullptr, 10), 0);
    EXPECT_EQ(LoadStringA(nullptr, 57344, buffer, 0), 0);
}

TEST(ResourceApiTest, CStringLoadsFromTheStringTable) {
    CString text("unchanged");
    ASSERT_TRUE(text.LoadString(1000));
    EXPECT_EQ(text, "列1\t列2");
    EXPECT_FALSE(text.LoadString(4321));
    EXPECT_EQ(text, "列1\t列2");
}

TEST(ResourceApiTest, DialogTemplateKeepsEveryControlKind) {
    std::optional<DialogTemplate> dialog = LoadDialogTemplate(nullptr, MAKEINTRESOURCE(150));
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->extended);
    EXPECT_EQ(dialog->caption, "参数设置");
    // DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, and DS_SETFONT from FONT.
    EXPECT_EQ(dialog->style, 0x80C800C0u);
    EXPECT_TRUE(dialog->hasFont);
    EXPECT_EQ(dialog->pointSize, 9);
    EXPECT_EQ(dialog->faceName, "宋体");
    EXPECT_EQ(dialog->cx, 300);
    EXPECT_EQ(dialog->cy, 200);

    struct Expected {
        DWORD id;
        const char* className;
        DWORD style;
        const char* text;
    };
    const Expected expected[] = {
        {1, "Button", kChild | kVisible | kTabStop | 0x1, "确定"},
        {2, "Button", kChild | kVisible | kTabStop, "取消"},
        {0xFFFF, "Static", kChild | kVisible | kGroup, "定时时间:"},
        {1024, "Static", kChild | kVisible | kGroup | 0x1, "中"},
        {1025, "Static", kChild | kVisible | kGroup | 0x2 | 0x100, "右"},
        {1023, "Edit", kChild | kVisible | kBorder | kTabStop | 0x80 | 0x2000, ""},
        {1018, "ComboBox", kChild | kVisible | 0x3 | kVScroll | kTabStop, ""},
        {1008, "ListBox", kChild | kVisible | 0x1 | kBorder | 0x2 | kVScroll | kTabStop, ""},
        {0xFFFF, "Button", kChild | kVisible | 0x7, "显示"},
        {1026, "Button", kChild | kVisible | kTabStop | 0x2, "提示"},
        {1043, "Button", kChild | kVisible | kTabStop | 0x3, "有新版本时提示更新"},
        {1030, "Button", kChild | kVisible | kTabStop | kGroup | 0x4, "显示在底部"},
        {1031, "Button", kChild | kVisible | kTabStop | 0x9, "显示在顶部"},
        {0xFFFF, "Static", kChild | kVisible | 0x3, ""},
        {1044, "ScrollBar", kChild | kVisible, ""},
        {1007, "SysListView32", kChild | kVisible | 0x1 | kBorder | kTabStop, ""},
        {1001, "{8856F961-340A-11D0-A96B-00C04FD705A2}", kChild | kVisible | kTabStop, ""},
        {1032, "Button", kChild | 0xB, "隐藏"},
    };
    ASSERT_EQ(dialog->controls.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const DialogControl& control = dialog->controls[i];
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.className, expected[i].className);
        EXPECT_EQ(control.style, expected[i].style);
        EXPECT_EQ(control.text, expected[i].text);
    }
    const DialogControl& icon = dialog->controls[13];
    EXPECT_EQ(icon.textResourceId, std::optional<WORD>(128));
    EXPECT_EQ(icon.x, 7);
    EXPECT_EQ(icon.y, 110);
    EXPECT_EQ(icon.cx, 0);
    const DialogControl& list = dialog->controls[15];
    EXPECT_EQ(list.exStyle, 0x200u);
    EXPECT_EQ(list.x, 7);
    EXPECT_EQ(list.y, 145);
    EXPECT_EQ(list.cx, 200);
    EXPECT_EQ(list.cy, 40);
}

TEST(ResourceApiTest, ExtendedDialogAndBitmapShareANumber) {
    std::optional<DialogTemplate> dialog = LoadDialogTemplate(nullptr, MAKEINTRESOURCE(157));
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->caption, "皮肤选择");
    EXPECT_EQ(dialog->exStyle, 0x40000u);
    EXPECT_EQ(dialog->weight, 400);
    EXPECT_FALSE(dialog->italic);
    EXPECT_EQ(dialog->charset, 0x86);
    EXPECT_EQ(dialog->menu, "#128");
    ASSERT_EQ(dialog->controls.size(), 4u);
    EXPECT_EQ(dialog->controls[1].style, kChild | kTabStop | 0x1);  // NOT WS_VISIBLE
    EXPECT_EQ(dialog->controls[3].id, 0xFFFFFFFFu);                 // DIALOGEX keeps 32-bit ids

    HRSRC bitmap = FindResourceA(nullptr, MAKEINTRESOURCE(157), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr);
    std::string file = TestFile("res/skin.bmp");
    ASSERT_EQ(SizeofResource(nullptr, bitmap), file.size());
    auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, bitmap)));
    EXPECT_EQ(std::string(bytes, file.size()), file);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(157), RT_DIALOG), bitmap);
}

TEST(ResourceApiTest, FindResourceTakesNumbersHashNamesAndTypesApart) {
    EXPECT_NE(FindResourceA(nullptr, "#128", MAKEINTRESOURCE(14)), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(128), RT_GROUP_ICON),
              FindResourceA(GetModuleHandleA(nullptr), "#128", "#14"));
    auto icon = FindResourceBytes(nullptr, MAKEINTRESOURCE(128), RT_GROUP_ICON);
    ASSERT_TRUE(icon);
    std::string file = TestFile("test.ico");
    EXPECT_EQ(std::string(icon->begin(), icon->end()), file);

    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(150), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x1234), MAKEINTRESOURCE(150), RT_DIALOG),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_DIALOG), nullptr);
    EXPECT_FALSE(FreeResource(LoadResource(nullptr, FindResourceA(nullptr, "#150", RT_DIALOG))));
}

TEST(ResourceApiTest, MenuTreesOfBothForms) {
    std::optional<MenuTemplate> menu = LoadMenuTemplate(nullptr, MAKEINTRESOURCE(128));
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    const MenuItem& top = menu->items[0];
    EXPECT_EQ(top.text, "菜单");
    EXPECT_EQ(top.flags, static_cast<DWORD>(MF_POPUP));
    ASSERT_EQ(top.children.size(), 4u);
    const MenuItem& file = top.children[0];
    EXPECT_EQ(file.text, "文件(&F)");
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].text, "新建(&N)\tCtrl+N");
    EXPECT_EQ(file.children[0].id, 57600u);
    EXPECT_EQ(file.children[0].flags, 0u);
    EXPECT_EQ(file.children[1].flags, static_cast<DWORD>(MF_SEPARATOR));
    EXPECT_EQ(file.children[2].flags, static_cast<DWORD>(MF_GRAYED));
    EXPECT_EQ(file.children[2].id, 32794u);
    EXPECT_EQ(top.children[1].flags, static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(top.children[1].id, 59393u);
    EXPECT_EQ(top.children[2].flags, static_cast<DWORD>(MF_MENUBARBREAK));
    EXPECT_EQ(top.children[3].id, 57665u);

    std::optional<MenuTemplate> tray = LoadMenuTemplate(nullptr, MAKEINTRESOURCE(129));
    ASSERT_TRUE(tray);
    EXPECT_TRUE(tray->extended);
    ASSERT_EQ(tray->items.size(), 1u);
    ASSERT_EQ(tray->items[0].children.size(), 3u);
    EXPECT_EQ(tray->items[0].text, "tpmenu");
    EXPECT_EQ(tray->items[0].children[0].flags, static_cast<DWORD>(MF_DEFAULT));
    EXPECT_EQ(tray->items[0].children[0].id, 32778u);
    EXPECT_EQ(tray->items[0].children[1].flags, static_cast<DWORD>(MF_SEPARATOR));
    EXPECT_EQ(tray->items[0].children[2].text, "退出");
}

TEST(ResourceApiTest, AcceleratorTableInThePlatformLayout) {
    std::optional<std::vector<AcceleratorEntry>> table =
        LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(128));
    ASSERT_TRUE(table);
    const std::vector<AcceleratorEntry> expected = {
        {FVIRTKEY | FCONTROL | FNOINVERT, 'C', 57634},
        {FVIRTKEY | FSHIFT | FNOINVERT, 0x2D, 57637},
        {FVIRTKEY | FNOINVERT, 0x74, 32779},
        {0, 26, 57643},
        {FALT, 'a', 32780},
    };
    EXPECT_EQ(*table, expected);

    auto bytes = FindResourceBytes(nullptr, MAKEINTRESOURCE(128), RT_ACCELERATOR);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 40u);
    const std::uint8_t first[] = {0x0B, 0, 'C', 0, 0x22, 0xE1, 0, 0};
    EXPECT_EQ(std::memcmp(bytes->data(), first, sizeof first), 0);
    EXPECT_EQ((*bytes)[32], 0x10 | 0x80);  // the last entry is marked
}

TEST(ResourceApiTest, DialogInitToolBarAndRawData) {
    std::optional<std::vector<DialogInitEntry>> items =
        LoadDialogInit(nullptr, MAKEINTRESOURCE(150));
    ASSERT_TRUE(items);
    const std::vector<DialogInitEntry> expected = {
        {1018, 0x403, std::string("秒", 2) + '\0'},
        {1018, 0x403, std::string("分钟", 4) + '\0'},
        {1008, 0x401, std::string("ab\0", 3)},
    };
    EXPECT_EQ(*items, expected);
    EXPECT_FALSE(LoadDialogInit(nullptr, MAKEINTRESOURCE(157)));

    auto toolbar = FindResourceBytes(nullptr, MAKEINTRESOURCE(128), RT_TOOLBAR);
    ASSERT_TRUE(toolbar);
    // Version 1, 16 x 15 images, 3 buttons: 57600, a separator, 57664.
    const std::vector<std::uint8_t> toolbarBytes = {
        1, 0, 16, 0, 15, 0, 3, 0, 0x00, 0xE1, 0, 0, 0x40, 0xE1,
    };
    EXPECT_EQ(std::vector<std::uint8_t>(toolbar->begin(), toolbar->end()), toolbarBytes);
    EXPECT_EQ(LoadToolBarTemplate(nullptr, MAKEINTRESOURCE(128)),
              (ToolBarTemplate{16, 15, {57600, 0, 57664}}));
    EXPECT_FALSE(DecodeToolBarTemplate(std::span(toolbar->data(), toolbar->size() - 1)));

    auto raw = FindResourceBytes(nullptr, MAKEINTRESOURCE(300), RT_RCDATA);
    ASSERT_TRUE(raw);
    const std::vector<std::uint8_t> rawBytes = {2, 1, 3, 0, 0, 0, 'a', 'b'};
    EXPECT_EQ(std::vector<std::uint8_t>(raw->begin(), raw->end()), rawBytes);
    // VERSIONINFO is read past without producing a resource.
    EXPECT_FALSE(FindResourceBytes(nullptr, MAKEINTRESOURCE(1), RT_VERSION));
}

}  // namespace
}  // namespace platform
