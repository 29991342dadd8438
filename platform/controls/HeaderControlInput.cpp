// The mouse on the header: clicking items and dragging dividers to size the columns.
#include <algorithm>

#include "platform/controls/HeaderControl.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

void HeaderControl::MouseDown(POINT point, bool doubleClick) {
    UINT flags = 0;
    const int index = HitTest(point, &flags);
    if (index < 0) {
        return;
    }
    if (flags & HHT_ONDIVIDER) {
        if (doubleClick) {
            Notify(HDN_DIVIDERDBLCLICKA, index, 0, nullptr);
            return;
        }
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        item.cxy = items_[static_cast<size_t>(index)].width;
        if (Notify(HDN_BEGINTRACKA, index, 0, &item) != 0) {
            return;
        }
        tracking_ = index;
        trackStartX_ = point.x;
        trackStartWidth_ = item.cxy;
        SetCapture(hwnd_);
        return;
    }
    if (doubleClick) {
        Notify(HDN_ITEMDBLCLICKA, index, 0, nullptr);
    }
    if (GetWindowLongA(hwnd_, GWL_STYLE) & HDS_BUTTONS) {
        pressed_ = index;
        SetCapture(hwnd_);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void HeaderControl::MouseMove(POINT point) {
    if (tracking_ < 0 || tracking_ >= Count()) {
        return;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, trackStartWidth_ + point.x - trackStartX_);
    if (item.cxy == items_[static_cast<size_t>(tracking_)].width) {
        return;
    }
    if (Notify(HDN_TRACKA, tracking_, 0, &item) != 0) {
        return;
    }
    Set(tracking_, &item);
}

void HeaderControl::MouseUp(POINT point) {
    if (tracking_ >= 0) {
        const int index = tracking_;
        tracking_ = -1;
        ReleaseCapture();
        if (index < Count()) {
            HDITEMA item{};
            item.mask = HDI_WIDTH;
            item.cxy = items_[static_cast<size_t>(index)].width;
            Notify(HDN_ENDTRACKA, index, 0, &item);
        }
        return;
    }
    if (pressed_ < 0) {
        return;
    }
    const int index = pressed_;
    pressed_ = -1;
    ReleaseCapture();
    InvalidateRect(hwnd_, nullptr, TRUE);
    UINT flags = 0;
    if (index < Count() && HitTest(point, &flags) == index && (flags & HHT_ONHEADER)) {
        Notify(HDN_ITEMCLICKA, index, 0, nullptr);
    }
}

void HeaderControl::CaptureChanged(HWND capture) {
    if (capture != hwnd_) {
        tracking_ = -1;
        pressed_ = -1;
    }
}

}  // namespace platform::views
