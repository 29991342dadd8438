#include "platform/framework/Static.h"

#include <gtest/gtest.h>

#include "platform/drawing/IconApi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class CLabel : public CStatic {
public:
    int draws = 0;
    UINT type = 0;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++draws;
        type = item->CtlType;
    }
};

class StaticWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystemForTesting();
        platform::InstallScreen();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200,
                                  nullptr, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        platform::ResetWindowSystemForTesting();
    }

    CWnd host;
};

TEST_F(StaticWrapperTest, TextAndPicturesAreTheControls) {
    CStatic label;
    ASSERT_TRUE(label.Create("己过滤", WS_VISIBLE | SS_LEFT, CRect(0, 0, 100, 20), &host, 1032));
    EXPECT_EQ(label.GetDlgCtrlID(), 1032);
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(text, "己过滤");

    CStatic picture;
    ASSERT_TRUE(
        picture.Create("", WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, CRect(0, 30, 40, 70), &host));
    EXPECT_EQ(picture.GetDlgCtrlID(), 0xFFFF);
    HBITMAP first = ::CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP second = ::CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(picture.SetBitmap(first), nullptr);
    EXPECT_EQ(picture.SetBitmap(second), first);
    EXPECT_EQ(picture.GetBitmap(), second);

    CStatic icon;
    ASSERT_TRUE(
        icon.Create("", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, CRect(50, 30, 90, 70), &host, 1004));
    HBITMAP mask = ::CreateBitmap(16, 32, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON handle = ::CreateIconIndirect(&info);
    EXPECT_EQ(icon.SetIcon(handle), nullptr);
    EXPECT_EQ(icon.GetIcon(), handle);

    picture.DestroyWindow();
    icon.DestroyWindow();
    ::DestroyIcon(handle);
    ::DeleteObject(mask);
    ::DeleteObject(first);
    ::DeleteObject(second);
}

TEST_F(StaticWrapperTest, AnOwnerDrawnStaticDrawsItselfThroughReflection) {
    CLabel label;
    ASSERT_TRUE(label.Create("", WS_VISIBLE | SS_OWNERDRAW, CRect(0, 0, 100, 20), &host, 1051));
    platform::PumpUntilIdle();
    EXPECT_GE(label.draws, 1);
    EXPECT_EQ(label.type, static_cast<UINT>(ODT_STATIC));
}

}  // namespace
