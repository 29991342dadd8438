#include "platform/framework/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/CmdUI.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Wnd.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/ResourceKey.h"
#include "platform/resources/ResourceTable.h"
#include "platform/windows/WindowPlatform.h"

namespace {

struct Drawn {
    std::string menu;
    UINT id;
    UINT state;
    ULONG_PTR data;
    HMENU handle;
    RECT rect;
};

std::vector<Drawn> drawn;
std::vector<std::string> measured;

// An owner-drawn menu of a program: every item is 100 x 20 and names itself when drawn.
class CSwatchMenu : public CMenu {
    DECLARE_DYNAMIC(CSwatchMenu)

public:
    explicit CSwatchMenu(std::string name) : name_(std::move(name)) {}

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_MENU));
        drawn.push_back({name_, item->itemID, item->itemState, item->itemData,
                         reinterpret_cast<HMENU>(item->hwndItem), item->rcItem});
    }
    void MeasureItem(LPMEASUREITEMSTRUCT item) override {
        measured.push_back(name_ + " " + std::to_string(item->itemID) + "/" +
                           std::to_string(item->itemData));
        item->itemWidth = 100;
        item->itemHeight = 20;
    }

private:
    std::string name_;
};

IMPLEMENT_DYNAMIC(CSwatchMenu, CMenu)

class COwner : public CWnd {
public:
    std::vector<UINT> commands;
    std::vector<std::string> popups;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
    void OnInitMenu(CMenu* pMenu) {
        popups.push_back("menu " + std::to_string(pMenu->GetMenuItemCount()));
    }
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
        popups.push_back((pPopupMenu->IsKindOf(RUNTIME_CLASS(CSwatchMenu)) ? "swatch " : "plain ") +
                         std::to_string(nIndex) + (bSysMenu ? " sys" : ""));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
ON_WM_INITMENU()
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        drawn.clear();
        measured.clear();
        liveAtStart = platform::LiveMenuCount();
    }
    void TearDown() override {
        CMenu::DeleteTempMap();
        platform::ResetWindowSystemForTesting();
    }

    static void Keys(std::initializer_list<BYTE> keys) {
        for (BYTE key : keys) {
            platform::InjectKey(key, true);
            platform::InjectKey(key, false);
        }
    }
    static std::string Text(const CMenu& menu, UINT position) {
        CString text;
        menu.GetMenuString(position, text, MF_BYPOSITION);
        return static_cast<LPCSTR>(text);
    }

    int liveAtStart = 0;
};

TEST_F(MenuTest, AnObjectOwnsTheMenuItMakesAndIsFoundByItsHandle) {
    {
        CMenu menu;
        EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
        ASSERT_TRUE(menu.CreatePopupMenu());
        EXPECT_FALSE(menu.CreateMenu());
        EXPECT_EQ(platform::LiveMenuCount(), liveAtStart + 1);
        EXPECT_EQ(CMenu::FromHandlePermanent(menu), &menu);
        EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
        EXPECT_EQ(static_cast<HMENU>(menu), menu.m_hMenu);

        CMenu other;
        EXPECT_FALSE(other.Attach(menu.m_hMenu));
        EXPECT_FALSE(other.Attach(nullptr));
        EXPECT_EQ(other.m_hMenu, nullptr);
    }
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

TEST_F(MenuTest, DetachHandsTheMenuBackAndDestroyMenuForgetsIt) {
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    HMENU handle = menu.Detach();
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
    EXPECT_TRUE(::IsMenu(handle));

    ASSERT_TRUE(menu.Attach(handle));
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
    EXPECT_FALSE(menu.DestroyMenu());
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

TEST_F(MenuTest, ItemsChangeAndReadBackThroughTheMembers) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    ASSERT_TRUE(sub.AppendMenu(MF_STRING, 20, "子项"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 10, "打开(&O)"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "更多"));
    ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 9, "首项"));
    ASSERT_TRUE(menu.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 11, "保存"));

    EXPECT_EQ(menu.GetMenuItemCount(), 4u);
    EXPECT_EQ(menu.GetMenuItemID(0), 9u);
    EXPECT_EQ(menu.GetMenuItemID(1), 11u);
    EXPECT_EQ(menu.GetMenuItemID(2), 0u);
    EXPECT_EQ(menu.GetMenuItemID(3), static_cast<UINT>(-1));
    EXPECT_EQ(Text(menu, 0), "首项");
    EXPECT_EQ(Text(menu, 1), "保存");
    EXPECT_EQ(Text(menu, 2), "");
    char buffer[5];
    EXPECT_EQ(menu.GetMenuString(3, buffer, sizeof(buffer), MF_BYPOSITION), 4);
    EXPECT_STREQ(buffer, "更多");
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(menu.GetMenuState(3, MF_BYPOSITION), static_cast<UINT>(MF_POPUP | (1 << 8)));

    EXPECT_EQ(menu.CheckMenuItem(11, MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.CheckMenuItem(11, MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.EnableMenuItem(0, MF_BYPOSITION | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(menu.EnableMenuItem(77, MF_ENABLED), static_cast<UINT>(-1));
    EXPECT_TRUE(menu.SetDefaultItem(11));
    EXPECT_EQ(menu.GetDefaultItem(0), 11u);
    EXPECT_EQ(menu.GetDefaultItem(0, TRUE), 1u);

    // RemoveMenu hands the pop-up back; DeleteMenu destroys one.
    HMENU popup = menu.GetSubMenu(3)->m_hMenu;
    ASSERT_TRUE(menu.RemoveMenu(3, MF_BYPOSITION));
    EXPECT_TRUE(::IsMenu(popup));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "又来"));
    ASSERT_TRUE(menu.DeleteMenu(3, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(popup));
    EXPECT_FALSE(menu.DeleteMenu(3, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
}

TEST_F(MenuTest, LoadMenuReadsTheResourceAndFailsWithoutOne) {
    platform::MenuTemplate resource;
    platform::MenuItem popup{MF_POPUP, 0, "文件(&F)", {}};
    popup.children.push_back({0, 57600, "新建(&N)", {}});
    popup.children.push_back({MF_CHECKED, 57601, "打开", {}});
    resource.items.push_back(popup);
    platform::ResourceTable::Program().Add(platform::ResourceKey(4), platform::ResourceKey(6301),
                                           platform::EncodeMenuTemplate(resource));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(6301));
    EXPECT_FALSE(menu.LoadMenu(6301));
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(Text(menu, 0), "文件(&F)");
    EXPECT_EQ(menu.GetSubMenu(0)->GetMenuState(57601, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.GetSubMenu(1), nullptr);

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(6302));
    EXPECT_EQ(missing.m_hMenu, nullptr);
}

TEST_F(MenuTest, SubMenusComeAsTemporaryObjectsUntilTheTemporariesAreFreed) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU first = ::CreatePopupMenu();
    HMENU second = ::CreatePopupMenu();
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(first), "一"));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(second), "二"));

    CMenu* sub = menu.GetSubMenu(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->m_hMenu, first);
    EXPECT_EQ(menu.GetSubMenu(0), sub);
    EXPECT_NE(menu.GetSubMenu(1), sub);
    EXPECT_TRUE(sub->IsKindOf(RUNTIME_CLASS(CMenu)));
    EXPECT_FALSE(sub->IsKindOf(RUNTIME_CLASS(CSwatchMenu)));
    EXPECT_EQ(CMenu::FromHandlePermanent(first), nullptr);

    // Freeing a temporary object leaves its menu alone.
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(first));
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart + 3);

    // A pop-up with an object of its own is given as that object.
    CSwatchMenu owned("owned");
    ASSERT_TRUE(owned.Attach(second));
    EXPECT_EQ(menu.GetSubMenu(1), &owned);
    EXPECT_TRUE(menu.GetSubMenu(1)->IsKindOf(RUNTIME_CLASS(CSwatchMenu)));
    // The parent destroys its pop-ups; the object's own DestroyMenu then finds nothing to do.
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(owned.DestroyMenu());
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

class MenuLoopTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                   nullptr, nullptr));
        platform::PumpUntilIdle();
    }
    void TearDown() override {
        owner.DestroyWindow();
        MenuTest::TearDown();
    }

    COwner owner;
};

TEST_F(MenuLoopTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirMenuObject) {
    CSwatchMenu colours("colours");
    CSwatchMenu shades("shades");
    // The same id in both menus, in the older one too: the item data tells them apart.
    ASSERT_TRUE(shades.CreatePopupMenu());
    ASSERT_TRUE(colours.CreatePopupMenu());
    ASSERT_TRUE(shades.AppendMenu(MF_OWNERDRAW, 1037, reinterpret_cast<LPCSTR>(7)));
    ASSERT_TRUE(colours.AppendMenu(MF_OWNERDRAW, 1037, reinterpret_cast<LPCSTR>(1)));
    ASSERT_TRUE(colours.AppendMenu(MF_OWNERDRAW | MF_CHECKED, 1038, reinterpret_cast<LPCSTR>(2)));
    ASSERT_TRUE(colours.AppendMenu(MF_STRING, 1039, "普通"));

    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(colours.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 130, &owner));
    EXPECT_EQ(measured, (std::vector<std::string>{"colours 1037/1", "colours 1038/2"}));

    ASSERT_FALSE(drawn.empty());
    for (const Drawn& item : drawn) {
        EXPECT_EQ(item.menu, "colours");
        EXPECT_EQ(item.handle, colours.m_hMenu);
        EXPECT_EQ(item.rect.bottom - item.rect.top, 20);
        EXPECT_GE(item.rect.right - item.rect.left, 100);
    }
    bool checkedSelected = false;
    for (const Drawn& item : drawn) {
        ASSERT_TRUE(item.id == 1037 || item.id == 1038);
        EXPECT_EQ(item.data, item.id - 1036);
        EXPECT_EQ((item.state & ODS_CHECKED) != 0, item.id == 1038);
        checkedSelected |= item.id == 1038 && (item.state & ODS_SELECTED) != 0;
    }
    EXPECT_TRUE(checkedSelected);

    // The choice arrives later, as a posted command.
    EXPECT_TRUE(owner.commands.empty());
    platform::PumpUntilIdle();
    EXPECT_EQ(owner.commands, std::vector<UINT>{1038});
}

TEST_F(MenuLoopTest, OwnerDrawnItemsOfAPlainMenuAreLeftToTheOwner) {
    CMenu plain;
    ASSERT_TRUE(plain.CreatePopupMenu());
    ASSERT_TRUE(plain.AppendMenu(MF_OWNERDRAW, 5, reinterpret_cast<LPCSTR>(9)));
    Keys({VK_ESCAPE});
    EXPECT_TRUE(plain.TrackPopupMenu(0, 120, 130, &owner));
    EXPECT_TRUE(measured.empty());
    EXPECT_TRUE(drawn.empty());
    platform::PumpUntilIdle();
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuLoopTest, SubMenusOfTheirOwnAreMeasuredByTheirObject) {
    CSwatchMenu top("top");
    auto* sub = new CSwatchMenu("sub");
    ASSERT_TRUE(top.CreatePopupMenu());
    ASSERT_TRUE(sub->CreatePopupMenu());
    ASSERT_TRUE(sub->AppendMenu(MF_OWNERDRAW, 21, reinterpret_cast<LPCSTR>(21)));
    ASSERT_TRUE(top.AppendMenu(MF_OWNERDRAW, 11, reinterpret_cast<LPCSTR>(11)));
    ASSERT_TRUE(top.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub->m_hMenu), "更多"));

    Keys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    UINT chosen = top.TrackPopupMenu(TPM_RETURNCMD, 120, 130, &owner);
    EXPECT_EQ(chosen, 21u);
    EXPECT_EQ(measured, (std::vector<std::string>{"top 11/11", "sub 21/21"}));
    EXPECT_EQ(owner.popups, (std::vector<std::string>{"menu 2", "swatch 0", "swatch 1"}));
    // The sub-menu belongs to the top menu; its object only forgets it.
    EXPECT_TRUE(top.DestroyMenu());
    EXPECT_FALSE(sub->DestroyMenu());
    delete sub;
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

// A frame that speaks for three commands of its pop-ups.
class CUpdatingFrame : public CFrameWnd {
protected:
    void OnUpdateGrayed(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText("新文字"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(41, OnUpdateGrayed)
ON_UPDATE_COMMAND_UI(42, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(43, OnUpdateRadio)
ON_UPDATE_COMMAND_UI(44, OnUpdateText)
END_MESSAGE_MAP()

TEST_F(MenuTest, TheFrameLoadsItsMenuBarUpdatesItsPopupsAndFreesItsMenus) {
    platform::MenuTemplate resource;
    platform::MenuItem popup{MF_POPUP, 0, "菜单", {}};
    popup.children.push_back({0, 40, "不变", {}});
    popup.children.push_back({0, 41, "变灰", {}});
    popup.children.push_back({MF_SEPARATOR, 0, "", {}});
    popup.children.push_back({0, 42, "打勾", {}});
    popup.children.push_back({0, 43, "单选", {}});
    popup.children.push_back({MF_GRAYED, 44, "旧文字", {}});
    resource.items.push_back(popup);
    platform::ResourceTable::Program().Add(platform::ResourceKey(4), platform::ResourceKey(6303),
                                           platform::EncodeMenuTemplate(resource));

    auto* frame = new CUpdatingFrame;
    ASSERT_TRUE(frame->LoadFrame(6303));
    ASSERT_NE(frame->m_hMenuDefault, nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
    CMenu* bar = frame->GetMenu();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMenuItemCount(), 1u);
    CMenu* items = bar->GetSubMenu(0);
    ASSERT_NE(items, nullptr);

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(items->m_hMenu), 0);
    EXPECT_EQ(items->GetMenuState(40, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(items->GetMenuState(41, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(items->GetMenuState(42, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(items->GetMenuState(43, MF_BYCOMMAND),
              static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK));
    // The new text keeps the item's id and state.
    EXPECT_EQ(Text(*items, 5), "新文字");
    EXPECT_EQ(items->GetMenuItemID(5), 44u);
    EXPECT_EQ(items->GetMenuState(5, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));

    // Put aside by the program, the frame's menu still ends with it, as does the one it shows.
    CMenu shown;
    ASSERT_TRUE(shown.CreateMenu());
    ASSERT_TRUE(frame->SetMenu(&shown));
    HMENU shownHandle = shown.Detach();
    frame->DestroyWindow();
    EXPECT_FALSE(::IsMenu(shownHandle));
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

class CRefusingFrame : public CFrameWnd {
protected:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(MenuTest, AWindowTakesTheMenuItShowsAlongAndItsObjectLetsGoQuietly) {
    {
        CMenu bar;
        ASSERT_TRUE(bar.CreateMenu());
        HMENU popup = ::CreatePopupMenu();
        ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "文件"));
        COwner owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                   nullptr, nullptr));
        ASSERT_TRUE(owner.SetMenu(&bar));
        EXPECT_TRUE(owner.DestroyWindow());
        EXPECT_FALSE(::IsMenu(bar.m_hMenu));
        EXPECT_FALSE(::IsMenu(popup));
    }
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);

    platform::MenuTemplate resource;
    resource.items.push_back({0, 45, "退出", {}});
    platform::ResourceTable::Program().Add(platform::ResourceKey(4), platform::ResourceKey(6304),
                                           platform::EncodeMenuTemplate(resource));
    auto* refusing = new CRefusingFrame;
    EXPECT_FALSE(refusing->LoadFrame(6304));
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

TEST_F(MenuTest, AFrameWithoutAMenuResourceHasNoMenuBar) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(6399));
    EXPECT_EQ(frame->m_hMenuDefault, nullptr);
    EXPECT_EQ(frame->GetMenu(), nullptr);
    frame->DestroyWindow();
    EXPECT_EQ(platform::LiveMenuCount(), liveAtStart);
}

}  // namespace
