#include "platform/controls/Caret.h"

#include <gtest/gtest.h>

#include "platform/windows/WindowTest.h"

namespace platform {
namespace {

class CaretTest : public testing::WindowTest {
protected:
    void TearDown() override {
        DestroyCaret();
        WindowTest::TearDown();
    }
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(CaretTest, ANewCaretIsHiddenUntilShownAsOftenAsHidden) {
    HWND owner = TopLevel();
    ASSERT_TRUE(CreateCaret(owner, nullptr, 2, 14));
    EXPECT_FALSE(VisibleCaret(owner).has_value());
    ASSERT_TRUE(ShowCaret(owner));
    ASSERT_TRUE(VisibleCaret(owner).has_value());
    EXPECT_TRUE(SameRect(*VisibleCaret(owner), RECT{0, 0, 2, 14}));
    EXPECT_TRUE(HideCaret(nullptr));
    EXPECT_TRUE(HideCaret(owner));
    EXPECT_TRUE(ShowCaret(owner));
    EXPECT_FALSE(VisibleCaret(owner).has_value());
    EXPECT_TRUE(ShowCaret(nullptr));
    EXPECT_TRUE(VisibleCaret(owner).has_value());
    // Showing more often than hidden does not bank shows.
    EXPECT_TRUE(ShowCaret(owner));
    EXPECT_TRUE(HideCaret(owner));
    EXPECT_FALSE(VisibleCaret(owner).has_value());
}

TEST_F(CaretTest, OnlyTheOwnerShowsAndMovingInvalidatesBothPlaces) {
    HWND owner = TopLevel();
    HWND other = TopLevel();
    ASSERT_TRUE(CreateCaret(owner, nullptr, 0, 10));
    EXPECT_FALSE(ShowCaret(other));
    EXPECT_FALSE(HideCaret(other));
    ASSERT_TRUE(ShowCaret(owner));
    PumpUntilIdle();
    ValidateRect(owner, nullptr);
    ASSERT_TRUE(SetCaretPos(40, 20));
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(owner, &update, FALSE));
    EXPECT_TRUE(SameRect(update, RECT{0, 0, 40 + GetSystemMetrics(SM_CXBORDER), 30}));
    POINT position{};
    ASSERT_TRUE(GetCaretPos(&position));
    EXPECT_EQ(position.x, 40);
    EXPECT_EQ(position.y, 20);
    EXPECT_FALSE(VisibleCaret(other).has_value());
}

TEST_F(CaretTest, DestroyedOrMissingCaretFailsEveryCall) {
    HWND owner = TopLevel();
    EXPECT_FALSE(CreateCaret(nullptr, nullptr, 1, 1));
    EXPECT_FALSE(DestroyCaret());
    POINT position{7, 7};
    EXPECT_FALSE(GetCaretPos(&position));
    EXPECT_FALSE(SetCaretPos(1, 1));
    ASSERT_TRUE(CreateCaret(owner, nullptr, 1, 1));
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(ShowCaret(owner));
    EXPECT_FALSE(GetCaretPos(&position));
    EXPECT_FALSE(GetCaretPos(nullptr));
}

}  // namespace
}  // namespace platform
