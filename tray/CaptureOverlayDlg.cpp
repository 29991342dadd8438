#include "tray/CaptureOverlayDlg.h"

#include <algorithm>
#include <cstdio>

#include "platform/drawing/Brush.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "resources/dvtp/resource.h"
#include "tray/HookLibrary.h"
#include "tray/TrayApp.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kBoxMargin = 20;

void DrawFrame(HDC dc, const RECT& rect) {
    HBRUSH red = ::CreateSolidBrush(kRed);
    ::FrameRect(dc, &rect, red);
    ::DeleteObject(red);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCaptureOverlayDlg, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CCaptureOverlayDlg::CCaptureOverlayDlg() : CDialog(IDD_CAPTURE_OVERLAY) {}

void CCaptureOverlayDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OVERLAY_TEXT, infoStatic_);
}

BOOL CCaptureOverlayDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HookLibrary().InstallCaptureHooks(m_hWnd);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    result = 0;
    first_.x = -1;
    second_.x = -1;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, kBoxMargin, kBoxMargin, 0, 0, SWP_NOSIZE);
    return TRUE;
}

BOOL CCaptureOverlayDlg::DestroyWindow() {
    RestoreScreen();
    return CDialog::DestroyWindow();
}

BOOL CCaptureOverlayDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        return TRUE;
    }
    if (pMsg->message == WM_HOOK_KEY && pMsg->wParam == VK_ESCAPE) {
        SendMessage(WM_CLOSE);
    } else if (pMsg->message == WM_HOOK_MOUSE) {
        OnHookMouse(static_cast<int>(pMsg->wParam & 7), GET_X_LPARAM(pMsg->lParam),
                    GET_Y_LPARAM(pMsg->lParam));
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CCaptureOverlayDlg::OnHookMouse(int button, int x, int y) {
    if (button == 4) {
        if (mode == kWindowMode) {
            result = 0;
            SendMessage(WM_CLOSE);
            return;
        }
        if (first_.x != -1) {
            first_.x = -1;
            second_.x = -1;
            framed_ = false;
            RestoreScreen();
        }
    } else if (button == 1) {
        if (mode == kWindowMode) {
            result = 1;
            SendMessage(WM_CLOSE);
            return;
        }
        if (first_.x == -1) {
            first_ = {x, y};
        } else if (second_.x == -1) {
            second_ = {x, y};
        } else {
            result = 1;
            SendMessage(WM_CLOSE);
            return;
        }
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    // The box keeps out of the pointer's way: to the right edge and back.
    bool forced = false;
    CRect box;
    GetWindowRect(&box);
    if (y - 10 < box.bottom) {
        int left = box.left;
        if (box.left == kBoxMargin && x - 30 < box.right) {
            left = screenWidth - kBoxMargin - box.Width();
        } else if (box.left != kBoxMargin && x + 30 > box.left) {
            left = kBoxMargin;
        }
        if (left != box.left) {
            ::SetWindowPos(m_hWnd, nullptr, left, box.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
            RestoreScreen();
            RedrawWindow();
            forced = true;
        }
    }
    if (mode == kWindowMode) {
        TrackWindow(x, y, forced);
    } else {
        TrackArea(x, y);
    }
}

void CCaptureOverlayDlg::EraseFrame(HDC display) {
    if (!framed_ || screenPicture == nullptr) {
        return;
    }
    HDC memory = ::CreateCompatibleDC(display);
    HGDIOBJ old = ::SelectObject(memory, screenPicture);
    const RECT grown{currentRect.left - 2, currentRect.top - 2, currentRect.right + 2,
                     currentRect.bottom + 2};
    ::BitBlt(display, grown.left, grown.top, grown.right - grown.left, grown.bottom - grown.top,
             memory, grown.left, grown.top, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CCaptureOverlayDlg::SetRectangleText(const char* heading, const char* hints) {
    char text[512];
    std::snprintf(text, sizeof text, "\r\n%s\r\n位置 左:%d, 上:%d, 宽:%d, 高:%d\r\n%s", heading,
                  static_cast<int>(currentRect.left), static_cast<int>(currentRect.top),
                  static_cast<int>(currentRect.right - currentRect.left),
                  static_cast<int>(currentRect.bottom - currentRect.top), hints);
    SetInfoText(text);
}

void CCaptureOverlayDlg::TrackWindow(int x, int y, bool forced) {
    HWND under = ::WindowFromPoint(POINT{x, y});
    if (under == currentWindow_ && !forced) {
        return;
    }
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display != nullptr) {
        EraseFrame(display);
    }
    RECT rect{};
    if (under != nullptr) {
        ::GetWindowRect(under, &rect);
    }
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, screenWidth);
    rect.bottom = std::min<LONG>(rect.bottom, screenHeight);
    if (display != nullptr) {
        DrawFrame(display, rect);
    }
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (display != nullptr) {
        DrawFrame(display, rect);
        ::DeleteDC(display);
    }
    currentWindow_ = under;
    currentRect = rect;
    framed_ = true;
    SetRectangleText("截取指定窗口", "\r\n按鼠标左键确定截屏\r\n按ESC或鼠标右键退出截屏");
}

void CCaptureOverlayDlg::TrackArea(int x, int y) {
    if (first_.x == -1) {
        SetInfoText(
            "\r\n按鼠标左键确定区域第一点和第二点\r\n\r\n按鼠标右键取消区域第一点和第二点\r\n"
            "\r\n按ESC退出截屏");
        return;
    }
    if (second_.x != -1) {
        return;
    }
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display != nullptr) {
        EraseFrame(display);
    }
    RECT rect{std::min<LONG>(first_.x, x), std::min<LONG>(first_.y, y), std::max<LONG>(first_.x, x),
              std::max<LONG>(first_.y, y)};
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, screenWidth);
    rect.bottom = std::min<LONG>(rect.bottom, screenHeight);
    if (display != nullptr) {
        DrawFrame(display, rect);
        ::DeleteDC(display);
    }
    currentRect = rect;
    framed_ = true;
    SetRectangleText("截取指定区域",
                     "\r\n按鼠标左键确定区域第一点和第二点\r\n按鼠标右键取消区域第一点和第二点\r\n"
                     "按ESC退出截屏");
}

void CCaptureOverlayDlg::RestoreScreen() {
    if (screenPicture == nullptr) {
        return;
    }
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display == nullptr) {
        return;
    }
    HDC memory = ::CreateCompatibleDC(display);
    HGDIOBJ old = ::SelectObject(memory, screenPicture);
    ::BitBlt(display, 0, 0, screenWidth, screenHeight, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteDC(display);
}

void CCaptureOverlayDlg::SetInfoText(const CString& text) {
    infoText_ = text;
    CClientDC dc(this);
    DrawInfoBox(&dc);
}

void CCaptureOverlayDlg::DrawInfoBox(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(0xE6, 0xE6, 0xC8));
    CBrush black(RGB(0, 0, 0));
    dc->FrameRect(&client, &black);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 255));
    HGDIOBJ oldFont = ::SelectObject(dc->GetSafeHdc(), TrayFont());
    client.left += 5;
    client.top += 5;
    dc->DrawText(infoText_, &client, 0);
    ::SelectObject(dc->GetSafeHdc(), oldFont);
}

void CCaptureOverlayDlg::OnPaint() {
    CPaintDC paint(this);
    CClientDC dc(this);
    DrawInfoBox(&dc);
}

BOOL CCaptureOverlayDlg::OnEraseBkgnd(CDC*) {
    CClientDC dc(this);
    DrawInfoBox(&dc);
    return TRUE;
}
