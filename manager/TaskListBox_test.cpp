#include "manager/TaskListBox.h"

#include <gtest/gtest.h>

#include <string>

#include "manager/ManagerTest.h"
#include "platform/screen/ScreenApi.h"

namespace manager_testing {
namespace {

std::string Row(const char* text, int width) {
    return std::string(CTaskListBox::RowText(text, width));
}

TEST(TaskListBoxTest, RowsShowTheirFirstLineCutToTheWidthWithoutHalfACharacter) {
    // 200 pixels hold (200 - 24) / 6 = 29 bytes.
    EXPECT_EQ(Row("abc\ndef", 200), "abc");
    EXPECT_EQ(Row(std::string(29, 'x').c_str(), 200), std::string(29, 'x'));
    EXPECT_EQ(Row(std::string(30, 'x').c_str(), 200), std::string(29, 'x') + "...");
    std::string chinese = "a";
    for (int i = 0; i < 20; ++i) {
        chinese += "中";
    }
    EXPECT_EQ(Row(chinese.c_str(), 200), chinese.substr(0, 29) + "...");
    // 28 bytes would end in half of the fourteenth character.
    EXPECT_EQ(Row(chinese.c_str(), 192), chinese.substr(0, 27) + "...");
    EXPECT_EQ(Row("abc", 10), "...");
}

class TaskListBoxDrawTest : public ManagerDialogTest {
protected:
    void SetUp() override {
        ManagerDialogTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                   0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                CRect(0, 0, 230, 200), &owner, 1001));
    }
    void TearDown() override {
        list.DestroyWindow();
        owner.DestroyWindow();
        ManagerDialogTest::TearDown();
    }

    CWnd owner;
    CTaskListBox list;
};

TEST_F(TaskListBoxDrawTest, TheSelectedRowIsHighlightedOverItsTextWidthAndFramedWithTheFocus) {
    list.AddString("abc");
    list.AddString("de");
    list.SetCurSel(1);
    list.SetFocus();
    platform::PumpUntilIdle();
    CRect second;
    list.GetItemRect(1, &second);
    EXPECT_EQ(second, CRect(0, 20, 230, 40));
    const platform::Surface picture = platform::CaptureWindow(list.m_hWnd);
    const auto at = [&](int x, int y) { return platform::ColorFromPixel(picture.At(x, y)); };
    // The highlight starts after the number and is 6 pixels a byte plus 6 wide, a row less a
    // pixel above and below; the focus frame is its edge.
    const COLORREF frame = RGB(0x6F, 0x6F, 0x6F);
    EXPECT_EQ(at(30, 30), frame);
    EXPECT_EQ(at(47, 30), frame);
    EXPECT_EQ(at(40, 21), frame);
    EXPECT_EQ(at(40, 38), frame);
    EXPECT_EQ(at(46, 22), RGB(222, 222, 155));
    EXPECT_EQ(at(48, 30), RGB(255, 255, 255));
    EXPECT_EQ(at(40, 20), RGB(255, 255, 255));
    EXPECT_EQ(at(40, 39), RGB(255, 255, 255));
    // The numbers stand black left of the text, and the unselected row has no highlight.
    const auto hasBlack = [&](int left, int right, int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (at(x, y) == RGB(0, 0, 0)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(hasBlack(1, 31, 0, 20));
    EXPECT_TRUE(hasBlack(1, 31, 20, 40));
    for (int x = 30; x < 60; ++x) {
        EXPECT_NE(at(x, 1), RGB(222, 222, 155));
        EXPECT_NE(at(x, 1), frame);
    }
}

}  // namespace
}  // namespace manager_testing
