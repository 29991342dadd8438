#include "platform/framework/ReBarCtrl.h"

#include <gtest/gtest.h>

#include "platform/windows/WindowPlatform.h"

namespace {

class ReBarCtrlWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, 600, 200,
                                  nullptr, nullptr));
        ASSERT_TRUE(
            rebar.Create(WS_VISIBLE | RBS_BANDBORDERS | CCS_TOP, CRect(0, 0, 0, 0), &host, 59392));
        for (UINT id = 0; id < 4; ++id) {
            ASSERT_TRUE(child[id].CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                           rebar.m_hWnd, nullptr));
            REBARBANDINFO band{};
            band.cbSize = sizeof(band);
            band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
            band.fStyle = (id == 2 ? RBBS_BREAK : 0) | RBBS_GRIPPERALWAYS;
            band.hwndChild = child[id].m_hWnd;
            band.cxMinChild = 50;
            band.cyMinChild = 22;
            band.cx = 150;
            band.wID = id;
            ASSERT_TRUE(rebar.InsertBand(static_cast<UINT>(-1), &band));
        }
    }
    void TearDown() override {
        rebar.DestroyWindow();
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    CWnd host;
    CReBarCtrl rebar;
    CWnd child[4];
};

TEST_F(ReBarCtrlWrapperTest, BandsAreFoundByIdShownHiddenAndMeasured) {
    EXPECT_EQ(rebar.GetBandCount(), 4u);
    EXPECT_EQ(rebar.IDToIndex(3), 3);
    EXPECT_EQ(rebar.IDToIndex(9), -1);
    EXPECT_EQ(rebar.GetRowCount(), 2u);

    CRect first;
    CRect third;
    ASSERT_TRUE(rebar.GetRect(0, &first));
    ASSERT_TRUE(rebar.GetRect(2, &third));
    EXPECT_GE(third.top, first.bottom);
    EXPECT_FALSE(rebar.GetRect(7, &first));

    EXPECT_TRUE(rebar.ShowBand(3, FALSE));
    REBARBANDINFO band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(3, &band));
    EXPECT_NE(band.fStyle & RBBS_HIDDEN, 0u);
    EXPECT_EQ(band.wID, 3u);
    EXPECT_FALSE(child[3].IsWindowVisible());
    EXPECT_TRUE(rebar.ShowBand(3));
    ASSERT_TRUE(rebar.GetBandInfo(3, &band));
    EXPECT_EQ(band.fStyle & RBBS_HIDDEN, 0u);

    EXPECT_GT(rebar.GetBarHeight(), 0u);
    EXPECT_TRUE(rebar.DeleteBand(0));
    EXPECT_EQ(rebar.IDToIndex(3), 2);
}

TEST_F(ReBarCtrlWrapperTest, ColoursAndOwner) {
    rebar.SetBkColor(RGB(1, 2, 3));
    EXPECT_EQ(rebar.SetBkColor(RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(rebar.GetBkColor(), RGB(4, 5, 6));
    CWnd* previous = rebar.SetOwner(&child[0]);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->m_hWnd, host.m_hWnd);
}

}  // namespace
