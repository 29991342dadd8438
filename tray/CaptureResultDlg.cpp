#include "tray/CaptureResultDlg.h"

#include "platform/framework/DataExchangeFunctions.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "resources/dvtp/resource.h"
#include "tray/TrayApp.h"

namespace {
constexpr COLORREF kBackground = RGB(0x59, 0x70, 0xC8);
}

BEGIN_MESSAGE_MAP(CCaptureResultDlg, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_COMMAND(IDC_CAPTURE_FULL, OnCaptureFull)
ON_COMMAND(IDC_CAPTURE_WINDOW, OnCaptureWindow)
ON_COMMAND(IDC_CAPTURE_AREA, OnCaptureArea)
ON_COMMAND(IDC_CLOSE_RESULT, OnCloseResult)
END_MESSAGE_MAP()

CCaptureResultDlg::CCaptureResultDlg() : CDialog(IDD_CAPTURE_RESULT) {}

// A picture that never reached the preview (the dialog did not open) is freed here.
CCaptureResultDlg::~CCaptureResultDlg() {
    if (picture_ != nullptr) {
        ::DeleteObject(picture_);
    }
}

void CCaptureResultDlg::SetResult(const CString& description, int width, int height,
                                  HBITMAP picture) {
    description_ = description;
    width_ = width;
    height_ = height;
    picture_ = picture;
}

void CCaptureResultDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLOSE_RESULT, closeButton_);
    DDX_Control(pDX, IDC_CAPTURE_WINDOW, windowButton_);
    DDX_Control(pDX, IDC_CAPTURE_AREA, areaButton_);
    DDX_Control(pDX, IDC_CAPTURE_FULL, fullButton_);
    DDX_Control(pDX, IDC_CAPTURE_DESCRIPTION, descriptionStatic_);
}

BOOL CCaptureResultDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    preview_.Create(IDD_PREVIEW_PANE, this);
    descriptionStatic_.SetWindowText(description_);
    // From here on the preview owns the picture.
    preview_.SetBitmap(width_, height_, picture_);
    picture_ = nullptr;
    preview_.ShowWindow(SW_SHOW);
    background_.CreateSolidBrush(kBackground);
    LayoutControls();
    SendMessage(WM_SETICON, ICON_BIG,
                reinterpret_cast<LPARAM>(AfxGetApp()->LoadIcon(IDR_MAINFRAME)));
    // Brought forward as the active window without a click of its own.
    BringWindowToTop();
    SetForegroundWindow();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CCaptureResultDlg::LayoutControls() {
    if (preview_.m_hWnd == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    painter_.ResetRects();
    painter_.AddRect(client);
    const CRect pane(client.left + 2, client.top + 60, client.right - 2, client.bottom - 2);
    preview_.MoveWindow(pane.left, pane.top, pane.Width(), pane.Height());
    painter_.AddRect(pane);
    for (UINT id : {IDC_CAPTURE_FULL, IDC_CAPTURE_WINDOW, IDC_CAPTURE_AREA, IDC_CLOSE_RESULT}) {
        if (CWnd* button = GetDlgItem(static_cast<int>(id))) {
            painter_.AddWindowRect(this, button);
        }
    }
    painter_.SplitRects();
}

void CCaptureResultDlg::DrawDialog(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    CDC* memory = painter_.BeginDraw(dc, client);
    if (memory == nullptr) {
        return;
    }
    HGDIOBJ oldFont = ::SelectObject(memory->GetSafeHdc(), TrayFont());
    memory->FillRect(&client, &background_);
    CString text;
    descriptionStatic_.GetWindowText(text);
    memory->TextOut(client.left + 10, client.top + 45, text);
    CRect pane;
    preview_.GetWindowRect(&pane);
    ScreenToClient(&pane);
    pane.InflateRect(1, 1);
    CBrush black(RGB(0, 0, 0));
    memory->FrameRect(&pane, &black);
    pane.InflateRect(1, 1);
    CBrush white(RGB(255, 255, 255));
    memory->FrameRect(&pane, &white);
    ::SelectObject(memory->GetSafeHdc(), oldFont);
    painter_.EndDraw(dc, FALSE);
}

void CCaptureResultDlg::OnPaint() {
    CPaintDC paint(this);
    CClientDC dc(this);
    DrawDialog(&dc);
}

BOOL CCaptureResultDlg::OnEraseBkgnd(CDC*) {
    CClientDC dc(this);
    DrawDialog(&dc);
    return TRUE;
}

void CCaptureResultDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutControls();
}

HBRUSH CCaptureResultDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_CAPTURE_DESCRIPTION) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 255, 255));
    }
    return static_cast<HBRUSH>(background_.GetSafeHandle());
}

BOOL CCaptureResultDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CCaptureResultDlg::End(int action) {
    nextAction_ = action;
    EndDialog(IDCANCEL);
    preview_.DeleteBitmap();
}

void CCaptureResultDlg::OnCaptureFull() {
    End(kFullScreen);
}

void CCaptureResultDlg::OnCaptureWindow() {
    End(kWindow);
}

void CCaptureResultDlg::OnCaptureArea() {
    End(kArea);
}

void CCaptureResultDlg::OnCloseResult() {
    End(kNone);
}
