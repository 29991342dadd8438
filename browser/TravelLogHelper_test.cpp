#include "browser/TravelLogHelper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser/PageTestHost.h"
#include "common/WebBrowser2.h"
#include "platform/framework/Menu.h"

namespace browser::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TravelLogHelperTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        ASSERT_TRUE(browser.Create("", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &host, 1001));
        ASSERT_TRUE(menu.CreatePopupMenu());
    }
    void TearDown() override {
        menu.DestroyMenu();
        browser.DestroyWindow();
        PageTest::TearDown();
    }
    void Visit(const std::string& name, const std::string& title) {
        browser.Navigate(Page(name, "<title>" + title + "</title>").c_str(), nullptr, nullptr,
                         nullptr, nullptr);
        platform::PumpUntilIdle();
    }
    void Attach(CTravelLogHelper& helper) {
        IDispatch* application = browser.GetApplication();
        helper.AttachTravelLog(application);
        application->Release();
    }
    // "id text" for each item of the menu, in order.
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            items.push_back(std::to_string(menu.GetMenuItemID(static_cast<int>(i))) + " " +
                            std::string(text));
        }
        return items;
    }
    // The control's reference count, seen from outside.
    ULONG ControlReferences() {
        IUnknown* control = browser.GetControlUnknown();
        control->AddRef();
        return control->Release();
    }

    CWebBrowser2 browser;
    CMenu menu;
};

TEST_F(TravelLogHelperTest, DetachedHelperHasNothing) {
    CTravelLogHelper helper;
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 0);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kForward), 0);
    helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kBack);
    helper.TravelTo(-1);
    EXPECT_EQ(menu.GetMenuItemCount(), 0u);
    helper.AttachTravelLog(nullptr);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 0);
}

TEST_F(TravelLogHelperTest, APageWithoutHistoryCannotTravel) {
    Visit("a.htm", "A");
    CTravelLogHelper helper;
    Attach(helper);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 0);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kForward), 0);
    helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kBack);
    EXPECT_THAT(Items(), IsEmpty());
}

TEST_F(TravelLogHelperTest, BackMenuListsTheNearestTenWithTheirIds) {
    for (int i = 1; i <= 16; ++i) {
        Visit("p" + std::to_string(i) + ".htm", "Page " + std::to_string(i));
    }
    CTravelLogHelper helper;
    Attach(helper);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 1);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kForward), 0);
    helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kBack);
    EXPECT_THAT(Items(), ElementsAre("1125 Page 15", "1126 Page 14", "1127 Page 13", "1128 Page 12",
                                     "1129 Page 11", "1130 Page 10", "1131 Page 9", "1132 Page 8",
                                     "1133 Page 7", "1134 Page 6"));
}

TEST_F(TravelLogHelperTest, TravelToGoesSeveralStepsAndForwardMenuFollows) {
    for (const char* name : {"a", "b", "c", "d"}) {
        Visit(std::string(name) + ".htm", std::string("Title ") + name);
    }
    CTravelLogHelper helper;
    Attach(helper);
    helper.TravelTo(-3);
    platform::PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("a.htm"));
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 0);
    EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kForward), 1);
    helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kForward);
    EXPECT_THAT(Items(), ElementsAre("1145 Title b", "1146 Title c", "1147 Title d"));
    helper.TravelTo(2);
    platform::PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("c.htm"));
    // Beyond the log nothing happens.
    helper.TravelTo(5);
    platform::PumpUntilIdle();
    EXPECT_EQ(std::string(browser.GetLocationURL()), Address("c.htm"));
}

TEST_F(TravelLogHelperTest, FewerItemsWhenTheCallerAsksForFewer) {
    for (const char* name : {"a", "b", "c", "d"}) {
        Visit(std::string(name) + ".htm", name);
    }
    CTravelLogHelper helper;
    Attach(helper);
    helper.FillTravelMenu(&menu, 2, CTravelLogHelper::kBack);
    EXPECT_THAT(Items(), ElementsAre("1125 c", "1126 b"));
}

TEST_F(TravelLogHelperTest, LongTitlesAreCutAtACharacterBoundary) {
    // 39 two-byte characters and an ASCII letter make 79 bytes: still whole.
    std::string fits(39 * 2, '\0');
    for (size_t i = 0; i < fits.size(); i += 2) {
        fits.replace(i, 2, "中");
    }
    Visit("a.htm", fits + "x");
    // 41 two-byte characters are 82 bytes: cut to 76 bytes of whole characters and "...".
    std::string tooLong;
    for (int i = 0; i < 41; ++i) {
        tooLong += "文";
    }
    Visit("b.htm", tooLong);
    Visit("c.htm", "C");
    CTravelLogHelper helper;
    Attach(helper);
    helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kBack);
    std::string cut;
    for (int i = 0; i < 38; ++i) {
        cut += "文";
    }
    EXPECT_THAT(Items(), ElementsAre("1125 " + cut + "...", "1126 " + fits + "x"));
}

TEST_F(TravelLogHelperTest, AttachingAgainReleasesWhatWasHeld) {
    Visit("a.htm", "A");
    Visit("b.htm", "B");
    const ULONG alone = ControlReferences();
    {
        CTravelLogHelper helper;
        Attach(helper);
        const ULONG attached = ControlReferences();
        EXPECT_GT(attached, alone);
        for (int i = 0; i < 3; ++i) {
            Attach(helper);
            helper.FillTravelMenu(&menu, 10, CTravelLogHelper::kBack);
            helper.CanTravel(CTravelLogHelper::kBack);
            helper.CanTravel(CTravelLogHelper::kForward);
        }
        EXPECT_EQ(ControlReferences(), attached);
        // Attaching to nothing lets go of the old log too.
        helper.AttachTravelLog(nullptr);
        EXPECT_EQ(ControlReferences(), alone);
        EXPECT_EQ(helper.CanTravel(CTravelLogHelper::kBack), 0);
        Attach(helper);
    }
    EXPECT_EQ(ControlReferences(), alone);
}

}  // namespace
}  // namespace browser::testing
