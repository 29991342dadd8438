#include "platform/controls/TabControl.h"

#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/TabScrollerControl.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

int TabControl::ItemHeight(HDC dc) const {
    if (itemSize_.cy > 0) {
        return itemSize_.cy;
    }
    int content = LineHeight(dc);
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_ != nullptr && ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        content = std::max(content, imageHeight);
    }
    return content + 2 * padding_.cy;
}

int TabControl::ItemWidth(HDC dc, const Item& item) const {
    if ((Style() & TCS_FIXEDWIDTH) != 0 && itemSize_.cx > 0) {
        return itemSize_.cx;
    }
    const int textWidth = TextWidth(dc, item.text);
    int content = textWidth;
    int imageWidth = 0;
    int imageHeight = 0;
    if (item.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        content += imageWidth + (textWidth > 0 ? padding_.cx / 2 : 0);
    }
    return std::max(content + 2 * padding_.cx, minTabWidth_);
}

void TabControl::Layout() {
    if (layoutValid_) {
        return;
    }
    layoutValid_ = true;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const MeasuringDc measuring(font_);
    HDC dc = measuring.get();
    const int height = ItemHeight(dc);
    const bool buttons = Buttons();
    const int start = buttons ? 0 : kTabMargin;
    const int gap = buttons ? kButtonGap : 0;
    const int limit = client.right - (buttons ? 0 : kTabMargin);
    const bool multiline = (Style() & TCS_MULTILINE) != 0;
    const bool bottom = (Style() & TCS_BOTTOM) != 0;

    rects_.assign(items_.size(), RECT{});
    rows_ = items_.empty() ? 0 : 1;
    int x = start;
    int row = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const int width = ItemWidth(dc, items_[i]);
        if (multiline && x > start && x + width > limit) {
            ++row;
            x = start;
            rows_ = row + 1;
        }
        const int rowOffset = (buttons ? 0 : kTabMargin) + row * (height + gap);
        const int top = bottom ? client.bottom - rowOffset - height : rowOffset;
        rects_[i] = RECT{x, top, x + width, top + height};
        x += width + gap;
    }
    scrollerRect_ = RECT{};
    if (!multiline && !rects_.empty() && rects_.back().right > limit) {
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);
        scrollerRect_ =
            RECT{client.right - 2 * arrow, rects_.front().top, client.right, rects_.front().bottom};
        Scroll(scrollerRect_.left - start);
    } else {
        firstVisible_ = 0;
        lastFirst_ = 0;
    }
    ensureVisible_ = -1;
    PlaceScroller();
    SyncTools();
}

void TabControl::PlaceScroller() {
    if (scroller_ == nullptr) {
        return;
    }
    if (scrollerRect_.right == 0) {
        ShowWindow(scroller_, SW_HIDE);
        return;
    }
    if (auto* arrows = reinterpret_cast<TabScrollerControl*>(GetWindowLongPtrA(scroller_, 0))) {
        arrows->SetRange(firstVisible_, lastFirst_);
    }
    SetWindowPos(scroller_, HWND_TOP, scrollerRect_.left, scrollerRect_.top,
                 scrollerRect_.right - scrollerRect_.left, scrollerRect_.bottom - scrollerRect_.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TabControl::Scroll(int room) {
    const int last = Count() - 1;
    lastFirst_ = last;
    while (lastFirst_ > 0 && rects_[last].right - rects_[lastFirst_ - 1].left <= room) {
        --lastFirst_;
    }
    if (Valid(ensureVisible_)) {
        firstVisible_ = std::min(firstVisible_, ensureVisible_);
        while (firstVisible_ < ensureVisible_ &&
               rects_[ensureVisible_].right - rects_[firstVisible_].left > room) {
            ++firstVisible_;
        }
    }
    firstVisible_ = std::clamp(firstVisible_, 0, lastFirst_);
    const int shift = rects_[firstVisible_].left - rects_.front().left;
    for (RECT& rect : rects_) {
        rect.left -= shift;
        rect.right -= shift;
    }
}

bool TabControl::Shown(int index) const {
    if (scrollerRect_.right == 0) {
        return true;
    }
    return index >= firstVisible_ && rects_[index].left < scrollerRect_.left;
}

void TabControl::EnsureVisible(int index) {
    if (!Valid(index)) {
        return;
    }
    ensureVisible_ = index;
    Changed();
}

void TabControl::Changed() {
    layoutValid_ = false;
    Layout();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TabControl::SyncTools() {
    if (tooltip_ == nullptr) {
        return;
    }
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    for (size_t i = 0; i < toolCount_; ++i) {
        tool.uId = i;
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        tool.uId = i;
        tool.rect = rects_[i];
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    toolCount_ = items_.size();
}

int TabControl::HitTest(POINT point, UINT* flags) {
    Layout();
    const bool onScroller = CRect(scrollerRect_).PtInRect(point);
    for (int i = 0; i < Count() && !onScroller; ++i) {
        if (Shown(i) && CRect(rects_[i]).PtInRect(point)) {
            if (flags != nullptr) {
                int imageWidth = 0;
                int imageHeight = 0;
                const bool onIcon = items_[i].image >= 0 && images_ != nullptr &&
                                    ImageList_GetIconSize(images_, &imageWidth, &imageHeight) &&
                                    point.x < rects_[i].left + padding_.cx + imageWidth;
                *flags = onIcon ? TCHT_ONITEMICON : TCHT_ONITEMLABEL;
            }
            return i;
        }
    }
    if (flags != nullptr) {
        *flags = TCHT_NOWHERE;
    }
    return -1;
}

LRESULT TabControl::Insert(int index, const TCITEMA* item) {
    if (item == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, Count());
    Item tab;
    if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr) {
        tab.text = item->pszText;
    }
    if ((item->mask & TCIF_IMAGE) != 0) {
        tab.image = item->iImage;
    }
    if ((item->mask & TCIF_PARAM) != 0) {
        tab.param = item->lParam;
    }
    if ((item->mask & TCIF_STATE) != 0) {
        tab.state = item->dwState & item->dwStateMask;
    }
    items_.insert(items_.begin() + index, tab);
    // The first tab of an empty control becomes the selected one, so that a page always shows.
    if (items_.size() == 1) {
        selected_ = 0;
        focused_ = 0;
    } else {
        selected_ += selected_ >= index ? 1 : 0;
        focused_ += focused_ >= index ? 1 : 0;
    }
    Changed();
    return index;
}

LRESULT TabControl::Delete(int index) {
    if (!Valid(index)) {
        return FALSE;
    }
    items_.erase(items_.begin() + index);
    auto follow = [index](int& current) {
        if (current == index) {
            current = -1;
        } else if (current > index) {
            --current;
        }
    };
    follow(selected_);
    follow(focused_);
    Changed();
    return TRUE;
}

LRESULT TabControl::GetItem(int index, TCITEMA* item) const {
    if (item == nullptr || !Valid(index)) {
        return FALSE;
    }
    const Item& tab = items_[static_cast<size_t>(index)];
    if ((item->mask & TCIF_TEXT) != 0) {
        CopyTextOut(tab.text, item->pszText, item->cchTextMax);
    }
    if ((item->mask & TCIF_IMAGE) != 0) {
        item->iImage = tab.image;
    }
    if ((item->mask & TCIF_PARAM) != 0) {
        item->lParam = tab.param;
    }
    if ((item->mask & TCIF_STATE) != 0) {
        item->dwState = tab.state & item->dwStateMask;
    }
    return TRUE;
}

LRESULT TabControl::SetItem(int index, const TCITEMA* item) {
    if (item == nullptr || !Valid(index)) {
        return FALSE;
    }
    Item& tab = items_[static_cast<size_t>(index)];
    if ((item->mask & TCIF_TEXT) != 0) {
        tab.text = item->pszText != nullptr ? item->pszText : "";
    }
    if ((item->mask & TCIF_IMAGE) != 0) {
        tab.image = item->iImage;
    }
    if ((item->mask & TCIF_PARAM) != 0) {
        tab.param = item->lParam;
    }
    if ((item->mask & TCIF_STATE) != 0) {
        tab.state = (tab.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    }
    Changed();
    return TRUE;
}

LRESULT TabControl::SetCurSel(int index) {
    const int previous = selected_;
    if (!Valid(index)) {
        return -1;
    }
    selected_ = index;
    focused_ = index;
    EnsureVisible(index);
    return previous;
}

LRESULT TabControl::AdjustRect(bool larger, RECT* rect) {
    if (rect == nullptr) {
        return 0;
    }
    Layout();
    int strip = 0;
    if (rows_ > 0) {
        strip = rects_.front().bottom - rects_.front().top;
        strip = rows_ * strip + (Buttons() ? (rows_ - 1) * kButtonGap : 0);
    }
    // The page area lies inside a 2-pixel frame with a 2-pixel margin; buttons have no frame.
    const bool bottom = (Style() & TCS_BOTTOM) != 0;
    const int side = Buttons() ? 0 : 2 * kTabMargin;
    const int stripSide = Buttons() ? strip + kButtonGap : strip + 2 * kTabMargin;
    const int otherSide = Buttons() ? 0 : 2 * kTabMargin;
    const int sign = larger ? -1 : 1;
    rect->left += sign * side;
    rect->right -= sign * side;
    rect->top += sign * (bottom ? otherSide : stripSide);
    rect->bottom -= sign * (bottom ? stripSide : otherSide);
    return 0;
}

LRESULT TabControl::Notify(UINT code) const {
    NMHDR header{};
    return SendNotify(hwnd_, header, code);
}

}  // namespace platform
