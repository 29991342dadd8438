#include "browser/BlockedListMenu.h"

#include <gtest/gtest.h>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserDialogTest.h"
#include "browser/FilterButton.h"
#include "browser/MenuEx.h"
#include "platform/controls/Menu.h"
#include "platform/time/Clock.h"

namespace {

using browser_testing::BrowserDialogTest;

class BlockedListMenuTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        button.Create("弹出菜单管理", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                      CRect(200, 100, 300, 120), &frame, 1003);
        ASSERT_TRUE(menu.LoadMenu());
        DataStore().blockedUrls.clear();
        DataStore().allowedUrls.clear();
    }
    void TearDown() override {
        button.DestroyWindow();
        DataStore().ClearFilterRules();
        DataStore().blockedUrls.clear();
        DataStore().allowedUrls.clear();
        BrowserDialogTest::TearDown();
    }

    static void Keys(std::initializer_list<BYTE> keys) {
        for (BYTE key : keys) {
            platform::InjectKey(key, true);
            platform::InjectKey(key, false);
        }
    }
    // Blocked addresses as the store keeps them, newest first: "http://site<count-1>/" first.
    static std::vector<CString> Blocked(int count) {
        std::vector<CString> urls;
        for (int i = count - 1; i >= 0; --i) {
            CString url;
            url.Format("http://site%d/", i);
            urls.push_back(url);
        }
        return urls;
    }
    struct Item {
        UINT id;
        std::string text;
        bool operator==(const Item&) const = default;
    };
    std::vector<Item> Items(int subMenu) const {
        HMENU popup = GetSubMenu(GetSubMenu(menu.GetSafeHmenu(), 0), subMenu);
        std::vector<Item> items;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[256] = {};
            GetMenuStringA(popup, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back({GetMenuItemID(popup, i), text});
        }
        return items;
    }
    static std::vector<Item> Expected(const std::vector<CString>& urls, size_t count) {
        std::vector<Item> items;
        for (size_t i = 0; i < count; ++i) {
            items.push_back({static_cast<UINT>(1174 + i), std::string(urls[i])});
        }
        return items;
    }

    CFilterButton button;
    CBlockedListMenu menu;
};

TEST_F(BlockedListMenuTest, TheNewestTenAndAllOfFifteenNewestFirst) {
    const std::vector<CString> urls = Blocked(15);
    Keys({VK_ESCAPE});
    menu.Show(button, urls, &frame);
    EXPECT_EQ(Items(0), Expected(urls, 10));
    EXPECT_EQ(Items(1), Expected(urls, 15));
    EXPECT_EQ(Items(0).front().text, "http://site14/");
}

TEST_F(BlockedListMenuTest, TheMenuDropsDownBelowTheButtonOwnedByTheFrame) {
    RECT shown{};
    frame.onMessage = [&](UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_ENTERIDLE && lParam != 0) {
            GetWindowRect(reinterpret_cast<HWND>(lParam), &shown);
            platform::InjectKey(VK_ESCAPE, true);
            platform::InjectKey(VK_ESCAPE, false);
        }
    };
    menu.Show(button, Blocked(1), &frame);
    frame.onMessage = nullptr;
    RECT buttonRect{};
    button.GetWindowRect(&buttonRect);
    EXPECT_EQ(shown.left, buttonRect.left + 28);
    EXPECT_EQ(shown.top, buttonRect.bottom + 1);
}

TEST_F(BlockedListMenuTest, TheSecondListStopsAtTwoHundredAndLongAddressesAreCut) {
    std::vector<CString> urls = Blocked(250);
    urls[0] = "http://" + CString(std::string(100, 'a').c_str()) + "/";
    Keys({VK_ESCAPE});
    menu.Show(button, urls, &frame);
    const std::vector<Item> all = Items(1);
    ASSERT_EQ(all.size(), 200u);
    EXPECT_EQ(all.back().id, 1174u + 199u);
    EXPECT_EQ(all[0].text, "http://" + std::string(69, 'a') + "...");
    EXPECT_EQ(menu.GetUrl(1174 + 199), urls[199]);
    EXPECT_EQ(menu.GetUrl(1174 + 200), CString());
    // The full address, not the cut text, is what the command opens.
    EXPECT_EQ(menu.GetUrl(1174), urls[0]);
}

TEST_F(BlockedListMenuTest, AShowingRefillsBothListsFromScratch) {
    Keys({VK_ESCAPE});
    menu.Show(button, Blocked(12), &frame);
    const std::vector<CString> fewer = Blocked(3);
    Keys({VK_ESCAPE});
    menu.Show(button, fewer, &frame);
    EXPECT_EQ(Items(0), Expected(fewer, 3));
    EXPECT_EQ(Items(1), Expected(fewer, 3));
}

TEST_F(BlockedListMenuTest, WithNothingBlockedOnlyTheBlinkingStops) {
    platform::UseTestClock(SYSTEMTIME{2026, 3, 0, 2, 10, 0, 0, 0});
    button.StartBlink();
    ASSERT_NE(button.blinkTimer, 0u);
    menu.Show(button, {}, &frame);
    EXPECT_EQ(button.blinkTimer, 0u);
    // The resource's placeholders are still there: nothing was filled or tracked.
    EXPECT_EQ(Items(0).size(), 1u);
    EXPECT_EQ(Items(0)[0].id, 0u);
    platform::UseRealClock();
}

TEST_F(BlockedListMenuTest, AChoiceOpensTheAddressShownEvenWhenTheListHasGrown) {
    CBrowserDataStore& store = DataStore();
    store.rules.push_back(std::make_unique<FilterRule>(FilterRule{0, "second", ""}));
    ASSERT_TRUE(store.IsUrlBlocked("http://second.com/"));
    store.AddBlockedUrl("http://first.com/");
    store.AddBlockedUrl("http://second.com/");
    // Into the first pop-up, then the first address of the newest list.
    Keys({VK_DOWN, VK_RIGHT, VK_RETURN});
    menu.Show(button, store.blockedUrls, &frame);
    // Before the posted command is handled, a page blocks another address.
    store.AddBlockedUrl("http://third.com/");
    platform::PumpUntilIdle();
    ASSERT_EQ(frame.commands, std::vector<UINT>{1174});
    EXPECT_EQ(menu.OpenBlockedPage(frame.commands[0], store, frame), 0);
    EXPECT_EQ(frame.opened, std::vector<std::string>{"http://second.com/ 1 1"});
    ASSERT_EQ(store.allowedUrls.size(), 1u);
    EXPECT_EQ(std::string(store.allowedUrls[0]), "http://second.com/");
    EXPECT_FALSE(store.IsUrlBlocked("http://second.com/"));
}

TEST_F(BlockedListMenuTest, TheAddressesAreDrawnByTheSkinnedMenuOnceTheirListOpens) {
    // The frame hands every opening pop-up to the skinned menu.
    frame.onMessage = [](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITMENUPOPUP) {
            CMenuEx::OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                     LOWORD(lParam), HIWORD(lParam));
        }
    };
    const std::vector<CString> urls = Blocked(2);
    Keys({VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_ESCAPE});
    menu.Show(button, urls, &frame);
    frame.onMessage = nullptr;
    HMENU newest = GetSubMenu(GetSubMenu(menu.GetSafeHmenu(), 0), 0);
    auto* skinned = dynamic_cast<CMenuEx*>(CMenu::FromHandle(newest));
    ASSERT_NE(skinned, nullptr);
    ASSERT_EQ(skinned->GetItemCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NE(GetMenuState(newest, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW, 0u);
        EXPECT_EQ(skinned->GetItem(i)->id, 1174 + i);
        EXPECT_EQ(std::string(skinned->GetItem(i)->text), std::string(urls[i]));
    }
}

TEST_F(BlockedListMenuTest, CommandsOutsideTheShownListOpenNothing) {
    EXPECT_EQ(menu.OpenBlockedPage(1174, DataStore(), frame), 1);
    Keys({VK_ESCAPE});
    menu.Show(button, Blocked(2), &frame);
    EXPECT_EQ(menu.OpenBlockedPage(1176, DataStore(), frame), 1);
    EXPECT_EQ(menu.OpenBlockedPage(1173, DataStore(), frame), 1);
    EXPECT_TRUE(frame.opened.empty());
    EXPECT_TRUE(DataStore().allowedUrls.empty());
}

}  // namespace
