#include "platform/framework/ToolBar.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/testdata/bars.h"
#include "platform/time/Clock.h"
#include "platform/windows/WindowPlatform.h"

static void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseTestClock(SYSTEMTIME{2024, 3, 0, 15, 9, 0, 0, 0});
        platform::ResetWindowSystemForTesting();
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
    }
    void TearDown() override {
        bar_.DestroyWindow();
        frame_->DestroyWindow();
        platform::ResetWindowSystemForTesting();
        platform::UseRealClock();
    }
    CRect ItemRect(int index) const {
        CRect rect;
        bar_.GetItemRect(index, &rect);
        return rect;
    }

    CFrameWnd* frame_ = nullptr;
    CToolBar bar_;
};

TEST_F(ToolBarTest, LoadToolBarTakesButtonsSizesAndImagesFromTheResource) {
    ASSERT_TRUE(bar_.Create(frame_));
    ASSERT_TRUE(bar_.LoadToolBar(IDR_BARS));
    ASSERT_EQ(bar_.GetCount(), 4);
    EXPECT_EQ(bar_.GetItemID(0), static_cast<UINT>(ID_BAR_BACK));
    EXPECT_EQ(bar_.GetItemID(1), static_cast<UINT>(ID_BAR_FORWARD));
    EXPECT_EQ(bar_.GetItemID(2), 0u);
    EXPECT_EQ(bar_.GetItemID(3), static_cast<UINT>(ID_BAR_STOP));
    EXPECT_EQ(bar_.GetButtonStyle(2), static_cast<UINT>(TBBS_SEPARATOR));
    EXPECT_EQ(bar_.CommandToIndex(ID_BAR_STOP), 3);
    EXPECT_EQ(bar_.CommandToIndex(ID_BAR_HOME), -1);

    // Buttons are 7 pixels larger than the 16 x 15 images; a separator of a bar that is not flat
    // is 8 wide.
    EXPECT_EQ(ItemRect(0), CRect(0, 0, 23, 22));
    EXPECT_EQ(ItemRect(2), CRect(46, 0, 54, 22));
    EXPECT_EQ(ItemRect(3), CRect(54, 0, 77, 22));
    EXPECT_EQ(bar_.CalcFixedLayout(FALSE, TRUE), CSize(77, 22));

    UINT id = 0;
    UINT style = 0;
    int image = -1;
    bar_.GetButtonInfo(3, id, style, image);
    EXPECT_EQ(id, static_cast<UINT>(ID_BAR_STOP));
    EXPECT_EQ(style, static_cast<UINT>(TBBS_BUTTON));
    EXPECT_EQ(image, 2);
    auto images = reinterpret_cast<HIMAGELIST>(bar_.SendMessage(TB_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(CSize(cx, cy), CSize(16, 15));
}

TEST_F(ToolBarTest, LoadToolBarFailsWithoutItsResourceOrBitmap) {
    ASSERT_TRUE(bar_.Create(frame_));
    EXPECT_FALSE(bar_.LoadToolBar(999));
    EXPECT_EQ(bar_.GetCount(), 0);
    EXPECT_FALSE(bar_.LoadToolBar(IDR_NOBITMAP));
    EXPECT_EQ(bar_.GetCount(), 1);
    EXPECT_EQ(bar_.SendMessage(TB_GETIMAGELIST), 0);
    EXPECT_FALSE(bar_.SetBitmap(nullptr));
    EXPECT_FALSE(bar_.SetButtons(nullptr, -1));
}

TEST_F(ToolBarTest, WideSeparatorsKeepRoomForChildWindows) {
    ASSERT_TRUE(bar_.CreateEx(frame_, TBSTYLE_FLAT));
    const UINT ids[] = {ID_BAR_BACK, ID_SEPARATOR, ID_BAR_FORWARD};
    ASSERT_TRUE(bar_.SetButtons(ids, 3));
    bar_.SetSizes(CSize(26, 25), CSize(18, 18));
    EXPECT_EQ(ItemRect(1), CRect(26, 0, 32, 25));

    bar_.SetButtonInfo(1, 1004, TBBS_SEPARATOR, 150);
    EXPECT_EQ(ItemRect(1), CRect(26, 0, 176, 25));
    EXPECT_EQ(ItemRect(2), CRect(176, 0, 202, 25));
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    bar_.GetButtonInfo(1, id, style, width);
    EXPECT_EQ(id, 1004u);
    EXPECT_EQ(style, static_cast<UINT>(TBBS_SEPARATOR));
    EXPECT_EQ(width, 150);

    // A bar of empty slots to be filled one by one.
    ASSERT_TRUE(bar_.SetButtons(nullptr, 2));
    EXPECT_EQ(bar_.GetCount(), 2);
    EXPECT_EQ(bar_.GetButtonStyle(1), static_cast<UINT>(TBBS_SEPARATOR));
}

TEST_F(ToolBarTest, ButtonStylesCarryTheStateWithTheEnabledBitTurnedAround) {
    ASSERT_TRUE(bar_.CreateEx(frame_));
    const UINT ids[] = {ID_BAR_BACK, ID_BAR_FORWARD};
    ASSERT_TRUE(bar_.SetButtons(ids, 2));
    EXPECT_EQ(bar_.GetButtonStyle(0), static_cast<UINT>(TBBS_BUTTON));
    bar_.SetButtonStyle(0, TBBS_CHECKBOX | TBBS_DISABLED);
    EXPECT_FALSE(bar_.SendMessage(TB_ISBUTTONENABLED, ID_BAR_BACK));
    EXPECT_EQ(bar_.GetButtonStyle(0), static_cast<UINT>(TBBS_CHECKBOX | TBBS_DISABLED));
    bar_.SetButtonStyle(0, TBBS_CHECKED);
    EXPECT_TRUE(bar_.SendMessage(TB_ISBUTTONENABLED, ID_BAR_BACK));
    EXPECT_TRUE(bar_.SendMessage(TB_ISBUTTONCHECKED, ID_BAR_BACK));
    bar_.SetButtonInfo(1, ID_BAR_HOME, TBBS_DROPDOWN, 5);
    EXPECT_EQ(bar_.CommandToIndex(ID_BAR_HOME), 1);
    EXPECT_EQ(bar_.GetButtonStyle(1), static_cast<UINT>(TBBS_DROPDOWN));
    EXPECT_EQ(bar_.GetButtonStyle(7), 0u);
}

TEST_F(ToolBarTest, ButtonTextsAreKeptAsGbk) {
    ASSERT_TRUE(bar_.CreateEx(frame_));
    ASSERT_TRUE(bar_.SetButtons(nullptr, 1));
    bar_.SetButtonInfo(0, 0, TBBS_BUTTON, 0);
    EXPECT_TRUE(bar_.SetButtonText(0, "标签"));
    EXPECT_STREQ(bar_.GetButtonText(0), "标签");
    EXPECT_FALSE(bar_.SetButtonText(3, "x"));
    EXPECT_STREQ(bar_.GetButtonText(3), "");
}

TEST_F(ToolBarTest, BarStylesStayOutOfTheWindowStyleAndAskForSizes) {
    ASSERT_TRUE(bar_.CreateEx(frame_, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS));
    // CBRS_ALIGN_TOP would read as TBSTYLE_CUSTOMERASE in the window style.
    EXPECT_EQ(bar_.GetStyle() & TBSTYLE_CUSTOMERASE, 0u);
    EXPECT_EQ(bar_.GetStyle() & TBSTYLE_FLAT, static_cast<DWORD>(TBSTYLE_FLAT));
    EXPECT_EQ(bar_.GetBarStyle(), static_cast<DWORD>(CBRS_ALIGN_TOP | CBRS_TOOLTIPS));
    EXPECT_NE(bar_.SendMessage(TB_GETTOOLTIPS), 0);
    EXPECT_EQ(bar_.GetDlgCtrlID(), AFX_IDW_TOOLBAR);

    const UINT ids[] = {ID_BAR_BACK};
    bar_.SetButtons(ids, 1);
    bar_.SetSizes(CSize(33, 30), CSize(25, 23));
    EXPECT_EQ(bar_.CalcFixedLayout(TRUE, TRUE), CSize(32767, 30));
    EXPECT_EQ(bar_.CalcFixedLayout(TRUE, FALSE), CSize(33, 32767));
    bar_.SetHeight(40);
    EXPECT_EQ(bar_.CalcFixedLayout(FALSE, TRUE), CSize(33, 40));

    CToolBar plain;
    ASSERT_TRUE(plain.Create(frame_, WS_CHILD | CBRS_TOP, 0xE812));
    EXPECT_EQ(plain.SendMessage(TB_GETTOOLTIPS), 0);
    EXPECT_EQ(plain.GetBarStyle(), static_cast<DWORD>(CBRS_TOP));
}

}  // namespace
