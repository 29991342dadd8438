#include "platform/controls/Header.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ControlWindow.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::views {
namespace {

// How far from a divider the mouse still grabs it.
constexpr int kDividerGrip = 4;
constexpr int kTextPadding = 6;
// Space above and below the text.
constexpr int kVerticalPadding = 7;

struct HeaderItem {
    std::string text;
    int width = 0;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM data = 0;
    int image = -1;
};

class Header {
public:
    explicit Header(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    int Count() const { return static_cast<int>(items_.size()); }
    RECT ItemRect(int index) const;
    int HitTest(POINT point, UINT* flags) const;
    LRESULT Insert(int index, const HDITEMA* item);
    BOOL Remove(int index);
    BOOL Get(int index, HDITEMA* item) const;
    BOOL Set(int index, const HDITEMA* item);
    void Layout(HDLAYOUT* layout) const;
    LRESULT Notify(UINT code, int index, int button, HDITEMA* item);
    void MouseDown(POINT point, bool doubleClick);
    void MouseMove(POINT point);
    void MouseUp(POINT point);
    void Paint();

    HWND hwnd_;
    std::vector<HeaderItem> items_;
    HFONT font_ = nullptr;
    int tracking_ = -1;
    int trackStartX_ = 0;
    int trackStartWidth_ = 0;
    int pressed_ = -1;
};

RECT Header::ItemRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += items_[static_cast<size_t>(i)].width;
    }
    return RECT{left, 0, left + items_[static_cast<size_t>(index)].width, client.bottom};
}

int Header::HitTest(POINT point, UINT* flags) const {
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

LRESULT Header::Insert(int index, const HDITEMA* item) {
    if (item == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, Count());
    HeaderItem added;
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

BOOL Header::Remove(int index) {
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

BOOL Header::Get(int index, HDITEMA* item) const {
    if (item == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    const HeaderItem& own = items_[static_cast<size_t>(index)];
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

BOOL Header::Set(int index, const HDITEMA* item) {
    if (item == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    HDITEMA change = *item;
    if (Notify(HDN_ITEMCHANGINGA, index, 0, &change) != 0) {
        return FALSE;
    }
    HeaderItem& own = items_[static_cast<size_t>(index)];
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

void Header::Layout(HDLAYOUT* layout) const {
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

LRESULT Header::Notify(UINT code, int index, int button, HDITEMA* item) {
    NMHEADERA header{};
    header.iItem = index;
    header.iButton = button;
    header.pitem = item;
    return SendNotify(hwnd_, header.hdr, code);
}

void Header::MouseDown(POINT point, bool doubleClick) {
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

void Header::MouseMove(POINT point) {
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

void Header::MouseUp(POINT point) {
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

void Header::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        for (int i = 0; i < Count(); ++i) {
            const HeaderItem& item = items_[static_cast<size_t>(i)];
            RECT rect = ItemRect(i);
            if (i == pressed_) {
                FillSolid(dc, rect, GetSysColor(COLOR_BTNSHADOW));
            }
            FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom},
                      GetSysColor(COLOR_BTNHIGHLIGHT));
            FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom},
                      GetSysColor(COLOR_BTNSHADOW));
            RECT text{rect.left + kTextPadding, rect.top, rect.right - kTextPadding, rect.bottom};
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
            if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT) {
                format |= DT_RIGHT;
            } else if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER) {
                format |= DT_CENTER;
            }
            DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, format);
        }
        FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom},
                  GetSysColor(COLOR_BTNSHADOW));
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT Header::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case HDM_GETITEMCOUNT:
            return Count();
        case HDM_INSERTITEMA:
            return Insert(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_DELETEITEM:
            return Remove(static_cast<int>(wParam));
        case HDM_GETITEMA:
            return Get(static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
        case HDM_SETITEMA:
            return Set(static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_LAYOUT:
            Layout(reinterpret_cast<HDLAYOUT*>(lParam));
            return TRUE;
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (info == nullptr) {
                return -1;
            }
            info->iItem = HitTest(info->pt, &info->flags);
            return info->iItem;
        }
        case HDM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            const int index = static_cast<int>(wParam);
            if (rect == nullptr || index < 0 || index >= Count()) {
                return FALSE;
            }
            *rect = ItemRect(index);
            return TRUE;
        }
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDown(point, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(point);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(point);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) {
                tracking_ = -1;
                pressed_ = -1;
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace
}  // namespace platform::views

namespace platform {

void RegisterHeaderClass() {
    [[maybe_unused]] static const ATOM atom = RegisterControlClass(
        WC_HEADERA, ControlProcedure<views::Header>, CS_DBLCLKS | CS_GLOBALCLASS);
}

}  // namespace platform
