#include "browser/MenuEx.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

constexpr UINT kMainMenu = 128;
constexpr UINT kTabMenu = 154;
constexpr UINT kCloseTab = 32813;
constexpr UINT kCloseAllTabs = 32814;

// From the item's type: a pop-up's state holds its item count where MF_OWNERDRAW would be.
bool OwnerDrawn(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_OWNERDRAW) != 0;
}

class MenuExTest : public ChromeTest {
protected:
    static int TextWidth(const char* text) {
        HDC dc = ::GetDC(nullptr);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
        ::ReleaseDC(nullptr, dc);
        return size.cx;
    }
};

TEST_F(MenuExTest, AMenuBarKeepsPlainItemsWhileItsPopUpsAreOwnerDrawn) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kMainMenu));
    EXPECT_EQ(menu.isPopup, 0);
    ASSERT_EQ(menu.GetItemCount(), 1);
    EXPECT_FALSE(OwnerDrawn(menu.m_hMenu, 0));
    MenuExItem* top = menu.GetItem(0);
    EXPECT_EQ(top->text, "菜单");
    EXPECT_EQ(top->id, -1);
    EXPECT_EQ(top->isPopup, 1);
    EXPECT_EQ(top->width, TextWidth("菜单") + 25);
    EXPECT_EQ(top->height, 2);

    CMenuEx* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->isPopup, 1);
    EXPECT_EQ(::GetSubMenu(menu.m_hMenu, 0), popup->m_hMenu);
    EXPECT_EQ(CMenu::FromHandlePermanent(popup->m_hMenu), popup);
    CMenuEx* tools = popup->GetSubMenu(0);
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->GetItemCount(), ::GetMenuItemCount(tools->m_hMenu));
    for (int position = 0; position < tools->GetItemCount(); ++position) {
        EXPECT_TRUE(OwnerDrawn(tools->m_hMenu, static_cast<UINT>(position))) << position;
        EXPECT_EQ(::GetMenuItemID(tools->m_hMenu, position),
                  static_cast<UINT>(tools->GetItem(position)->id));
    }
    EXPECT_EQ(tools->GetItem(0)->text, "网页属性设置\t(&A)");
    EXPECT_EQ(tools->GetItem(0)->width, TextWidth("网页属性设置\t(&A)") + 10);
    MenuExItem* separator = tools->GetItem(4);
    EXPECT_EQ(separator->id, 0);
    EXPECT_EQ(separator->text, "");
    EXPECT_EQ(separator->width, 0);
    EXPECT_EQ(separator->height, 10);
    EXPECT_EQ(separator->imageIndex, -1);
}

TEST_F(MenuExTest, ItemsAndSubMenusOutOfRangeAreNull) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kTabMenu));
    CMenuEx* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(menu.GetSubMenu(1), nullptr);
    EXPECT_EQ(menu.GetSubMenu(-1), nullptr);
    EXPECT_EQ(popup->GetSubMenu(0), nullptr);  // a command
    EXPECT_EQ(popup->GetItem(2), nullptr);
    EXPECT_EQ(popup->GetItem(-1), nullptr);
    ASSERT_EQ(popup->GetItemCount(), 2);
    EXPECT_EQ(popup->GetItem(0)->text, "关闭当前网页");
    EXPECT_EQ(popup->GetItem(0)->id, static_cast<int>(kCloseTab));
    EXPECT_EQ(popup->GetItem(1)->text, "关闭所有网页");
    EXPECT_EQ(popup->GetItem(1)->id, static_cast<int>(kCloseAllTabs));
}

TEST_F(MenuExTest, AMissingResourceFailsAndALaterLoadReplacesTheItems) {
    CMenuEx menu;
    EXPECT_FALSE(menu.LoadMenu(4321));
    EXPECT_EQ(menu.m_hMenu, nullptr);
    ASSERT_TRUE(menu.LoadMenu(kMainMenu));
    HMENU first = menu.m_hMenu;
    ASSERT_TRUE(menu.LoadMenu(kTabMenu));
    EXPECT_FALSE(::IsMenu(first));
    ASSERT_EQ(menu.GetItemCount(), 1);
    EXPECT_EQ(menu.GetItem(0)->text, "网页标签");
}

TEST_F(MenuExTest, ItemsInsertedAtPositionsShiftTheLaterRecords) {
    CMenuEx menu;
    menu.SetPopup(1);
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(MF_STRING, 11, "b"));
    ASSERT_TRUE(menu.InsertItem(0, MF_STRING | MF_CHECKED, 10, "a"));
    ASSERT_TRUE(menu.AppendItem(MF_SEPARATOR, 0, nullptr));
    ASSERT_EQ(menu.GetItemCount(), 3);
    EXPECT_EQ(menu.GetItem(0)->text, "a");
    EXPECT_EQ(menu.GetItem(1)->text, "b");
    EXPECT_EQ(menu.GetItem(2)->id, 0);
    EXPECT_EQ(::GetMenuItemID(menu.m_hMenu, 0), 10u);
    EXPECT_EQ(::GetMenuItemID(menu.m_hMenu, 1), 11u);
    // The check mark is not carried over: the framework sets it again when the menu opens.
    EXPECT_EQ(::GetMenuState(menu.m_hMenu, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(menu.m_hMenu, 1, TRUE, &info));
    EXPECT_EQ(reinterpret_cast<MenuExItem*>(info.dwItemData), menu.GetItem(1));
}

TEST_F(MenuExTest, AFailedInsertLeavesNoRecord) {
    CMenuEx none;
    EXPECT_FALSE(none.InsertItem(0, MF_STRING, 5, "no menu yet"));
    EXPECT_EQ(none.GetItemCount(), 0);

    CMenuEx menu;
    menu.SetPopup(1);
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendItem(MF_STRING, 11, "b"));
    ::DestroyMenu(menu.m_hMenu);
    EXPECT_FALSE(menu.AppendItem(MF_STRING, 12, "c"));
    EXPECT_EQ(menu.GetItemCount(), 1);
}

TEST_F(MenuExTest, PlainItemsPutInBeforeTheMenuOpensBecomeOwnerDrawnWithNoLeftovers) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kMainMenu));
    CMenuEx* tools = menu.GetSubMenu(0)->GetSubMenu(0);
    ASSERT_GT(tools->GetItemCount(), 3);
    while (::GetMenuItemCount(tools->m_hMenu) > 0) {
        ::DeleteMenu(tools->m_hMenu, 0, MF_BYPOSITION);
    }
    ::AppendMenuA(tools->m_hMenu, MF_STRING, 1174, "http://a.example/");
    ::AppendMenuA(tools->m_hMenu, MF_STRING | MF_GRAYED, 1175, "http://b.example/");
    ::AppendMenuA(tools->m_hMenu, MF_STRING, 1176, "http://c.example/");

    CMenuEx::OnInitMenuPopup(CMenu::FromHandle(tools->m_hMenu), 0, FALSE);
    ASSERT_EQ(tools->GetItemCount(), 3);
    const char* texts[] = {"http://a.example/", "http://b.example/", "http://c.example/"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tools->GetItem(i)->text, texts[i]);
        EXPECT_EQ(tools->GetItem(i)->id, 1174 + i);
        EXPECT_TRUE(OwnerDrawn(tools->m_hMenu, static_cast<UINT>(i)));
    }
    // The state of an item taken in is kept.
    EXPECT_NE(::GetMenuState(tools->m_hMenu, 1, MF_BYPOSITION) & MF_GRAYED, 0u);

    // Same ids, new texts: the records take the texts.
    ::ModifyMenuA(tools->m_hMenu, 1, MF_BYPOSITION | MF_STRING, 1175, "http://d.example/");
    CMenuEx::OnInitMenuPopup(CMenu::FromHandle(tools->m_hMenu), 0, FALSE);
    EXPECT_EQ(tools->GetItem(1)->text, "http://d.example/");
    EXPECT_TRUE(OwnerDrawn(tools->m_hMenu, 1));
    ASSERT_EQ(tools->GetItemCount(), 3);
}

TEST_F(MenuExTest, TheSystemMenuAndPlainMenusAreLeftAlone) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kTabMenu));
    CMenuEx* popup = menu.GetSubMenu(0);
    ::AppendMenuA(popup->m_hMenu, MF_STRING, 77, "new");
    CMenuEx::OnInitMenuPopup(popup, 0, TRUE);
    EXPECT_EQ(popup->GetItemCount(), 2);
    EXPECT_FALSE(OwnerDrawn(popup->m_hMenu, 2));

    ::AppendMenuA(menu.m_hMenu, MF_STRING, 78, "bar item");
    menu.RefreshItems();
    EXPECT_EQ(menu.GetItemCount(), 1);

    CMenuEx::OnInitMenuPopup(popup, 0, FALSE);
    EXPECT_EQ(popup->GetItemCount(), 3);
    EXPECT_TRUE(OwnerDrawn(popup->m_hMenu, 2));
}

TEST_F(MenuExTest, MeasuringAddsTheImageColumnExceptToSeparators) {
    MenuExItem command;
    command.id = 5;
    command.width = 50 + CMenuEx::kCommandMargin;
    command.height = 2;
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 5, 0, 0, reinterpret_cast<ULONG_PTR>(&command)};
    CMenuEx::OnMeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 80u);
    EXPECT_EQ(measure.itemHeight, 22u);

    MenuExItem popup;
    popup.id = -1;
    popup.width = 50 + CMenuEx::kPopupMargin;
    popup.height = 2;
    measure = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(&popup)};
    CMenuEx::OnMeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 95u);
    EXPECT_EQ(measure.itemHeight, 22u);

    MenuExItem separator;
    separator.height = 10;
    measure = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(&separator)};
    CMenuEx::OnMeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 0u);
    EXPECT_EQ(measure.itemHeight, 10u);

    // Not a menu: untouched.
    measure = {ODT_BUTTON, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(&command)};
    CMenuEx::OnMeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 0u);
}

// Draws one item 200 x 22 into a bitmap and reads it back.
class MenuExDrawTest : public MenuExTest {
protected:
    void SetUp() override {
        MenuExTest::SetUp();
        screen = ::GetDC(nullptr);
        dc.CreateCompatibleDC(CDC::FromHandle(screen));
        bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), 200, 22);
        old = dc.SelectObject(&bitmap);
        menu.SetPopup(1);
        ASSERT_TRUE(menu.CreatePopupMenu());
    }
    void TearDown() override {
        dc.SelectObject(old);
        ::ReleaseDC(nullptr, screen);
        MenuExTest::TearDown();
    }

    void Draw(const MenuExItem& item, UINT state) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = static_cast<UINT>(item.id);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
        draw.hDC = dc.m_hDC;
        draw.rcItem = {0, 0, 200, 22};
        draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
        menu.DrawItem(&draw);
    }
    int Count(COLORREF color, const CRect& area) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += dc.GetPixel(x, y) == color;
            }
        }
        return count;
    }

    HDC screen = nullptr;
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    CMenuEx menu;
    MenuExItem item;
};

TEST_F(MenuExDrawTest, APlainItemShowsTheTwoBackgroundsAndItsText) {
    item.text = "打开";
    item.id = 7;
    Draw(item, 0);
    EXPECT_EQ(dc.GetPixel(0, 0), kMenuLeft);
    EXPECT_EQ(dc.GetPixel(21, 21), kMenuLeft);
    EXPECT_EQ(dc.GetPixel(22, 0), kMenuRight);
    EXPECT_EQ(dc.GetPixel(199, 21), kMenuRight);
    EXPECT_GT(Count(kMenuText, CRect(30, 0, 200, 22)), 10);
    EXPECT_EQ(Count(kMenuText, CRect(0, 0, 30, 22)), 0);
}

TEST_F(MenuExDrawTest, ACheckedSelectedItemShowsTheSelectionAndTheCheckBox) {
    item.text = "状态条";
    item.id = 7;
    menu.checkTextSelected = RGB(0, 0, 255);
    Draw(item, ODS_SELECTED | ODS_CHECKED);
    // The selection rectangle: border all round, its fill inside.
    EXPECT_EQ(dc.GetPixel(0, 0), kMenuSelectedBorder);
    EXPECT_EQ(dc.GetPixel(199, 0), kMenuSelectedBorder);
    EXPECT_EQ(dc.GetPixel(199, 21), kMenuSelectedBorder);
    EXPECT_EQ(dc.GetPixel(150, 1), kMenuSelectedBackground);
    EXPECT_GT(Count(kMenuSelectedText, CRect(30, 0, 200, 22)), 10);
    EXPECT_EQ(Count(kMenuText, CRect(30, 0, 200, 22)), 0);
    // The check box from (1, 1) to (21, 21) with the check mark inside.
    EXPECT_EQ(dc.GetPixel(1, 1), menu.checkBorder);
    EXPECT_EQ(dc.GetPixel(20, 20), menu.checkBorder);
    EXPECT_EQ(dc.GetPixel(2, 19), menu.checkFill);
    EXPECT_GT(Count(RGB(0, 0, 255), CRect(2, 2, 20, 20)), 3);
}

TEST_F(MenuExDrawTest, AGrayedItemIsEmbossedAndNeverSelected) {
    item.text = "后退";
    item.id = 7;
    Draw(item, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(dc.GetPixel(0, 0), kMenuLeft);
    EXPECT_EQ(dc.GetPixel(199, 0), kMenuRight);
    EXPECT_EQ(Count(kMenuSelectedBorder, CRect(0, 0, 200, 22)), 0);
    EXPECT_EQ(Count(kMenuSelectedText, CRect(0, 0, 200, 22)), 0);
    EXPECT_GT(Count(RGB(255, 255, 255), CRect(30, 0, 200, 22)), 5);
    EXPECT_GT(Count(::GetSysColor(COLOR_GRAYTEXT), CRect(30, 0, 200, 22)) +
                  Count(::GetSysColor(COLOR_BTNSHADOW), CRect(30, 0, 200, 22)),
              5);
}

TEST_F(MenuExDrawTest, ASeparatorIsOneLineFromTheTextColumnToTheRightEdge) {
    item.height = 10;
    Draw(item, ODS_SELECTED);
    for (int x = 30; x < 200; ++x) {
        ASSERT_EQ(dc.GetPixel(x, 11), CMenuEx::kSeparatorColor) << x;
    }
    EXPECT_EQ(dc.GetPixel(29, 11), kMenuRight);
    EXPECT_EQ(dc.GetPixel(100, 10), kMenuRight);
    EXPECT_EQ(dc.GetPixel(100, 12), kMenuRight);
    EXPECT_EQ(Count(kMenuSelectedBorder, CRect(0, 0, 200, 22)), 0);
}

TEST_F(MenuExTest, ATrackedPopUpIsDrawnInTheSkinsMenuColours) {
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(kTabMenu));
    CMenuEx* popup = menu.GetSubMenu(0);
    RECT first{};
    COLORREF left = 0;
    COLORREF right = 0;
    frame->menuSteps.push_back([&] {
        ASSERT_TRUE(::GetMenuItemRect(frame->m_hWnd, popup->m_hMenu, 0, &first));
        platform::Surface shot = platform::CaptureScreen();
        left = platform::ColorFromPixel(shot.At(first.left + 5, first.top + 5));
        right = platform::ColorFromPixel(shot.At(first.right - 3, first.top + 5));
        platform::InjectKey(VK_DOWN, true);
        platform::InjectKey(VK_DOWN, false);
        platform::InjectKey(VK_RETURN, true);
        platform::InjectKey(VK_RETURN, false);
    });
    ASSERT_TRUE(popup->TrackPopupMenu(TPM_LEFTALIGN, 100, 100, frame));
    platform::PumpUntilIdle();
    EXPECT_EQ(first.bottom - first.top, 22);
    EXPECT_GE(first.right - first.left, TextWidth("关闭当前网页") + 30);
    EXPECT_EQ(left, kMenuLeft);
    EXPECT_EQ(right, kMenuRight);
    EXPECT_EQ(frame->commands, std::vector<UINT>{kCloseTab});
}

}  // namespace
