// The messages of the rebar, each handed to the member that does the work.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ReBarControl.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

LRESULT ReBarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE:
            Create();
            return 0;
        case WM_SIZE:
            Resized();
            return 0;
        case WM_ERASEBKGND:
            return EraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            // The bands' windows talk to the window that owns the bar.
            return SendMessageA(notify_, message, wParam, lParam);
        case RB_INSERTBANDA:
            return InsertBand(static_cast<int>(static_cast<INT_PTR>(wParam)),
                              reinterpret_cast<const REBARBANDINFOA*>(lParam));
        case RB_DELETEBAND:
            return DeleteBand(index);
        case RB_SETBANDINFOA:
            return SetBandInfo(index, reinterpret_cast<const REBARBANDINFOA*>(lParam));
        case RB_GETBANDINFOA:
            return GetBandInfo(index, reinterpret_cast<REBARBANDINFOA*>(lParam));
        case RB_SETBARINFO:
            return SetBarInfo(reinterpret_cast<const REBARINFO*>(lParam));
        case RB_GETBARINFO:
            return GetBarInfo(reinterpret_cast<REBARINFO*>(lParam));
        case RB_SETPARENT:
            return SetNotifyWindow(reinterpret_cast<HWND>(wParam));
        case RB_HITTEST:
            return HitTest(reinterpret_cast<RBHITTESTINFO*>(lParam));
        case RB_GETRECT:
            return GetBandRect(index, reinterpret_cast<RECT*>(lParam));
        case RB_GETBANDBORDERS:
            return GetBandBorders(index, reinterpret_cast<RECT*>(lParam));
        case RB_GETBANDCOUNT:
            return Count();
        case RB_GETROWCOUNT:
            return static_cast<LRESULT>(rows_.size());
        case RB_GETROWHEIGHT:
            return RowHeight(index);
        case RB_GETBARHEIGHT:
            return height_;
        case RB_IDTOINDEX:
            return IndexOfId(static_cast<UINT>(wParam));
        case RB_SHOWBAND:
            return ShowBand(index, lParam != 0);
        case RB_MAXIMIZEBAND:
            MaximizeBand(index, lParam != 0);
            return 0;
        case RB_MINIMIZEBAND:
            MinimizeBand(index);
            return 0;
        case RB_SETBKCOLOR:
            return SetColor(background_, static_cast<COLORREF>(lParam));
        case RB_SETTEXTCOLOR:
            return SetColor(foreground_, static_cast<COLORREF>(lParam));
        case RB_GETBKCOLOR:
            return background_;
        case RB_GETTEXTCOLOR:
            return foreground_;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void ReBarControl::Create() {
    notify_ = GetParent(hwnd_);
    Changed();
}

// With RBS_AUTOSIZE the owner hears of every new size, and whether the bar's height changed.
void ReBarControl::Resized() {
    if (inLayout_) {
        return;
    }
    const int before = height_;
    Changed();
    if ((Style() & RBS_AUTOSIZE) != 0) {
        NMRBAUTOSIZE note{};
        note.fChanged = height_ != before;
        GetClientRect(hwnd_, &note.rcTarget);
        note.rcActual = RECT{0, 0, note.rcTarget.right, height_};
        Notify(note.hdr, RBN_AUTOSIZE);
    }
}

LRESULT ReBarControl::InsertBand(int index, const REBARBANDINFOA* info) {
    Band band;
    if (info == nullptr || !Apply(band, *info)) {
        return FALSE;
    }
    index = index < 0 || index > Count() ? Count() : index;
    bands_.insert(bands_.begin() + index, band);
    ShowChild(band);
    Changed();
    return TRUE;
}

LRESULT ReBarControl::DeleteBand(int index) {
    if (!Valid(index)) {
        return FALSE;
    }
    bands_.erase(bands_.begin() + index);
    Changed();
    return TRUE;
}

LRESULT ReBarControl::SetBandInfo(int index, const REBARBANDINFOA* info) {
    if (!Valid(index) || info == nullptr) {
        return FALSE;
    }
    Band& band = bands_[static_cast<size_t>(index)];
    const bool wasVisible = band.Visible();
    if (!Apply(band, *info)) {
        return FALSE;
    }
    if (wasVisible != band.Visible() || (info->fMask & RBBIM_CHILD) != 0) {
        ShowChild(band);
    }
    Changed();
    return TRUE;
}

LRESULT ReBarControl::GetBandInfo(int index, REBARBANDINFOA* info) const {
    if (!Valid(index) || info == nullptr || info->cbSize < REBARBANDINFOA_V3_SIZE) {
        return FALSE;
    }
    Fill(bands_[static_cast<size_t>(index)], info);
    return TRUE;
}

LRESULT ReBarControl::SetBarInfo(const REBARINFO* info) {
    if (info == nullptr || info->cbSize < sizeof(REBARINFO)) {
        return FALSE;
    }
    if ((info->fMask & RBIM_IMAGELIST) != 0) {
        images_ = info->himl;
        Changed();
    }
    return TRUE;
}

LRESULT ReBarControl::GetBarInfo(REBARINFO* info) const {
    if (info == nullptr || info->cbSize < sizeof(REBARINFO)) {
        return FALSE;
    }
    if ((info->fMask & RBIM_IMAGELIST) != 0) {
        info->himl = images_;
    }
    return TRUE;
}

LRESULT ReBarControl::SetNotifyWindow(HWND window) {
    HWND previous = notify_;
    notify_ = window;
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT ReBarControl::HitTest(RBHITTESTINFO* info) const {
    if (info == nullptr) {
        return -1;
    }
    info->flags = RBHT_NOWHERE;
    info->iBand = -1;
    for (int i = 0; i < Count(); ++i) {
        const Band& band = bands_[static_cast<size_t>(i)];
        if (band.Visible() && CRect(band.rect).PtInRect(info->pt)) {
            info->iBand = i;
            const int x = info->pt.x - band.rect.left;
            info->flags = band.gripper && x < kHeaderStart + kGripperWidth ? RBHT_GRABBER
                          : x < band.header                                ? RBHT_CAPTION
                                                                           : RBHT_CLIENT;
            break;
        }
    }
    return info->iBand;
}

// The band's rectangle; FALSE for a hidden band.
LRESULT ReBarControl::GetBandRect(int index, RECT* rect) const {
    if (!Valid(index) || rect == nullptr) {
        return FALSE;
    }
    *rect = bands_[static_cast<size_t>(index)].rect;
    return bands_[static_cast<size_t>(index)].Visible();
}

LRESULT ReBarControl::GetBandBorders(int index, RECT* rect) const {
    if (!Valid(index) || rect == nullptr) {
        return 0;
    }
    const Band& band = bands_[static_cast<size_t>(index)];
    const int edge = (band.style & RBBS_CHILDEDGE) != 0 ? kChildEdge : 0;
    *rect = RECT{band.header + edge, edge, edge, edge};
    return 0;
}

// The height of the row that holds the band.
LRESULT ReBarControl::RowHeight(int index) const {
    const int row = RowOf(index);
    return row >= 0 ? rowRects_[static_cast<size_t>(row)].bottom -
                          rowRects_[static_cast<size_t>(row)].top
                    : 0;
}

LRESULT ReBarControl::IndexOfId(UINT id) const {
    for (int i = 0; i < Count(); ++i) {
        if (bands_[static_cast<size_t>(i)].id == id) {
            return i;
        }
    }
    return -1;
}

LRESULT ReBarControl::ShowBand(int index, bool show) {
    if (!Valid(index)) {
        return FALSE;
    }
    Band& band = bands_[static_cast<size_t>(index)];
    const UINT style = show ? band.style & ~RBBS_HIDDEN : band.style | RBBS_HIDDEN;
    if (style != band.style) {
        band.style = style;
        ShowChild(band);
        Changed();
    }
    return TRUE;
}

void ReBarControl::MaximizeBand(int index, bool ideal) {
    if (Valid(index)) {
        Maximize(index, ideal);
        Changed();
    }
}

void ReBarControl::MinimizeBand(int index) {
    if (Valid(index)) {
        Band& band = bands_[static_cast<size_t>(index)];
        band.cx = static_cast<UINT>(band.minWidth);
        Changed();
    }
}

LRESULT ReBarControl::SetColor(COLORREF& slot, COLORREF color) {
    const COLORREF previous = slot;
    slot = color;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return previous;
}

}  // namespace platform
