#include "platform/controls/HeaderControl.h"

#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform::views {

namespace {

// How far from a divider the mouse still grabs it.
constexpr int kDividerGrip = 4;
// Space above and below the text.
constexpr int kVerticalPadding = 7;

}  // namespace

RECT HeaderControl::ItemRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += items_[static_cast<size_t>(i)].width;
    }
    return RECT{left, 0, left + items_[static_cast<size_t>(index)].width, client.bottom};
}

int HeaderControl::HitTest(POINT point, UINT* flags) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    UINT outside = 0;
    if (point.y < 0) {
        outside |= HHT_ABOVE;
    } else if (point.y >= client.bottom) {
        outside |= HHT_BELOW;
    }
    if (point.x < 0) {
        outside |= HHT_TOLEFT;
    } else if (point.x >= client.right) {
        outside |= HHT_TORIGHT;
    }
    if (outside != 0) {
        *flags = outside;
        return -1;
    }
    // A divider wins over the head it borders, so that narrow columns can still be widened; the
    // last divider whose grip holds the point is the one the user sees on top.
    int right = 0;
    int divider = -1;
    for (int i = 0; i < Count(); ++i) {
        right += items_[static_cast<size_t>(i)].width;
        if (point.x >= right - kDividerGrip && point.x < right + kDividerGrip) {
            divider = i;
        }
    }
    if (divider >= 0) {
        *flags = HHT_ONDIVIDER;
        return divider;
    }
    for (int i = 0; i < Count(); ++i) {
        const RECT rect = ItemRect(i);
        if (point.x >= rect.left && point.x < rect.right) {
            *flags = HHT_ONHEADER;
            return i;
        }
    }
    *flags = HHT_NOWHERE;
    return -1;
}

LRESULT HeaderControl::Insert(int index, const HDITEMA* item) {
    if (item == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, Count());
    Item added;
    if (item->mask & HDI_TEXT) {
        added.text = TextIn(item->pszText);
    }
    if (item->mask & HDI_WIDTH) {
        added.width = std::max(0, item->cxy);
    }
    if (item->mask & HDI_FORMAT) {
        added.format = item->fmt;
    }
    if (item->mask & HDI_LPARAM) {
        added.data = item->lParam;
    }
    if (item->mask & HDI_IMAGE) {
        added.image = item->iImage;
    }
    items_.insert(items_.begin() + index, std::move(added));
    InvalidateRect(hwnd_, nullptr, TRUE);
    return index;
}

BOOL HeaderControl::Remove(int index) {
    if (index < 0 || index >= Count()) {
        return FALSE;
    }
    items_.erase(items_.begin() + index);
    if (pressed_ >= Count()) {
        pressed_ = -1;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL HeaderControl::Get(int index, HDITEMA* item) const {
    if (item == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    const Item& own = items_[static_cast<size_t>(index)];
    if (item->mask & HDI_TEXT) {
        CopyTextOut(own.text, item->pszText, item->cchTextMax);
    }
    if (item->mask & HDI_WIDTH) {
        item->cxy = own.width;
    }
    if (item->mask & HDI_FORMAT) {
        item->fmt = own.format;
    }
    if (item->mask & HDI_LPARAM) {
        item->lParam = own.data;
    }
    if (item->mask & HDI_IMAGE) {
        item->iImage = own.image;
    }
    if (item->mask & HDI_ORDER) {
        item->iOrder = index;
    }
    return TRUE;
}

BOOL HeaderControl::Set(int index, const HDITEMA* item) {
    if (item == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    HDITEMA change = *item;
    if (Notify(HDN_ITEMCHANGINGA, index, 0, &change) != 0) {
        return FALSE;
    }
    Item& own = items_[static_cast<size_t>(index)];
    if (item->mask & HDI_TEXT) {
        own.text = TextIn(item->pszText);
    }
    if (item->mask & HDI_WIDTH) {
        own.width = std::max(0, item->cxy);
    }
    if (item->mask & HDI_FORMAT) {
        own.format = item->fmt;
    }
    if (item->mask & HDI_LPARAM) {
        own.data = item->lParam;
    }
    if (item->mask & HDI_IMAGE) {
        own.image = item->iImage;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    change = *item;
    Notify(HDN_ITEMCHANGEDA, index, 0, &change);
    return TRUE;
}

void HeaderControl::Layout(HDLAYOUT* layout) const {
    if (layout == nullptr || layout->prc == nullptr || layout->pwpos == nullptr) {
        return;
    }
    const bool hidden = (GetWindowLongA(hwnd_, GWL_STYLE) & HDS_HIDDEN) != 0;
    const int height = hidden ? 0 : LineHeight(font_) + kVerticalPadding;
    RECT& area = *layout->prc;
    *layout->pwpos = WINDOWPOS{hwnd_,
                               nullptr,
                               area.left,
                               area.top,
                               area.right - area.left,
                               height,
                               SWP_NOZORDER | SWP_NOACTIVATE};
    area.top += height;
}

LRESULT HeaderControl::Notify(UINT code, int index, int button, HDITEMA* item) {
    NMHEADERA header{};
    header.iItem = index;
    header.iButton = button;
    header.pitem = item;
    return SendNotify(hwnd_, header.hdr, code);
}

}  // namespace platform::views
