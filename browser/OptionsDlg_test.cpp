#include "browser/OptionsDlg.h"

#include <gtest/gtest.h>

#include <cstring>

#include "browser/BrowserDataStore.h"
#include "browser/BrowserDialogTest.h"
#include "resources/quorra/resource.h"

namespace {

using browser_testing::BrowserDialogTest;
using browser_testing::SkinFile;
using Dialog = platform::testing::ScriptedDialog<COptionsDlg>;

class OptionsDlgTest : public BrowserDialogTest {
protected:
    void SetUp() override {
        BrowserDialogTest::SetUp();
        WriteSkins();
        SetOptions(0, 0, 0, 0, 0, 0, "");
    }
    void TearDown() override {
        SetOptions(0, 0, 0, 0, 0, 0, "");
        ResetSkin();
        BrowserDialogTest::TearDown();
    }

    static void SetOptions(int tabMaximized, int activateNewPage, int tabsAtBottom, int newsOff,
                           int startPageMode, int announceUpdates, const char* startUrl) {
        CBrowserDataStore& store = DataStore();
        store.tabMaximized = tabMaximized;
        store.activateNewPage = activateNewPage;
        store.tabsAtBottom = tabsAtBottom;
        store.newsOff = newsOff;
        store.startPageMode = startPageMode;
        store.announceUpdates = announceUpdates;
        std::memset(store.startUrl, 0, sizeof(store.startUrl));
        std::strncpy(store.startUrl, startUrl, sizeof(store.startUrl) - 1);
    }
    static std::vector<int> Options() {
        const CBrowserDataStore& store = DataStore();
        return {store.tabMaximized, store.activateNewPage, store.tabsAtBottom,
                store.newsOff,      store.startPageMode,   store.announceUpdates};
    }
    // The ids of the checked buttons among the option buttons, in id order.
    static std::vector<int> Checked(HWND dialog) {
        std::vector<int> ids;
        for (int id = IDC_TAB_MAXIMIZED; id <= IDC_ANNOUNCE_UPDATES; ++id) {
            HWND button = ::GetDlgItem(dialog, id);
            if (button != nullptr && ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                ids.push_back(id);
            }
        }
        return ids;
    }
};

TEST_F(OptionsDlgTest, OpeningShowsEveryOptionAndOkStoresThemAsShown) {
    SetOptions(1, 0, 1, 0, 1, 1, "http://start/");
    Dialog dialog;
    dialog.m_nRefreshTime = 7;
    dialog.m_nRefreshUnit = 0;
    dialog.script = [&](Dialog& d) {
        EXPECT_EQ(Checked(d),
                  (std::vector<int>{IDC_TAB_MAXIMIZED, IDC_ACTIVATE_CURRENT, IDC_TABS_BOTTOM,
                                    IDC_NEWS_ON, IDC_START_BLANK, IDC_ANNOUNCE_UPDATES}));
        EXPECT_EQ(ItemText(d, IDC_START_URL), "http://start/");
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "7");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_REFRESH_UNIT, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(ListedSkins(d), (std::vector<std::string>{"Blue", "绿色"}));
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Options(), (std::vector<int>{1, 0, 1, 0, 1, 1}));
    EXPECT_STREQ(DataStore().startUrl, "http://start/");
    EXPECT_EQ(dialog.m_nRefreshTime, 7);
    EXPECT_EQ(dialog.m_nRefreshUnit, 0);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(OptionsDlgTest, ADamagedStartPageModeShowsTheWelcomePageAndIsStoredAsZero) {
    SetOptions(0, 1, 0, 1, 5, 0, "");
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        EXPECT_EQ(Checked(d), (std::vector<int>{IDC_TAB_STANDARD, IDC_ACTIVATE_NEW, IDC_TABS_TOP,
                                                IDC_NEWS_OFF, IDC_START_WELCOME}));
        EXPECT_EQ(ItemText(d, IDC_REFRESH_TIME), "5");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_REFRESH_UNIT, CB_GETCURSEL, 0, 0), 1);
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Options(), (std::vector<int>{0, 1, 0, 1, 0, 0}));
}

TEST_F(OptionsDlgTest, OkTakesTheChangedChoicesAndANonNumericTimeAsZero) {
    SetOptions(1, 1, 1, 1, 0, 1, "");
    Dialog dialog;
    dialog.script = [&](Dialog& d) {
        for (int id : {IDC_TAB_STANDARD, IDC_ACTIVATE_CURRENT, IDC_TABS_TOP, IDC_START_ADDRESS,
                       IDC_ANNOUNCE_UPDATES}) {
            Click(d, id);
        }
        SetText(d, IDC_REFRESH_TIME, "x12");
        SendDlgItemMessageA(d, IDC_REFRESH_UNIT, CB_SETCURSEL, 0, 0);
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Options(), (std::vector<int>{0, 0, 0, 1, 2, 0}));
    EXPECT_EQ(dialog.m_nRefreshTime, 0);
    EXPECT_EQ(dialog.m_nRefreshUnit, 0);
}

TEST_F(OptionsDlgTest, ChangingTheNewsTickerNeedsARestartAndIsStored) {
    Dialog dialog;
    std::vector<std::string> shown;
    dialog.script = [&](Dialog& d) {
        Click(d, IDC_NEWS_OFF);
        shown = TakeMessages();
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, std::vector<std::string>{"更改该项设置需重启后生效。"});
    EXPECT_EQ(DataStore().newsOff, 1);

    dialog.script = [&](Dialog& d) {
        Click(d, IDC_NEWS_ON);
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"更改该项设置需重启后生效。"});
    EXPECT_EQ(DataStore().newsOff, 0);
}

TEST_F(OptionsDlgTest, TheStartAddressKeepsItsFirst255BytesWithoutHalfACharacter) {
    Dialog dialog;
    const std::string longAddress = "http://" + std::string(293, 'x');
    dialog.script = [&](Dialog& d) {
        SetText(d, IDC_START_URL, longAddress);
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(DataStore().startUrl), longAddress.substr(0, 255));

    // A double-byte character over the limit is left out whole.
    const std::string wide = std::string(254, 'y') + "中文";
    dialog.script = [&](Dialog& d) {
        SetText(d, IDC_START_URL, wide);
        Click(d, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(DataStore().startUrl), std::string(254, 'y'));
    EXPECT_EQ(DataStore().startUrl[255], '\0');
}

}  // namespace
