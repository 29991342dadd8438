#include "platform/framework/StatusBarCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class CSkinnedStatus : public CStatusBarCtrl {
public:
    std::vector<std::string> drawn;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        drawn.push_back(std::to_string(item->itemID) + " " + std::to_string(item->itemData));
    }
};

class StatusBarCtrlWrapperTest : public platform::testing::WrapperTest {
protected:
    StatusBarCtrlWrapperTest() : WrapperTest(400, 200) {}
};

TEST_F(StatusBarCtrlWrapperTest, PanesHoldTextsAndRectangles) {
    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_VISIBLE | CCS_BOTTOM, CRect(0, 0, 0, 0), &host, 59393));
    int edges[3] = {150, 250, -1};
    ASSERT_TRUE(status.SetParts(3, edges));
    int read[3] = {};
    EXPECT_EQ(status.GetParts(3, read), 3);
    EXPECT_EQ(read[0], 150);
    EXPECT_EQ(read[1], 250);

    EXPECT_TRUE(status.SetText("完成", 0, 0));
    EXPECT_TRUE(status.SetText("flat", 1, SBT_NOBORDERS));
    EXPECT_STREQ(status.GetText(0), "完成");
    int type = -1;
    EXPECT_STREQ(status.GetText(1, &type), "flat");
    EXPECT_EQ(type, SBT_NOBORDERS);
    EXPECT_EQ(status.GetTextLength(0), 4);
    EXPECT_STREQ(status.GetText(7), "");

    CRect second;
    ASSERT_TRUE(status.GetRect(1, &second));
    EXPECT_EQ(second.right, 250);
    EXPECT_GT(second.left, 150);
    int horizontal = -1;
    int vertical = -1;
    int spacing = -1;
    EXPECT_TRUE(status.GetBorders(horizontal, vertical, spacing));
    EXPECT_GE(horizontal, 0);

    status.SetTipText(0, "提示");
    EXPECT_STREQ(status.GetTipText(0), "提示");
    EXPECT_FALSE(status.IsSimple());
    status.SetSimple();
    EXPECT_TRUE(status.IsSimple());
}

TEST_F(StatusBarCtrlWrapperTest, AnOwnerDrawnPaneIsDrawnThroughReflection) {
    CSkinnedStatus status;
    ASSERT_TRUE(status.Create(WS_VISIBLE | CCS_BOTTOM, CRect(0, 0, 0, 0), &host, 59393));
    int edges[2] = {100, -1};
    status.SetParts(2, edges);
    status.SetText(reinterpret_cast<LPCSTR>(77), 1, SBT_OWNERDRAW);
    platform::PumpUntilIdle();
    EXPECT_NE(std::find(status.drawn.begin(), status.drawn.end(), "1 77"), status.drawn.end());
}

}  // namespace
