#include "platform/framework/ProgressCtrl.h"

#include <gtest/gtest.h>

#include "platform/windows/WindowPlatform.h"

namespace {

class ProgressCtrlWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, 300, 100,
                                  nullptr, nullptr));
        ASSERT_TRUE(bar.Create(WS_VISIBLE, CRect(0, 0, 200, 20), &host, 1));
    }
    void TearDown() override {
        bar.DestroyWindow();
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    CWnd host;
    CProgressCtrl bar;
};

TEST_F(ProgressCtrlWrapperTest, PositionsStayInsideTheRange) {
    int low = -1;
    int high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    bar.SetRange32(-50, 50000);
    bar.GetRange(low, high);
    EXPECT_EQ(low, -50);
    EXPECT_EQ(high, 50000);
    bar.SetRange(10, 20);
    bar.GetRange(low, high);
    EXPECT_EQ(low, 10);
    EXPECT_EQ(high, 20);

    bar.SetPos(12);
    EXPECT_EQ(bar.SetPos(15), 12);
    EXPECT_EQ(bar.OffsetPos(3), 15);
    EXPECT_EQ(bar.GetPos(), 18);
    EXPECT_EQ(bar.SetStep(5), 10);
    // Stepping past the end starts over from the start.
    EXPECT_EQ(bar.StepIt(), 18);
    EXPECT_EQ(bar.GetPos(), 13);
    bar.SetPos(99);
    EXPECT_EQ(bar.GetPos(), 20);
}

TEST_F(ProgressCtrlWrapperTest, ColoursGiveBackThePreviousOnes) {
    EXPECT_EQ(bar.SetBarColor(RGB(0, 160, 0)), CLR_DEFAULT);
    EXPECT_EQ(bar.SetBarColor(CLR_DEFAULT), RGB(0, 160, 0));
    EXPECT_EQ(bar.SetBkColor(RGB(1, 2, 3)), CLR_DEFAULT);
    EXPECT_EQ(bar.SetBkColor(RGB(4, 5, 6)), RGB(1, 2, 3));
}

}  // namespace
