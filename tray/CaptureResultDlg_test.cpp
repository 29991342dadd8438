#include "tray/CaptureResultDlg.h"

#include <gtest/gtest.h>

#include "platform/controls/ControlClasses.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WinThread.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"
#include "resources/dvtp/resource.h"
#include "tray/TrayTest.h"

namespace {

using ResultDialog = platform::testing::ScriptedDialog<CCaptureResultDlg>;

class CaptureResultDlgTest : public tray_testing::TrayWindowTest {
protected:
    static HBITMAP Picture(int width, int height) {
        HDC screen = ::GetDC(nullptr);
        HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        return picture;
    }
    // Gives the preview the client size cx x cy.
    static void SizePreview(HWND dialog, int cx, int cy) {
        RECT window{};
        RECT client{};
        ::GetWindowRect(dialog, &window);
        ::GetClientRect(dialog, &client);
        const int frameX = (window.right - window.left) - client.right;
        const int frameY = (window.bottom - window.top) - client.bottom;
        ::MoveWindow(dialog, 0, 0, cx + 4 + frameX, cy + 62 + frameY, TRUE);
        platform::PumpUntilIdle();
    }
};

TEST_F(CaptureResultDlgTest, ALargePictureScrollsAndOnlyTheButtonsEndTheDialog) {
    ResultDialog dialog;
    dialog.SetResult("屏捕信息 [宽=2000, 高=1500]", 2000, 1500, Picture(2000, 1500));
    dialog.script = [&](ResultDialog& live) {
        HWND pane = live.preview().m_hWnd;
        RECT paneClient{};
        SizePreview(live.m_hWnd, 800, 500);
        ::GetClientRect(pane, &paneClient);
        int low = 0;
        int high = 0;
        ::GetScrollRange(pane, SB_HORZ, &low, &high);
        EXPECT_EQ(high, 2000 - paneClient.right);
        ::GetScrollRange(pane, SB_VERT, &low, &high);
        EXPECT_EQ(high, 1500 - paneClient.bottom);
        // The preview keeps 2 pixels from the sides and the bottom, 60 below the top.
        RECT pane_in_dialog{};
        ::GetWindowRect(pane, &pane_in_dialog);
        ::MapWindowPoints(nullptr, live.m_hWnd, reinterpret_cast<POINT*>(&pane_in_dialog), 2);
        EXPECT_EQ(pane_in_dialog.left, 2);
        EXPECT_EQ(pane_in_dialog.top, 60);
        ::SendMessageA(pane, WM_VSCROLL, SB_PAGEDOWN, 0);
        ::SendMessageA(pane, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(::GetScrollPos(pane, SB_VERT), 11);
        ::SendMessageA(pane, WM_VSCROLL, SB_BOTTOM, 0);
        ::SendMessageA(pane, WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_EQ(::GetScrollPos(pane, SB_VERT), high);

        // Enter and Esc do nothing.
        platform::InjectKey(VK_RETURN, true);
        platform::InjectKey(VK_ESCAPE, true);
        platform::PumpUntilIdle();
        EXPECT_TRUE(::IsWindowVisible(live.m_hWnd));
        live.SendMessage(WM_COMMAND, IDC_CAPTURE_WINDOW, 0);
    };
    dialog.DoModal();
    EXPECT_EQ(dialog.nextAction(), CCaptureResultDlg::kWindow);
}

TEST_F(CaptureResultDlgTest, ASmallPictureDoesNotScrollAndTheCloseBoxChainsNothing) {
    ResultDialog dialog;
    dialog.SetResult("屏捕信息 [宽=100, 高=50]", 100, 50, Picture(100, 50));
    dialog.script = [&](ResultDialog& live) {
        HWND pane = live.preview().m_hWnd;
        int low = 0;
        int high = 0;
        ::GetScrollRange(pane, SB_HORZ, &low, &high);
        EXPECT_EQ(high, 0);
        ::GetScrollRange(pane, SB_VERT, &low, &high);
        EXPECT_EQ(high, 0);
        live.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    dialog.DoModal();
    EXPECT_EQ(dialog.nextAction(), CCaptureResultDlg::kNone);
    EXPECT_FALSE(dialog.preview().HasBitmap());
}

TEST_F(CaptureResultDlgTest, WithoutAPictureThePreviewIsWhite) {
    ResultDialog dialog;
    dialog.SetResult("屏捕信息 [宽=0, 高=0]", 0, 0, nullptr);
    dialog.script = [&](ResultDialog& live) {
        platform::PumpUntilIdle();
        HWND pane = live.preview().m_hWnd;
        HDC dc = ::GetDC(pane);
        EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 255, 255));
        ::ReleaseDC(pane, dc);
        live.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    dialog.DoModal();
    EXPECT_EQ(dialog.nextAction(), CCaptureResultDlg::kNone);
}

}  // namespace
