#include "platform/framework/Button.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/IconApi.h"
#include "platform/drawing/Surface.h"
#include "platform/framework/WrapperTest.h"
#include "platform/windows/WindowPlatform.h"

namespace {

constexpr COLORREF kFill = RGB(200, 30, 40);

struct Drawing {
    UINT type;
    UINT id;
    UINT action;
    UINT state;
    HWND item;
    RECT rect;
};

// An owner-drawn button of a program: fills itself and remembers how it was asked.
class CFillButton : public CButton {
public:
    std::vector<Drawing> drawings;

    void DrawItem(LPDRAWITEMSTRUCT item) override {
        drawings.push_back({item->CtlType, item->CtlID, item->itemAction, item->itemState,
                            item->hwndItem, item->rcItem});
        CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, kFill);
    }
};

class ButtonWrapperTest : public platform::testing::WrapperTest {
protected:
    ButtonWrapperTest() : WrapperTest(300, 200) {}

    COLORREF PixelAt(const CWnd& window, int x, int y) {
        POINT point{x, y};
        window.ClientToScreen(&point);
        return platform::ColorFromPixel(platform::CaptureScreen().At(point.x, point.y));
    }
};

TEST_F(ButtonWrapperTest, CheckAndStateAreTheControls) {
    CButton box;
    ASSERT_TRUE(
        box.Create("选项", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 110, 30), &host, 1031));
    EXPECT_EQ(box.GetDlgCtrlID(), 1031);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_EQ(host.IsDlgButtonChecked(1031), static_cast<UINT>(BST_CHECKED));

    box.SetState(TRUE);
    EXPECT_EQ(box.GetState(), static_cast<UINT>(BST_CHECKED | BST_PUSHED));
    box.SetState(FALSE);
    EXPECT_EQ(box.GetState(), static_cast<UINT>(BST_CHECKED));

    // A click toggles the box before the parent hears of it.
    box.SendMessage(BM_CLICK);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(host.commands, std::vector<WPARAM>{MAKEWPARAM(1031, BN_CLICKED)});
}

TEST_F(ButtonWrapperTest, StyleAndPicturesAreSetAndReadBack) {
    CButton button;
    ASSERT_TRUE(button.Create("确定", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 34), &host, 1));
    EXPECT_EQ(button.GetButtonStyle(), static_cast<UINT>(BS_PUSHBUTTON));
    button.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(button.GetButtonStyle(), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(button.GetStyle() & WS_VISIBLE, static_cast<DWORD>(WS_VISIBLE));

    HBITMAP first = ::CreateBitmap(4, 4, 1, 32, nullptr);
    HBITMAP second = ::CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_EQ(button.SetBitmap(first), nullptr);
    EXPECT_EQ(button.SetBitmap(second), first);
    EXPECT_EQ(button.GetBitmap(), second);
    EXPECT_EQ(button.GetIcon(), nullptr);

    HBITMAP mask = ::CreateBitmap(16, 32, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = ::CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(button.SetIcon(icon), nullptr);
    EXPECT_EQ(button.GetIcon(), icon);
    EXPECT_EQ(button.GetBitmap(), second);

    button.DestroyWindow();
    ::DestroyIcon(icon);
    ::DeleteObject(mask);
    ::DeleteObject(first);
    ::DeleteObject(second);
}

TEST_F(ButtonWrapperTest, AnOwnerDrawnButtonDrawsItselfThroughReflection) {
    CFillButton button;
    ASSERT_TRUE(
        button.Create("progress", WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 120, 40), &host, 1108));
    platform::PumpUntilIdle();
    ASSERT_FALSE(button.drawings.empty());
    const Drawing& first = button.drawings.front();
    EXPECT_EQ(first.type, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(first.id, 1108u);
    EXPECT_EQ(first.action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(first.state, 0u);
    EXPECT_EQ(first.item, button.m_hWnd);
    EXPECT_EQ(first.rect.right, 100);
    EXPECT_EQ(first.rect.bottom, 20);
    EXPECT_EQ(PixelAt(button, 50, 10), kFill);

    button.drawings.clear();
    button.EnableWindow(FALSE);
    platform::PumpUntilIdle();
    ASSERT_FALSE(button.drawings.empty());
    EXPECT_EQ(button.drawings.back().state, static_cast<UINT>(ODS_DISABLED));
}

TEST_F(ButtonWrapperTest, AButtonTakenOverFromItsParentIsDrawnByTheObject) {
    platform::RegisterButtonClass();
    HWND raw = ::CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 60,
                                 20, host.m_hWnd, reinterpret_cast<HMENU>(1005), nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    platform::PumpUntilIdle();
    CFillButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1005, &host));
    EXPECT_TRUE(button.drawings.empty());
    button.Invalidate();
    platform::PumpUntilIdle();
    ASSERT_EQ(button.drawings.size(), 1u);
    EXPECT_EQ(button.drawings[0].id, 1005u);
    EXPECT_EQ(PixelAt(button, 30, 10), kFill);
}

}  // namespace
