#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/CommonControls.h"
#include "platform/framework/Wnd.h"
#include "platform/windows/WindowPlatform.h"

namespace {

std::vector<std::string> events;
constexpr UINT kColumnClick = LVN_FIRST - 8;

class CSortingList : public CWnd {
public:
    BOOL claimColumnClick = FALSE;
    HBRUSH brush = nullptr;

protected:
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
        events.push_back("list sorts " + std::to_string(pNMHDR->idFrom));
        *pResult = 0;
        return claimColumnClick;
    }
    void OnClicked() { events.push_back("list clicked"); }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
        events.push_back("list draws item " + std::to_string(lpDrawItemStruct->itemID));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
        lpMeasureItemStruct->itemHeight = 24;
    }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) {
        events.push_back("list colour " + std::to_string(nCtlColor));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSortingList, CWnd)
ON_NOTIFY_REFLECT_EX(kColumnClick, OnColumnClick)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_WM_DRAWITEM_REFLECT()
ON_WM_MEASUREITEM_REFLECT()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CPage : public CWnd {
protected:
    void OnColumnClick(NMHDR*, LRESULT* pResult) {
        events.push_back("page sees column click");
        *pResult = 1;
    }
    void OnListClicked() { events.push_back("page sees click"); }
    void OnOtherClicked() { events.push_back("page handles 1004"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPage, CWnd)
ON_NOTIFY(kColumnClick, 1012, OnColumnClick)
ON_BN_CLICKED(1012, OnListClicked)
ON_BN_CLICKED(1004, OnOtherClicked)
END_MESSAGE_MAP()

class WndReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        events.clear();
        ASSERT_TRUE(page.CreateEx(0, nullptr, "page", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(list.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 50, 50), &page, 1012));
        ASSERT_TRUE(other.Create(nullptr, "", WS_VISIBLE, CRect(0, 60, 50, 80), &page, 1004));
    }
    void TearDown() override { platform::ResetWindowSystemForTesting(); }

    LRESULT NotifyColumnClick() {
        NMHDR header{list.m_hWnd, 1012, kColumnClick};
        return page.SendMessage(WM_NOTIFY, 1012, reinterpret_cast<LPARAM>(&header));
    }

    CPage page;
    CSortingList list;
    CWnd other;
};

TEST_F(WndReflectionTest, ExtendedReflectionRunsTheControlFirstAndThenTheParent) {
    EXPECT_EQ(NotifyColumnClick(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"list sorts 1012", "page sees column click"}));
}

TEST_F(WndReflectionTest, AControlThatClaimsTheNotificationKeepsItFromTheParent) {
    list.claimColumnClick = TRUE;
    EXPECT_EQ(NotifyColumnClick(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"list sorts 1012"}));
}

TEST_F(WndReflectionTest, AReflectedCommandIsTheControlsAloneOthersReachTheParent) {
    page.SendMessage(WM_COMMAND, MAKEWPARAM(1012, BN_CLICKED),
                     reinterpret_cast<LPARAM>(list.m_hWnd));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED),
                     reinterpret_cast<LPARAM>(other.m_hWnd));
    EXPECT_EQ(events, (std::vector<std::string>{"list clicked", "page handles 1004"}));
}

TEST_F(WndReflectionTest, OwnerDrawMessagesReachTheControlThatOwnsTheItem) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = 1012;
    draw.itemID = 3;
    draw.hwndItem = list.m_hWnd;
    EXPECT_EQ(page.SendMessage(WM_DRAWITEM, 1012, reinterpret_cast<LPARAM>(&draw)), TRUE);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = 1012;
    measure.itemHeight = 13;
    page.SendMessage(WM_MEASUREITEM, 1012, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, 24u);
    EXPECT_EQ(events, (std::vector<std::string>{"list draws item 3"}));
}

TEST_F(WndReflectionTest, AControlsOwnColoursWinUnlessItGivesNoBrush) {
    list.brush = reinterpret_cast<HBRUSH>(0x77);
    EXPECT_EQ(page.SendMessage(WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(list.m_hWnd)), 0x77);
    list.brush = nullptr;
    EXPECT_EQ(page.SendMessage(WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(list.m_hWnd)),
              ::DefWindowProcA(page.m_hWnd, WM_CTLCOLORLISTBOX, 0,
                               reinterpret_cast<LPARAM>(list.m_hWnd)));
    EXPECT_EQ(events, (std::vector<std::string>{"list colour 2", "list colour 2"}));
}

}  // namespace
