#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrame.h"
#include "browser/MainFrameCommandsTest.h"
#include "platform/com/ComRuntime.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/webcontrol/UrlHistoryInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

using namespace browser_testing;

TEST_F(MainFrameCommandsTest, TheMenuButtonShowsTheMenuAndTheBandsToggleWithTheirTicks) {
    Start();
    CRect shown;
    std::vector<MenuItem> top;
    std::vector<MenuItem> view;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        top = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_RIGHT});
    });
    frame->menuSteps.push_back([&](HWND) {
        view = ItemsOf(frame->lastPopup);
        Keys({VK_RETURN});
    });
    const CRect pageBefore = frame->m_pageRect;
    CRect button;
    frame->m_wndMenuButton.GetWindowRect(&button);
    // The button's click as it reports it to the bar it lies on.
    frame->m_wndMenuBar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MENU_BUTTON, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(frame->m_wndMenuButton.m_hWnd));
    platform::PumpUntilIdle();
    EXPECT_EQ(shown.TopLeft(), CPoint(button.left + 1, button.bottom + 1));
    const UINT popup = static_cast<UINT>(-1);
    EXPECT_EQ(top, (std::vector<MenuItem>{{"工具(&T)", popup},
                                          {"查看(&V)", popup},
                                          {"文件(&F)", popup},
                                          {"收藏(&A)", popup},
                                          {"编辑(&E)", popup},
                                          {"跳转(&G)", popup},
                                          {"帮助(&H)", popup},
                                          {"关于(&A)", ID_APP_ABOUT},
                                          {"退出(&X)", ID_APP_EXIT}}));
    ASSERT_GE(view.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(view[i].checked) << view[i].text;
    }
    // "标准按钮栏" was chosen.
    EXPECT_TRUE(BandHidden(CMainFrame::kStandardBand));
    Command(ID_VIEW_ADDRESS_BAR);
    Command(ID_VIEW_BUSY_BAR);
    EXPECT_TRUE(BandHidden(CMainFrame::kAddressBand));
    EXPECT_TRUE(BandHidden(CMainFrame::kBusyBand));
    // The layout pass gave the pages the room of the hidden row.
    EXPECT_GT(frame->m_pageRect.Height(), pageBefore.Height());
    const HMENU viewMenu = ::GetSubMenu(::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0), 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), 1);
    view = ItemsOf(viewMenu);
    EXPECT_EQ(
        (std::vector<bool>{view[0].checked, view[1].checked, view[2].checked, view[3].checked}),
        (std::vector<bool>{false, false, false, true}));

    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_ADDRESS_BAR, ID_VIEW_BUSY_BAR}) {
        Command(id);
    }
    EXPECT_EQ(frame->m_pageRect, pageBefore);
}

TEST_F(MainFrameCommandsTest, BackAndForwardFollowTheTravelLog) {
    Start();
    Load("first.htm", "First");
    Load("second.htm", "Second");
    auto enabled = [&](UINT id) {
        frame->m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        return frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
    };
    EXPECT_TRUE(enabled(ID_GO_BACK));
    EXPECT_FALSE(enabled(ID_GO_FORWARD));

    std::vector<MenuItem> items;
    CRect shown;
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    ClickArrow(ID_GO_BACK);
    platform::PumpUntilIdle();
    EXPECT_EQ(items, (std::vector<MenuItem>{{"First", 1125}, {"about:blank", 1126}}));
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_GO_BACK).left, ToolButton(ID_GO_BACK).bottom + 1));
    EXPECT_EQ(Title(), "First");
    EXPECT_TRUE(enabled(ID_GO_FORWARD));
    ClickToolButton(ID_GO_FORWARD);
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "Second");

    // "后退" of the main menu twice, then the second entry of the forward list.
    ChooseFromMainMenu({5, 0});
    platform::PumpUntilIdle();
    EXPECT_EQ(Title(), "First");
    ChooseFromMainMenu({5, 0});
    platform::PumpUntilIdle();
    EXPECT_FALSE(enabled(ID_GO_BACK));
    frame->menuSteps.push_back([&](HWND menu) {
        ::GetWindowRect(menu, &shown);
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickArrow(ID_GO_FORWARD);
    platform::PumpUntilIdle();
    EXPECT_EQ(items, (std::vector<MenuItem>{{"First", 1145}, {"Second", 1146}}));
    EXPECT_EQ(shown.TopLeft(),
              CPoint(ToolButton(ID_GO_FORWARD).left, ToolButton(ID_GO_FORWARD).bottom + 1));
    EXPECT_EQ(Title(), "Second");
    EXPECT_FALSE(enabled(ID_GO_FORWARD));

    // A page whose control is gone keeps its tab; it has no history to offer.
    Current()->m_wndBrowser.DestroyWindow();
    EXPECT_FALSE(enabled(ID_GO_BACK));
    EXPECT_FALSE(enabled(ID_GO_FORWARD));
    const int menus = frame->menusShown;
    ClickArrow(ID_GO_BACK);
    EXPECT_EQ(frame->menusShown, menus);
    EXPECT_EQ(frame->GetTabCount(), 1);
}

TEST_F(MainFrameCommandsTest, TheBarButtonsAndTheTabMenuOpenAndCloseTabs) {
    Start();
    // GO opens the typed address in the current tab and remembers it.
    const std::string typed = Page("typed.htm", "<title>Typed</title>");
    frame->m_wndAddress.SetWindowText(typed.c_str());
    ClickWindow(frame->m_wndGo);
    EXPECT_EQ(frame->opened, std::vector<std::string>{typed + " 0 1"});
    EXPECT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(Title(), "Typed");
    const std::vector<CString>& visited = DataStore().visitedUrls;
    EXPECT_EQ(std::count(visited.begin(), visited.end(), CString(typed.c_str())), 1);
    EXPECT_EQ(frame->m_wndAddress.GetCount(), static_cast<int>(visited.size()));

    // Esc closes the address list and nothing else happens; in the page it leaves the page.
    frame->m_wndAddress.SetFocus();
    Keys({'F'});
    platform::PumpUntilIdle();
    ASSERT_TRUE(frame->m_wndAddress.GetDroppedState());
    TakeRecordedWebCommands();
    Keys({VK_ESCAPE});
    platform::PumpUntilIdle();
    EXPECT_FALSE(frame->m_wndAddress.GetDroppedState());
    ::SetFocus(Current()->m_wndBrowser.m_hWnd);
    Keys({VK_ESCAPE});
    platform::PumpUntilIdle();
    EXPECT_TRUE(Current()->IsWindowVisible());
    EXPECT_EQ(TakeWebCommands(), std::vector<std::string>{});
    EXPECT_EQ(frame->opened.size(), 1u);

    // The close button closes the picked tab; the one before it becomes current.
    WithKey(VK_CONTROL, {'N', 'N'});
    ASSERT_EQ(frame->GetTabCount(), 3);
    auto clickTab = [&](int index, DWORD down, DWORD up) {
        CRect rect;
        frame->m_wndTab.GetItemRect(index, &rect);
        frame->m_wndTab.ClientToScreen(&rect);
        Click(rect.CenterPoint(), down, up);
    };
    clickTab(1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_EQ(frame->GetCurrentIndex(), 1);
    const CPageDlg* last = frame->GetPageAt(2);
    ClickWindow(frame->m_wndCloseTab);
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 0);
    EXPECT_EQ(Title(), "Typed");
    EXPECT_EQ(frame->GetPageAt(1), last);

    // The tab strip's menu closes the current tab, then, once the user agrees, all of them.
    std::vector<MenuItem> items;
    frame->menuSteps.push_back([&](HWND) {
        items = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    clickTab(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(items, (std::vector<MenuItem>{{"关闭当前网页", ID_CLOSE_PAGE},
                                            {"关闭所有网页", ID_CLOSE_ALL_PAGES}}));
    ASSERT_EQ(frame->GetTabCount(), 1);
    EXPECT_EQ(frame->GetPageAt(0), last);
    Load("kept.htm", "Kept");
    int answer = IDNO;
    platform::SetMessageBoxAnswerer([&](const platform::MessageBoxCall& call) {
        boxes.push_back(call.text);
        return answer;
    });
    for (int reply : {IDNO, IDYES}) {
        answer = reply;
        ChooseInMenu({1});
        clickTab(0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        ASSERT_EQ(frame->GetTabCount(), 1);
        EXPECT_EQ(Title(), reply == IDNO ? "Kept" : "about:blank");
    }
    EXPECT_EQ(boxes, std::vector<std::string>(2, "你确定要关闭所有网页吗?"));
    EXPECT_EQ(std::string(Current()->m_strUrl), "about:blank");
    EXPECT_EQ(frame->opened.back(), "about:blank 1 1");
}

TEST_F(MainFrameCommandsTest, TheSkinAndFilterDialogsOpenOverTheFrame) {
    folder.WriteFile("data/skin.ini", "old");
    folder.WriteFile("data/skin/Blue.ini", "blue");
    folder.WriteFile("data/skin/Red.ini", "red");
    Start();
    // "浏览器界面设置" lists the skins while the frame waits; choosing one takes its file.
    std::vector<std::string> skins;
    bool frameEnabled = true;
    InDialog("皮肤选择", [&](HWND dialog) {
        frameEnabled = frame->IsWindowEnabled() != FALSE;
        const HWND list = ::GetDlgItem(dialog, IDC_SKIN_LIST);
        for (int i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char name[64] = {};
            ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(name));
            skins.push_back(name);
        }
        ::SendMessageA(list, LB_SETCURSEL, 1, 0);
        ClickItem(dialog, IDC_SELECT_SKIN);
    });
    ChooseFromMainMenu({0, 1});
    EXPECT_FALSE(frameEnabled);
    EXPECT_EQ(skins, (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_EQ(folder.ReadFile("data/skin.ini"), "red");
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(::FindWindowA(nullptr, "皮肤选择"), nullptr);

    // The filter-settings button shows whether the filter is paused once the dialog saves, and
    // keeps its picture when the dialog is cancelled.
    auto filterDialog = [&](int choice, int close) {
        InDialog("网页过滤设置", [choice, close](HWND dialog) {
            ClickItem(dialog, choice);
            ClickItem(dialog, close);
        });
    };
    filterDialog(IDC_FILTER_PAUSED, IDC_SAVE_RULES);
    ChooseFromMainMenu({0, 2});
    EXPECT_EQ(DataStore().filterPaused, 1);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_PAUSED), 1.0);
    filterDialog(IDC_FILTER_ON, IDC_SAVE_RULES);
    ClickWindow(frame->m_wndFilterSettings);
    EXPECT_EQ(DataStore().filterPaused, 0);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_ON), 1.0);
    filterDialog(IDC_FILTER_PAUSED, IDCANCEL);
    ChooseFromMainMenu({0, 2});
    EXPECT_EQ(DataStore().filterPaused, 0);
    EXPECT_EQ(PictureShown(frame->m_wndFilterSettings, IDB_FILTER_ON), 1.0);
    EXPECT_TRUE(frame->modalSteps.empty());
}

TEST_F(MainFrameCommandsTest, AChosenBlockedPageIsAllowedAndOpensInANewCurrentTab) {
    auto rule = std::make_unique<FilterRule>();
    rule->pattern = "blocked";
    DataStore().rules.push_back(std::move(rule));
    Start();
    frame->OpenUrl(Page("blocked1.htm", "<title>One</title>").c_str(), 0, 1);
    platform::PumpUntilIdle();
    frame->OpenUrl(Page("blocked2.htm", "<title>Two</title>").c_str(), 0, 1);
    platform::PumpUntilIdle();
    const std::vector<CString> blocked = DataStore().blockedUrls;
    ASSERT_EQ(blocked.size(), 2u);
    frame->opened.clear();

    // The filter button's list of the newest blocked pages; its second entry, the older page,
    // is chosen.
    std::vector<MenuItem> newest;
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) {
        newest = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_RETURN});
    });
    ClickWindow(frame->m_wndFilter);
    platform::PumpUntilIdle();
    EXPECT_EQ(newest, (std::vector<MenuItem>{{std::string(blocked[0]), 1174},
                                             {std::string(blocked[1]), 1175}}));
    EXPECT_EQ(DataStore().allowedUrls, std::vector<CString>{blocked[1]});
    EXPECT_EQ(frame->opened, std::vector<std::string>{std::string(blocked[1]) + " 1 1"});
    EXPECT_EQ(frame->GetTabCount(), 2);
    EXPECT_EQ(frame->GetCurrentIndex(), 1);
    EXPECT_EQ(Title(), "One");
}

TEST_F(MainFrameCommandsTest, DropDownArrowsShowTheirMenusUnderTheirButtons) {
    Start();
    Load("page.htm", "Page");
    const HMENU mainMenu = ::GetSubMenu(frame->m_pMainMenu->GetSafeHmenu(), 0);
    struct Shown {
        CPoint at;
        std::vector<MenuItem> items;
    };
    // Opens the arrow's menu and chooses the item at `position`.
    auto arrow = [&](UINT id, int position) {
        Shown shown;
        frame->menuSteps.push_back([&](HWND menu) {
            CRect rect;
            ::GetWindowRect(menu, &rect);
            shown = {rect.TopLeft(), ItemsOf(frame->lastPopup)};
        });
        ChooseInMenu({position});
        ClickArrow(id);
        platform::PumpUntilIdle();
        EXPECT_EQ(shown.at, CPoint(ToolButton(id).left, ToolButton(id).bottom + 1)) << id;
        return shown.items;
    };

    // The page-settings arrow drops the tools of the main menu: "Internet 选项" is the last.
    TakeRecordedWebCommands();
    const std::vector<MenuItem> tools = arrow(ID_PAGE_OPTIONS, 13);
    EXPECT_EQ(tools, ItemsOf(::GetSubMenu(mainMenu, 0)));
    ASSERT_EQ(tools.size(), 14u);
    EXPECT_EQ(tools[13], (MenuItem{"Internet 选项\t(&I)", ID_INTERNET_OPTIONS}));
    EXPECT_EQ(TakeWebCommands(), std::vector<std::string>{"M 3 0 page.htm"});

    // The refresh arrow offers the page's automatic refresh.
    InDialog("参数设置 - 当前页定时刷新", [](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_REFRESH_TIME, "5");
        ClickItem(dialog, IDOK);
    });
    EXPECT_EQ(arrow(ID_REFRESH, 0),
              (std::vector<MenuItem>{{"当前页自动刷新设置", ID_AUTO_REFRESH}}));
    int time = 0;
    int unit = 0;
    Current()->GetRefresh(time, unit);
    EXPECT_EQ(time, 5);

    // The favourites arrow drops "收藏(&A)" with the favourites below it.
    const std::vector<MenuItem> favorites = arrow(ID_FAVORITES, 5);
    EXPECT_EQ(favorites, ItemsOf(::GetSubMenu(mainMenu, 3)));
    ASSERT_EQ(favorites.size(), 8u);
    EXPECT_EQ(favorites[5], (MenuItem{"官方网站", ID_OFFICIAL_SITE}));
    EXPECT_EQ(frame->opened, std::vector<std::string>{Maker("/") + " 1 1"});
}

TEST_F(MainFrameCommandsTest, TheViewMenuSizesTheTextOfEveryTabAndTogglesTheStatusBar) {
    Start();
    OpenThreePages();
    // "查看(&V)" ▸ "字体大小" ▸ "最大(&G)", then "较小(&S)".
    ChooseFromMainMenu({1, 5, 0});
    EXPECT_EQ(TextSizes(), (std::vector<long>{4, 4, 4}));
    ChooseFromMainMenu({1, 5, 3});
    EXPECT_EQ(TextSizes(), (std::vector<long>{1, 1, 1}));

    // "状态条" hides the status bar, gives the pages its room and loses its tick.
    const CRect pageBefore = frame->m_pageRect;
    ChooseFromMainMenu({1, 3});
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_GT(frame->m_pageRect.Height(), pageBefore.Height());
    std::vector<MenuItem> view;
    frame->menuSteps.push_back([&](HWND) { Keys({VK_DOWN, VK_DOWN, VK_RIGHT}); });
    frame->menuSteps.push_back([&](HWND) {
        view = ItemsOf(frame->lastPopup);
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    });
    ClickWindow(frame->m_wndMenuButton);
    ASSERT_GE(view.size(), 4u);
    EXPECT_EQ(view[3], (MenuItem{"状态条", ID_VIEW_STATUS_BAR, false}));
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(frame->m_pageRect, pageBefore);

    // "退出(&X)" closes the window, which saves the settings, and ends the message loop.
    std::filesystem::remove(folder.path() / "data/filter.dat");
    const HWND window = frame->m_hWnd;
    ChooseFromMainMenu({8});
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data/filter.dat"));
    MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
