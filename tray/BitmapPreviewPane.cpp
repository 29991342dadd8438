#include "tray/BitmapPreviewPane.h"

#include <algorithm>

#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"

BEGIN_MESSAGE_MAP(CBitmapPreviewPane, CDialog)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CBitmapPreviewPane::~CBitmapPreviewPane() = default;

BOOL CBitmapPreviewPane::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

void CBitmapPreviewPane::OnDestroy() {
    DeleteBitmap();
    CDialog::OnDestroy();
}

int CBitmapPreviewPane::SetBitmap(int width, int height, HBITMAP picture) {
    DetachBitmap();
    width_ = width;
    height_ = height;
    // Without a picture the pane stays white.
    if (picture != nullptr) {
        picture_ = std::make_unique<CBitmap>();
        picture_->Attach(picture);
    }
    UpdateScrollBars();
    Invalidate();
    return 0;
}

void CBitmapPreviewPane::UpdateScrollBars() {
    if (m_hWnd == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    SetScrollRange(SB_VERT, 0, std::max(0, height_ - client.Height()), FALSE);
    SetScrollRange(SB_HORZ, 0, std::max(0, width_ - client.Width()), FALSE);
    SetScrollPos(SB_VERT, 0, FALSE);
    SetScrollPos(SB_HORZ, 0, TRUE);
}

void CBitmapPreviewPane::DetachBitmap() {
    if (picture_ != nullptr) {
        picture_->Detach();
        picture_.reset();
    }
}

int CBitmapPreviewPane::DeleteBitmap() {
    picture_.reset();
    return 0;
}

void CBitmapPreviewPane::Scroll(int bar, UINT code, UINT position) {
    int low = 0;
    int high = 0;
    GetScrollRange(bar, &low, &high);
    int at = GetScrollPos(bar);
    switch (code) {
        case SB_LINEUP:
            at = at > low ? at - 1 : at;
            break;
        case SB_LINEDOWN:
            at = at < high ? at + 1 : at;
            break;
        case SB_PAGEUP:
            at -= 10;
            break;
        case SB_PAGEDOWN:
            at += 10;
            break;
        case SB_THUMBPOSITION:
            at = static_cast<int>(position);
            break;
        case SB_TOP:
            at = low;
            break;
        case SB_BOTTOM:
            at = high;
            break;
        default:
            break;
    }
    SetScrollPos(bar, std::clamp(at, low, std::max(low, high)));
    Invalidate();
}

void CBitmapPreviewPane::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    Scroll(SB_HORZ, nSBCode, nPos);
}

void CBitmapPreviewPane::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    Scroll(SB_VERT, nSBCode, nPos);
}

void CBitmapPreviewPane::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    UpdateScrollBars();
}

void CBitmapPreviewPane::DrawBitmap(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    if (picture_ == nullptr) {
        dc->FillSolidRect(&client, RGB(255, 255, 255));
        return;
    }
    const int x0 = width_ < client.Width() ? 0 : GetScrollPos(SB_HORZ);
    const int y0 = height_ < client.Height() ? 0 : GetScrollPos(SB_VERT);
    CDC source;
    source.CreateCompatibleDC(dc);
    CBitmap* old = source.SelectObject(picture_.get());
    dc->BitBlt(0, 0, client.Width(), client.Height(), &source, x0, y0, SRCCOPY);
    source.SelectObject(old);
    if (client.Width() > width_) {
        dc->FillSolidRect(width_, 0, client.Width() - width_, client.Height(), RGB(0, 0, 0));
    }
    if (client.Height() > height_) {
        dc->FillSolidRect(0, height_, client.Width(), client.Height() - height_, RGB(0, 0, 0));
    }
}

void CBitmapPreviewPane::OnPaint() {
    CPaintDC paint(this);
    CClientDC dc(this);
    DrawBitmap(&dc);
}

BOOL CBitmapPreviewPane::OnEraseBkgnd(CDC*) {
    CClientDC dc(this);
    DrawBitmap(&dc);
    return TRUE;
}
