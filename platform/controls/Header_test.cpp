#include "platform/controls/Header.h"

#include <gtest/gtest.h>

#include "platform/controls/ViewTest.h"

namespace platform::testing {
namespace {

class HeaderTest : public ViewTest {
protected:
    HWND MakeHeader(DWORD style = HDS_BUTTONS) {
        HWND header = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 300,
                                      20, parent_, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        for (int width : {50, 80}) {
            HDITEMA item{};
            item.mask = HDI_WIDTH | HDI_TEXT | HDI_LPARAM;
            item.cxy = width;
            item.pszText = const_cast<char*>("head");
            item.lParam = width;
            SendMessageA(header, HDM_INSERTITEMA, 100, reinterpret_cast<LPARAM>(&item));
        }
        return header;
    }
};

TEST_F(HeaderTest, LayoutTakesItsHeightFromTheTopOfTheArea) {
    HWND header = MakeHeader();
    RECT area{5, 10, 305, 200};
    WINDOWPOS position{};
    HDLAYOUT layout{&area, &position};
    ASSERT_TRUE(SendMessageA(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(position.x, 5);
    EXPECT_EQ(position.y, 10);
    EXPECT_EQ(position.cx, 300);
    EXPECT_GT(position.cy, 10);
    EXPECT_EQ(area.top, 10 + position.cy);

    HWND hidden = MakeHeader(HDS_HIDDEN);
    area = RECT{0, 0, 100, 100};
    SendMessageA(hidden, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    EXPECT_EQ(position.cy, 0);
    EXPECT_EQ(area.top, 0);
}

TEST_F(HeaderTest, ItemsKeepTheirFieldsAndRectangles) {
    HWND header = MakeHeader();
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    HDITEMA item{};
    item.mask = HDI_LPARAM | HDI_WIDTH | HDI_ORDER;
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 80);
    EXPECT_EQ(item.cxy, 80);
    EXPECT_EQ(item.iOrder, 1);
    RECT rect{};
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.right, 130);
    EXPECT_EQ(rect.bottom, 20);
    EXPECT_FALSE(SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_FALSE(SendMessageA(header, HDM_DELETEITEM, 2, 0));
    ASSERT_TRUE(SendMessageA(header, HDM_DELETEITEM, 0, 0));
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 80);
}

TEST_F(HeaderTest, HitTestsFindHeadsDividersAndOutside) {
    HWND header = MakeHeader();
    HDHITTESTINFO hit{};
    hit.pt = POINT{20, 5};
    EXPECT_EQ(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_ONHEADER));
    hit.pt = POINT{52, 5};
    EXPECT_EQ(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_ONDIVIDER));
    hit.pt = POINT{200, 5};
    EXPECT_EQ(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_NOWHERE));
    hit.pt = POINT{20, 30};
    SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_BELOW));
}

TEST_F(HeaderTest, TheParentCanRefuseChangesAndTracking) {
    HWND header = MakeHeader();
    answer_ = [](const Notice& notice) -> LRESULT {
        return notice.code == HDN_ITEMCHANGINGA || notice.code == HDN_BEGINTRACKA;
    };
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = 10;
    EXPECT_FALSE(SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    InjectMouse(MOUSEEVENTF_LEFTDOWN, ScreenPoint(header, POINT{50, 5}));
    InjectMouse(MOUSEEVENTF_MOVE, ScreenPoint(header, POINT{90, 5}));
    InjectMouse(MOUSEEVENTF_LEFTUP, ScreenPoint(header, POINT{90, 5}));
    PumpUntilIdle();
    item.cxy = 0;
    SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.cxy, 50);
    EXPECT_TRUE(Only({HDN_ITEMCHANGEDA, HDN_TRACKA, HDN_ENDTRACKA, HDN_ITEMCLICKA}).empty());
}

TEST_F(HeaderTest, WithoutButtonsAClickIsNotAnItemClick) {
    HWND header = MakeHeader(0);
    Click(header, POINT{20, 5});
    EXPECT_TRUE(Only({HDN_ITEMCLICKA}).empty());
    DestroyWindow(header);
    HWND buttons = MakeHeader();
    Click(buttons, POINT{20, 5});
    const auto clicks = Only({HDN_ITEMCLICKA});
    ASSERT_EQ(clicks.size(), 1U);
    EXPECT_EQ(clicks[0].item, 0);
    EXPECT_EQ(clicks[0].subItem, 0);
    EXPECT_EQ(clicks[0].id, 7U);
}

}  // namespace
}  // namespace platform::testing
