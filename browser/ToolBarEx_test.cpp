#include "browser/ToolBarEx.h"

#include "browser/ChromeTestFixture.h"
#include "platform/framework/Static.h"

namespace {

using namespace chrome_test;

class ToolBarExTest : public ChromeTest {
protected:
    void SetUp() override {
        ChromeTest::SetUp();
        ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        const UINT buttons[] = {ID_SEPARATOR};
        bar.SetButtons(buttons, 1);
        bar.SetSizes(CSize(26, 25), CSize(18, 18));
        frame->RecalcLayout();
        ASSERT_TRUE(label.Create("地址:", WS_CHILD | WS_VISIBLE, CRect(230, 4, 270, 20), &bar,
                                 CToolBarEx::kAddressLabelId));
        ASSERT_TRUE(
            other.Create("地址:", WS_CHILD | WS_VISIBLE, CRect(300, 4, 340, 20), &bar, 1033));
        platform::PumpUntilIdle();
    }

    CToolBarEx bar;
    CStatic label;
    CStatic other;
};

TEST_F(ToolBarExTest, TheBackgroundIsTheSkinsToolColour) {
    CRect client;
    bar.GetClientRect(&client);
    EXPECT_EQ(PixelAt(bar, client.right - 2, client.Height() / 2), kToolBackground);
}

TEST_F(ToolBarExTest, TheAddressLabelTakesTheToolTextColourOnTheToolBackground) {
    EXPECT_GT(CountColor(label, CRect(0, 0, 40, 16), kToolText), 5);
    EXPECT_EQ(PixelAt(label, 39, 15), kToolBackground);
    // Other children keep the bar's ordinary colours.
    EXPECT_EQ(CountColor(other, CRect(0, 0, 40, 16), kToolText), 0);
}

}  // namespace
