#include "platform/controls/Menu.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/resources/ResourceApi.h"
#include "platform/resources/ResourceKey.h"
#include "platform/resources/ResourceTable.h"

namespace {

std::string TextOf(HMENU menu, UINT item, UINT flags, int size = 256) {
    std::string buffer(static_cast<size_t>(size), '?');
    const int copied = GetMenuStringA(menu, item, buffer.data(), size, flags);
    return buffer.substr(0, static_cast<size_t>(copied));
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { live_ = platform::LiveMenuCount(); }
    // Every test gives back what it made.
    void TearDown() override { EXPECT_EQ(platform::LiveMenuCount(), live_); }

    int live_ = 0;
};

TEST_F(MenuTest, DestroyingAMenuDestroysItsPopupsOnce) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(recent, MF_STRING, 201, "a.txt"));
    ASSERT_TRUE(AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent"));
    ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File"));
    EXPECT_EQ(platform::LiveMenuCount(), live_ + 3);

    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_FALSE(DestroyMenu(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST_F(MenuTest, PopupDestroyedFirstIsSkippedByItsParent) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "P");
    EXPECT_TRUE(DestroyMenu(popup));
    EXPECT_EQ(GetSubMenu(bar, 0), popup);
    EXPECT_EQ(GetMenuItemCount(popup), -1);
    EXPECT_TRUE(DestroyMenu(bar));
    // Handles are not reused, so the dead one stays dead.
    HMENU fresh = CreatePopupMenu();
    EXPECT_NE(fresh, popup);
    EXPECT_FALSE(IsMenu(popup));
    DestroyMenu(fresh);
}

TEST_F(MenuTest, RemoveMenuDetachesAndDeleteMenuDestroys) {
    HMENU menu = CreatePopupMenu();
    HMENU kept = CreatePopupMenu();
    HMENU dropped = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "kept");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(dropped), "dropped");

    EXPECT_TRUE(RemoveMenu(menu, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(dropped));
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    EXPECT_FALSE(DeleteMenu(menu, 0, MF_BYPOSITION));

    DestroyMenu(menu);
    EXPECT_TRUE(IsMenu(kept));
    DestroyMenu(kept);
}

TEST_F(MenuTest, ModifyMenuDestroysAReplacedPopupButKeepsTheSameOne) {
    HMENU menu = CreatePopupMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 7, "x");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Sub");

    // Turning the pop-up item owner-drawn keeps its pop-up.
    const auto data = static_cast<ULONG_PTR>(0xABCD);
    ASSERT_TRUE(ModifyMenuA(menu, 0, MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                            reinterpret_cast<UINT_PTR>(popup), reinterpret_cast<LPCSTR>(data)));
    EXPECT_TRUE(IsMenu(popup));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), static_cast<UINT>((1 << 8) | MF_POPUP));
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION), "");
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &info));
    EXPECT_EQ(info.dwItemData, data);
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW));

    ASSERT_TRUE(ModifyMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 9, "plain"));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(GetMenuItemID(menu, 0), 9u);
    DestroyMenu(menu);
}

TEST_F(MenuTest, ByCommandSearchesPopupsDepthFirst) {
    HMENU menu = CreateMenu();
    HMENU first = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 300, "deep");
    AppendMenuA(first, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "inner");
    AppendMenuA(first, MF_STRING, 301, "shallow");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(first), "first");
    AppendMenuA(menu, MF_STRING, 300, "top level twin");

    EXPECT_EQ(TextOf(menu, 300, MF_BYCOMMAND), "deep");
    EXPECT_EQ(CheckMenuItem(menu, 301, MF_BYCOMMAND | MF_CHECKED),
              static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(first, 1, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED));

    ASSERT_TRUE(InsertMenuA(menu, 301, MF_BYCOMMAND | MF_STRING, 302, "before shallow"));
    EXPECT_EQ(GetMenuItemCount(first), 3);
    EXPECT_EQ(GetMenuItemID(first, 1), 302u);
    EXPECT_FALSE(InsertMenuA(menu, 999, MF_BYCOMMAND | MF_STRING, 303, "nowhere"));

    EXPECT_TRUE(DeleteMenu(menu, 300, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(inner), 0);
    EXPECT_EQ(TextOf(menu, 300, MF_BYCOMMAND), "top level twin");
    DestroyMenu(menu);
}

TEST_F(MenuTest, QueriesReportIdsStatesAndTexts) {
    HMENU menu = CreatePopupMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "a");
    AppendMenuA(popup, MF_STRING, 2, "b");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 10, "打开(&O)\tCtrl+O");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP | MF_CHECKED, reinterpret_cast<UINT_PTR>(popup), "More");

    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 0u);
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 2), popup);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);

    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION),
              static_cast<UINT>((2 << 8) | MF_POPUP | MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 9, MF_BYPOSITION), static_cast<UINT>(-1));

    EXPECT_EQ(TextOf(menu, 10, MF_BYCOMMAND), "打开(&O)\tCtrl+O");
    EXPECT_EQ(GetMenuStringA(menu, 0, nullptr, 0, MF_BYPOSITION), 15);
    // Never half of a two-byte character: "打" is two bytes, a 4-byte buffer holds one of them.
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION, 4), "打");
    EXPECT_EQ(TextOf(menu, 1, MF_BYPOSITION), "");
    EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(0x1234)), -1);
    DestroyMenu(menu);
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousState) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 5, "five");
    EXPECT_EQ(EnableMenuItem(menu, 5, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 5, MF_DISABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 0, MF_BYPOSITION | MF_ENABLED), MF_DISABLED);
    EXPECT_EQ(EnableMenuItem(menu, 6, MF_ENABLED), -1);
    EXPECT_EQ(CheckMenuItem(menu, 5, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 5, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 6, MF_CHECKED), static_cast<DWORD>(-1));
    DestroyMenu(menu);
}

TEST_F(MenuTest, RadioItemsCheckOneOfARange) {
    HMENU menu = CreatePopupMenu();
    for (UINT id = 20; id < 25; ++id) {
        AppendMenuA(menu, MF_STRING | MF_CHECKED, id, "r");
    }
    ASSERT_TRUE(CheckMenuRadioItem(menu, 21, 23, 22, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 20, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 21, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(menu, 22, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK));
    EXPECT_EQ(GetMenuState(menu, 23, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(menu, 24, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(CheckMenuRadioItem(menu, 21, 23, 24, MF_BYCOMMAND));
    ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 1, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), 0u);
    DestroyMenu(menu);
}

TEST_F(MenuTest, OneDefaultItemPerMenu) {
    HMENU menu = CreatePopupMenu();
    EXPECT_FALSE(SetMenuDefaultItem(menu, 32778, FALSE));
    AppendMenuA(menu, MF_STRING, 32777, "a");
    AppendMenuA(menu, MF_STRING, 32778, "b");
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    ASSERT_TRUE(SetMenuDefaultItem(menu, 32778, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 32778u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 1u);
    ASSERT_TRUE(SetMenuDefaultItem(menu, 0, TRUE));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), 0u);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), static_cast<UINT>(MF_DEFAULT));

    EnableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), 32777u);
    ASSERT_TRUE(SetMenuDefaultItem(menu, static_cast<UINT>(-1), FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), static_cast<UINT>(-1));
    DestroyMenu(menu);
}

TEST_F(MenuTest, ItemInfoInsertsReadsAndChangesItems) {
    HMENU menu = CreatePopupMenu();
    HMENU popup = CreatePopupMenu();
    char text[] = "Fruit";
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
    info.wID = 77;
    info.hSubMenu = popup;
    info.fState = MFS_CHECKED;
    info.dwItemData = 42;
    info.dwTypeData = text;
    ASSERT_TRUE(InsertMenuItemA(menu, 0, TRUE, &info));

    MENUITEMINFOA read{};
    read.cbSize = sizeof(read);
    read.fMask = MIIM_STRING;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &read));
    EXPECT_EQ(read.cch, 5u);
    char small[4] = {};
    read.dwTypeData = small;
    read.cch = sizeof(small);
    read.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &read));
    EXPECT_STREQ(small, "Fru");
    EXPECT_EQ(read.cch, 3u);
    EXPECT_EQ(read.wID, 77u);
    EXPECT_EQ(read.hSubMenu, popup);
    EXPECT_EQ(read.fState, static_cast<UINT>(MFS_CHECKED));
    EXPECT_EQ(read.dwItemData, 42u);

    MENUITEMINFOA change{};
    change.cbSize = sizeof(change);
    change.fMask = MIIM_SUBMENU;
    ASSERT_TRUE(SetMenuItemInfoA(menu, 0, TRUE, &change));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(GetMenuItemID(menu, 0), 77u);

    change.fMask = MIIM_SUBMENU;
    change.hSubMenu = reinterpret_cast<HMENU>(0x99);
    EXPECT_FALSE(SetMenuItemInfoA(menu, 0, TRUE, &change));
    change.cbSize = 8;
    EXPECT_FALSE(InsertMenuItemA(menu, 0, TRUE, &change));
    DestroyMenu(menu);
}

TEST_F(MenuTest, InsertByPositionPastTheEndAppendsAndPopupsMustBeMenus) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "one");
    ASSERT_TRUE(InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 0, "zero"));
    ASSERT_TRUE(InsertMenuA(menu, 99, MF_BYPOSITION | MF_STRING, 2, "two"));
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION), "zero");
    EXPECT_EQ(TextOf(menu, 2, MF_BYPOSITION), "two");
    EXPECT_FALSE(AppendMenuA(menu, MF_POPUP, 0x4444, "bad"));
    EXPECT_FALSE(AppendMenuA(reinterpret_cast<HMENU>(0x4444), MF_STRING, 1, "x"));
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    DestroyMenu(menu);
}

TEST_F(MenuTest, BitmapItemsHaveNoText) {
    HMENU menu = CreatePopupMenu();
    const auto bitmap = reinterpret_cast<LPCSTR>(0x7070);
    ASSERT_TRUE(AppendMenuA(menu, MF_BITMAP, 40, bitmap));
    EXPECT_EQ(GetMenuState(menu, 40, MF_BYCOMMAND), static_cast<UINT>(MF_BITMAP));
    EXPECT_EQ(GetMenuStringA(menu, 40, nullptr, 0, MF_BYCOMMAND), 0);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 40, FALSE, &info));
    EXPECT_EQ(info.hbmpItem, reinterpret_cast<HBITMAP>(0x7070));
    DestroyMenu(menu);
}

TEST_F(MenuTest, LoadMenuBuildsTheResourceTree) {
    platform::MenuTemplate resource;
    platform::MenuItem popup{MF_POPUP, 0, "文件(&F)", {}};
    popup.children.push_back({0, 57600, "新建(&N)\tCtrl+N", {}});
    popup.children.push_back({MF_SEPARATOR, 0, "", {}});
    popup.children.push_back({MF_GRAYED | MF_CHECKED, 32794, "打印", {}});
    resource.items.push_back(popup);
    resource.items.push_back({MF_MENUBARBREAK, 57665, "关于", {}});
    platform::ResourceTable::Program().Add(platform::ResourceKey(4), platform::ResourceKey(6170),
                                           platform::EncodeMenuTemplate(resource));

    HMENU menu = LoadMenuA(nullptr, MAKEINTRESOURCE(6170));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION), "文件(&F)");
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 57600u);
    EXPECT_EQ(GetMenuItemID(file, 1), 0u);
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED | MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), static_cast<UINT>(MF_MENUBARBREAK));
    EXPECT_TRUE(DestroyMenu(menu));

    SetLastError(0);
    EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCE(6171)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadMenuIndirectA(nullptr), nullptr);
}

}  // namespace
