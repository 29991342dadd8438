#include "platform/framework/ToolBarCtrl.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class ToolBarCtrlWrapperTest : public platform::testing::WrapperTest {
protected:
    ToolBarCtrlWrapperTest() : WrapperTest(500, 200) {
        host.notify = [this](const NMHDR* header, LRESULT* result) {
            if (header->code != TBN_DROPDOWN) {
                return false;
            }
            dropDowns.push_back(reinterpret_cast<const NMTOOLBAR*>(header)->iItem);
            *result = 0;
            return true;
        };
    }
    void SetUp() override {
        WrapperTest::SetUp();
        ASSERT_TRUE(bar.Create(WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP,
                               CRect(0, 0, 0, 0), &host, 59392));
        TBBUTTON buttons[3] = {};
        buttons[0] = {0, 1101, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
        buttons[1] = {0, 0, 0, BTNS_SEP, {}, 0, 0};
        buttons[2] = {1, 1102, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, 0};
        ASSERT_TRUE(bar.AddButtons(3, buttons));
        // Fits the bar around its buttons along the parent's top edge.
        bar.AutoSize();
    }
    void TearDown() override {
        bar.DestroyWindow();
        WrapperTest::TearDown();
    }

    std::vector<int> dropDowns;
    CToolBarCtrl bar;
};

TEST_F(ToolBarCtrlWrapperTest, ButtonsAreFoundByCommandAndKeepTheirStates) {
    EXPECT_EQ(bar.GetButtonCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(1102), 2u);
    EXPECT_EQ(bar.CommandToIndex(999), static_cast<UINT>(-1));
    TBBUTTON button{};
    ASSERT_TRUE(bar.GetButton(2, &button));
    EXPECT_EQ(button.idCommand, 1102);
    EXPECT_EQ(button.fsStyle, BTNS_DROPDOWN);

    EXPECT_TRUE(bar.CheckButton(1101));
    EXPECT_TRUE(bar.IsButtonChecked(1101));
    EXPECT_EQ(bar.GetState(1101), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_TRUE(bar.EnableButton(1101, FALSE));
    EXPECT_FALSE(bar.IsButtonEnabled(1101));
    EXPECT_TRUE(bar.HideButton(1102));
    EXPECT_TRUE(bar.IsButtonHidden(1102));
    EXPECT_TRUE(bar.SetState(1102, TBSTATE_ENABLED));
    EXPECT_EQ(bar.GetState(1102), TBSTATE_ENABLED);
    EXPECT_EQ(bar.GetState(999), -1);

    TBBUTTONINFO info{};
    info.dwMask = TBIF_STATE | TBIF_STYLE;
    EXPECT_TRUE(bar.GetButtonInfo(1102, &info));
    EXPECT_EQ(info.fsStyle, BTNS_DROPDOWN);
    EXPECT_FALSE(bar.GetButtonInfo(999, &info));

    EXPECT_TRUE(bar.DeleteButton(1));
    EXPECT_EQ(bar.CommandToIndex(1102), 1u);
}

TEST_F(ToolBarCtrlWrapperTest, GeometryAndStyles) {
    EXPECT_EQ(bar.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS), 0u);
    EXPECT_EQ(bar.GetExtendedStyle(), static_cast<DWORD>(TBSTYLE_EX_DRAWDDARROWS));
    EXPECT_NE(bar.GetStyle() & TBSTYLE_FLAT, 0u);

    CRect byIndex;
    CRect byCommand;
    ASSERT_TRUE(bar.GetItemRect(2, &byIndex));
    ASSERT_TRUE(bar.GetRect(1102, &byCommand));
    EXPECT_EQ(byIndex, byCommand);
    CPoint inside = byIndex.CenterPoint();
    EXPECT_EQ(bar.HitTest(&inside), 2);
    EXPECT_FALSE(bar.GetRect(999, &byCommand));

    // A press on the drop-down arrow asks the owner what to do.
    POINT press{byIndex.right - 3, byIndex.CenterPoint().y};
    bar.ClientToScreen(&press);
    platform::InjectMouse(MOUSEEVENTF_LEFTDOWN, press);
    platform::InjectMouse(MOUSEEVENTF_LEFTUP, press);
    platform::PumpUntilIdle();
    EXPECT_EQ(dropDowns, std::vector<int>{1102});
}

// Each list member answers with the object of the list used before: the program's own when one is
// attached, otherwise a temporary object that leaves the list alone.
TEST_F(ToolBarCtrlWrapperTest, ImageListsComeBackAsTheirObjects) {
    CImageList normal;
    CImageList hot;
    ASSERT_TRUE(normal.Create(32, 32, ILC_COLOR24 | ILC_MASK, 13, 0));
    ASSERT_TRUE(hot.Create(32, 32, ILC_COLOR24 | ILC_MASK, 13, 0));
    EXPECT_EQ(bar.SetImageList(&normal), nullptr);
    EXPECT_EQ(bar.SetHotImageList(&hot), nullptr);
    EXPECT_EQ(bar.SetDisabledImageList(&hot), nullptr);
    EXPECT_EQ(bar.GetImageList(), &normal);
    EXPECT_EQ(bar.GetHotImageList(), &hot);
    EXPECT_EQ(bar.GetDisabledImageList(), &hot);
    EXPECT_EQ(bar.SetImageList(&hot), &normal);
    EXPECT_EQ(bar.SetDisabledImageList(nullptr), &hot);
    EXPECT_EQ(bar.GetDisabledImageList(), nullptr);

    HIMAGELIST loose = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    bar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(loose));
    CImageList* temporary = bar.GetImageList();
    ASSERT_NE(temporary, nullptr);
    EXPECT_NE(temporary, &hot);
    EXPECT_EQ(temporary->GetSafeHandle(), loose);
    EXPECT_EQ(CImageList::FromHandle(loose), temporary);
    EXPECT_EQ(CImageList::FromHandlePermanent(loose), nullptr);

    // Once an object owns the list, it is the one given back.
    CImageList owner;
    ASSERT_TRUE(owner.Attach(loose));
    EXPECT_EQ(bar.GetImageList(), &owner);
    CImageList second;
    EXPECT_FALSE(second.Attach(loose));
    EXPECT_EQ(owner.Detach(), loose);
    EXPECT_EQ(CImageList::FromHandlePermanent(loose), nullptr);
    EXPECT_EQ(CImageList::FromHandle(nullptr), nullptr);
    bar.SendMessage(TB_SETIMAGELIST, 0, 0);
    ImageList_Destroy(loose);
}

}  // namespace
