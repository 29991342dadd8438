#include "platform/framework/TabCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class CPageTabs : public CTabCtrl {
public:
    std::vector<std::string> drawn;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_TAB));
        drawn.push_back(std::to_string(item->itemID) +
                        ((item->itemState & ODS_SELECTED) != 0 ? " selected" : ""));
    }
};

class TabCtrlWrapperTest : public platform::testing::WrapperTest {
protected:
    TabCtrlWrapperTest() : WrapperTest(400, 200) {
        host.notify = [this](const NMHDR* header, LRESULT*) {
            if (header->code == TCN_SELCHANGE) {
                notes.push_back("selchange " + std::to_string(header->idFrom));
            }
            return false;
        };
    }

    static std::string Text(const CTabCtrl& tabs, int index) {
        char text[256] = {};
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        return tabs.GetItem(index, &item) ? std::string(text) : std::string("<none>");
    }

    std::vector<std::string> notes;
};

TEST_F(TabCtrlWrapperTest, ItemsAreInsertedAtTheirPlaceAndReadBack) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 300, 30), &host, 1001));
    EXPECT_EQ(tabs.GetCurSel(), -1);
    // Past the end means at the end.
    EXPECT_EQ(tabs.InsertItem(5, "首页"), 0);
    EXPECT_EQ(tabs.InsertItem(5, "新闻"), 1);
    EXPECT_EQ(tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 0, "空白", 0, 42), 0);
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(Text(tabs, 0), "空白");
    EXPECT_EQ(Text(tabs, 2), "新闻");
    EXPECT_EQ(Text(tabs, 3), "<none>");
    TCITEM param{};
    param.mask = TCIF_PARAM;
    ASSERT_TRUE(tabs.GetItem(0, &param));
    EXPECT_EQ(param.lParam, 42);

    TCITEM rename{};
    rename.mask = TCIF_TEXT;
    rename.pszText = const_cast<LPSTR>("改名");
    EXPECT_TRUE(tabs.SetItem(1, &rename));
    EXPECT_EQ(Text(tabs, 1), "改名");

    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_FALSE(tabs.DeleteItem(7));
    EXPECT_EQ(Text(tabs, 0), "改名");
    EXPECT_TRUE(tabs.DeleteAllItems());
    EXPECT_EQ(tabs.GetItemCount(), 0);
}

TEST_F(TabCtrlWrapperTest, SelectingByProgramIsSilentAndAClickNotifies) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_FIXEDWIDTH, CRect(0, 0, 300, 30), &host, 1002));
    tabs.InsertItem(0, "一");
    tabs.InsertItem(1, "二");
    tabs.InsertItem(2, "三");
    // The first tab is selected as it arrives.
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.SetCurSel(2), 1);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(notes.empty());

    tabs.SetItemSize(CSize(60, 20));
    EXPECT_EQ(tabs.SetItemSize(CSize(80, 22)), CSize(60, 20));
    CRect first;
    ASSERT_TRUE(tabs.GetItemRect(0, &first));
    EXPECT_EQ(first.Width(), 80);
    EXPECT_EQ(first.Height(), 22);
    TCHITTESTINFO hit{};
    hit.pt = first.CenterPoint();
    EXPECT_EQ(tabs.HitTest(&hit), 0);
    EXPECT_NE(hit.flags & TCHT_ONITEM, 0u);
    hit.pt = CPoint(299, 29);
    EXPECT_EQ(tabs.HitTest(&hit), -1);

    POINT click = first.CenterPoint();
    tabs.ClientToScreen(&click);
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, click);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, click);
    platform::PumpUntilIdle();
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(notes, std::vector<std::string>{"selchange 1002"});
}

TEST_F(TabCtrlWrapperTest, OwnerDrawnTabsAreDrawnThroughReflection) {
    CPageTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(0, 0, 300, 30), &host, 1003));
    tabs.InsertItem(0, "甲");
    tabs.InsertItem(1, "乙");
    tabs.SetCurSel(1);
    platform::PumpUntilIdle();
    EXPECT_NE(std::find(tabs.drawn.begin(), tabs.drawn.end(), "0"), tabs.drawn.end());
    EXPECT_NE(std::find(tabs.drawn.begin(), tabs.drawn.end(), "1 selected"), tabs.drawn.end());
    EXPECT_EQ(std::find(tabs.drawn.begin(), tabs.drawn.end(), "0 selected"), tabs.drawn.end());
}

TEST_F(TabCtrlWrapperTest, TheImageListComesBackAsItsObject) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &host, 1002));
    CImageList icons;
    ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0));
    EXPECT_EQ(tabs.SetImageList(&icons), nullptr);
    EXPECT_EQ(tabs.GetImageList(), &icons);
    EXPECT_EQ(tabs.SetImageList(nullptr), &icons);
    EXPECT_EQ(tabs.GetImageList(), nullptr);
    tabs.DestroyWindow();
}

}  // namespace
