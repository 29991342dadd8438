#include "platform/controls/TabControl.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ScrollBarPainter.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/controls/ToolTip.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/Rect.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform {
namespace {

// Tabs sit 2 pixels in from the control's edges, so that the selected tab can stand out over the
// page frame; buttons start at the edge and keep a gap between them.
constexpr int kTabMargin = 2;
constexpr int kButtonGap = 3;
constexpr SIZE kDefaultPadding{6, 3};

void Inflate(RECT& rect, int dx, int dy) {
    rect.left -= dx;
    rect.right += dx;
    rect.top -= dy;
    rect.bottom += dy;
}

constexpr char kScrollerClass[] = "TabScrollArrows";

// The two arrow buttons that a row of tabs too long for its control shows at its right end. As the
// system's up-down control does, a click reports the new position to the tab control with
// WM_HSCROLL (SB_THUMBPOSITION, the position in the high word).
class TabScroller {
public:
    explicit TabScroller(HWND hwnd) : hwnd_(hwnd) {}

    void SetRange(int position, int maximum) {
        if (position != position_ || maximum != maximum_) {
            position_ = position;
            maximum_ = maximum;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT:
                Paint();
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                RECT client{};
                GetClientRect(hwnd_, &client);
                const bool back = GET_X_LPARAM(lParam) < client.right / 2;
                const int position = std::clamp(position_ + (back ? -1 : 1), 0, maximum_);
                if (position != position_) {
                    SendMessageA(GetParent(hwnd_), WM_HSCROLL,
                                 MAKEWPARAM(SB_THUMBPOSITION, position),
                                 reinterpret_cast<LPARAM>(hwnd_));
                }
                return 0;
            }
            default:
                return DefWindowProcA(hwnd_, message, wParam, lParam);
        }
    }

private:
    void Paint() {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd_, &paint);
        if (dc != nullptr) {
            RECT client{};
            GetClientRect(hwnd_, &client);
            const int middle = client.right / 2;
            DrawArrowButton(dc, RECT{0, 0, middle, client.bottom}, ArrowDirection::Left,
                            position_ > 0);
            DrawArrowButton(dc, RECT{middle, 0, client.right, client.bottom}, ArrowDirection::Right,
                            position_ < maximum_);
        }
        EndPaint(hwnd_, &paint);
    }

    HWND hwnd_;
    int position_ = 0;
    int maximum_ = 0;
};

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

class TabControl {
public:
    explicit TabControl(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    bool Buttons() const { return (Style() & TCS_BUTTONS) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    HFONT Font() const {
        return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    void Layout();
    // A single row of tabs wider than the control scrolls: the tabs from firstVisible_ on are
    // shown, and the arrow buttons at the right end move the row by one tab.
    void Scroll(int room);
    void PlaceScroller();
    bool Shown(int index) const;
    // Scrolls the row, at the next layout, so that the tab is wholly in sight.
    void EnsureVisible(int index);
    int ItemHeight(HDC dc) const;
    int ItemWidth(HDC dc, const TabItem& item) const;
    int HitTest(POINT point, UINT* flags);
    void Changed();
    void SyncTools();

    LRESULT Insert(int index, const TCITEMA* item);
    LRESULT Delete(int index);
    LRESULT GetItem(int index, TCITEMA* item) const;
    LRESULT SetItem(int index, const TCITEMA* item);
    LRESULT SetCurSel(int index);
    LRESULT AdjustRect(bool larger, RECT* rect);
    // Selection the user asks for: the parent may refuse it.
    void UserSelect(int index);
    LRESULT Notify(UINT code) const;

    void Paint();
    void PaintItem(HDC dc, int index);
    void PaintFrame(HDC dc);

    HWND hwnd_;
    std::vector<TabItem> items_;
    std::vector<RECT> rects_;
    int rows_ = 0;
    int selected_ = -1;
    int focused_ = -1;
    HFONT font_ = nullptr;
    HIMAGELIST images_ = nullptr;
    SIZE itemSize_{0, 0};
    SIZE padding_ = kDefaultPadding;
    int minTabWidth_ = 0;
    HWND tooltip_ = nullptr;
    bool ownsTooltip_ = false;
    size_t toolCount_ = 0;
    bool layoutValid_ = false;
    int firstVisible_ = 0;
    int lastFirst_ = 0;
    int ensureVisible_ = -1;
    // The arrow buttons' place while the row overflows, else empty.
    RECT scrollerRect_{};
    HWND scroller_ = nullptr;
};

int TabControl::ItemHeight(HDC dc) const {
    if (itemSize_.cy > 0) {
        return itemSize_.cy;
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int content = metrics.tmHeight;
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_ != nullptr && ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        content = std::max(content, imageHeight);
    }
    return content + 2 * padding_.cy;
}

int TabControl::ItemWidth(HDC dc, const TabItem& item) const {
    if ((Style() & TCS_FIXEDWIDTH) != 0 && itemSize_.cx > 0) {
        return itemSize_.cx;
    }
    SIZE text{0, 0};
    if (!item.text.empty()) {
        GetTextExtentPoint32A(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text);
    }
    int content = text.cx;
    int imageWidth = 0;
    int imageHeight = 0;
    if (item.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        content += imageWidth + (text.cx > 0 ? padding_.cx / 2 : 0);
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
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font());
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
    SelectObject(dc, oldFont);
    DeleteDC(dc);
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
    if (auto* arrows = reinterpret_cast<TabScroller*>(GetWindowLongPtrA(scroller_, 0))) {
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

LRESULT TabControl::Notify(UINT code) const {
    NMHDR header{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), code};
    return SendMessageA(GetParent(hwnd_), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

void TabControl::UserSelect(int index) {
    if (!Valid(index)) {
        return;
    }
    focused_ = index;
    if (index == selected_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    if (Notify(TCN_SELCHANGING) != 0) {
        return;
    }
    selected_ = index;
    EnsureVisible(index);
    Notify(TCN_SELCHANGE);
}

LRESULT TabControl::Insert(int index, const TCITEMA* item) {
    if (item == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, Count());
    TabItem tab;
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
    const TabItem& tab = items_[static_cast<size_t>(index)];
    if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
        const size_t length =
            CutAtCharBoundary(tab.text, static_cast<size_t>(item->cchTextMax - 1));
        std::copy_n(tab.text.data(), length, item->pszText);
        item->pszText[length] = '\0';
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
    TabItem& tab = items_[static_cast<size_t>(index)];
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

void TabControl::PaintFrame(HDC dc) {
    if (Buttons()) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT page = client;
    AdjustRect(false, &page);
    Inflate(page, kTabMargin, kTabMargin);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    RECT edge{page.left, page.top, page.right, page.top + 1};
    FillRect(dc, &edge, light);
    edge = RECT{page.left, page.top, page.left + 1, page.bottom};
    FillRect(dc, &edge, light);
    edge = RECT{page.right - 1, page.top, page.right, page.bottom};
    FillRect(dc, &edge, shadow);
    edge = RECT{page.left, page.bottom - 1, page.right, page.bottom};
    FillRect(dc, &edge, shadow);
}

void TabControl::PaintItem(HDC dc, int index) {
    const TabItem& item = items_[static_cast<size_t>(index)];
    RECT rect = rects_[static_cast<size_t>(index)];
    const bool selected = index == selected_;
    if ((Style() & TCS_OWNERDRAWFIXED) != 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_TAB;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (selected ? ODS_SELECTED : 0) |
                         (index == focused_ && GetFocus() == hwnd_ ? ODS_FOCUS : 0);
        draw.hwndItem = hwnd_;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = static_cast<ULONG_PTR>(item.param);
        SendMessageA(GetParent(hwnd_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    const bool pressed = Buttons() && (selected || (item.state & TCIS_BUTTONPRESSED) != 0);
    if (!Buttons() && selected) {
        Inflate(rect, kTabMargin, kTabMargin);
    }
    const bool highlighted = (item.state & TCIS_HIGHLIGHTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    const bool flat = (Style() & TCS_FLATBUTTONS) != 0;
    if (!Buttons() || !flat || pressed) {
        HBRUSH topLeft = pressed ? shadow : light;
        HBRUSH bottomRight = pressed ? light : shadow;
        RECT edge{rect.left, rect.top, rect.right, rect.top + 1};
        FillRect(dc, &edge, topLeft);
        edge = RECT{rect.left, rect.top, rect.left + 1, rect.bottom};
        FillRect(dc, &edge, topLeft);
        edge = RECT{rect.right - 1, rect.top, rect.right, rect.bottom};
        FillRect(dc, &edge, bottomRight);
        if (Buttons()) {
            edge = RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom};
            FillRect(dc, &edge, bottomRight);
        }
    }
    int textLeft = rect.left + padding_.cx;
    int imageWidth = 0;
    int imageHeight = 0;
    if (item.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        ImageList_Draw(images_, item.image, dc, textLeft,
                       rect.top + (rect.bottom - rect.top - imageHeight) / 2, ILD_TRANSPARENT);
        textLeft += imageWidth + padding_.cx / 2;
    }
    RECT text{textLeft, rect.top, rect.right - padding_.cx, rect.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TabControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        Layout();
        HGDIOBJ oldFont = SelectObject(dc, Font());
        PaintFrame(dc);
        for (int i = 0; i < Count(); ++i) {
            if (i != selected_ && Shown(i)) {
                PaintItem(dc, i);
            }
        }
        // The selected tab goes last: it overlaps its neighbours and the page frame.
        if (Valid(selected_) && Shown(selected_)) {
            PaintItem(dc, selected_);
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT TabControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if ((Style() & TCS_TOOLTIPS) != 0) {
                RegisterToolTipClass();
                tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd_, nullptr,
                                           nullptr, nullptr);
                ownsTooltip_ = tooltip_ != nullptr;
            }
            scroller_ = CreateWindowExA(0, kScrollerClass, "", WS_CHILD, 0, 0, 0, 0, hwnd_, nullptr,
                                        nullptr, nullptr);
            Changed();
            return 0;
        case WM_HSCROLL:
            if (LOWORD(wParam) == SB_THUMBPOSITION) {
                firstVisible_ = static_cast<short>(HIWORD(wParam));
                Changed();
            }
            return 0;
        case WM_DESTROY:
            if (ownsTooltip_ && IsWindow(tooltip_)) {
                DestroyWindow(tooltip_);
            }
            tooltip_ = nullptr;
            return 0;
        case WM_SIZE:
        case WM_STYLECHANGED:
            Changed();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            layoutValid_ = false;
            if (LOWORD(lParam) != 0) {
                Changed();
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_PAINT:
            Paint();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (tooltip_ != nullptr) {
                MSG relayed{hwnd_, message, wParam, lParam, 0, {}};
                SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
            }
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
                const int hit = HitTest(point, nullptr);
                if (hit >= 0) {
                    if ((Style() & TCS_FOCUSNEVER) == 0) {
                        SetFocus(hwnd_);
                    }
                    UserSelect(hit);
                }
            } else if (message == WM_LBUTTONUP) {
                Notify(NM_CLICK);
            } else if (message == WM_RBUTTONUP) {
                Notify(NM_RCLICK);
            }
            return 0;
        }
        case WM_KEYDOWN: {
            NMTCKEYDOWN key{};
            key.hdr = NMHDR{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), TCN_KEYDOWN};
            key.wVKey = static_cast<WORD>(wParam);
            key.flags = static_cast<UINT>(HIWORD(lParam));
            SendMessageA(GetParent(hwnd_), WM_NOTIFY, key.hdr.idFrom,
                         reinterpret_cast<LPARAM>(&key));
            const int from = focused_ >= 0 ? focused_ : selected_;
            switch (wParam) {
                case VK_LEFT:
                    UserSelect(std::max(from - 1, 0));
                    break;
                case VK_RIGHT:
                    UserSelect(std::min(from + 1, Count() - 1));
                    break;
                case VK_HOME:
                    UserSelect(0);
                    break;
                case VK_END:
                    UserSelect(Count() - 1);
                    break;
                default:
                    break;
            }
            return 0;
        }
        case WM_NOTIFY: {
            // The tool tip asks for a tab's text; the parent knows it.
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && header->hwndFrom == tooltip_) {
                return SendMessageA(GetParent(hwnd_), WM_NOTIFY, wParam, lParam);
            }
            return 0;
        }
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images_);
        case TCM_SETIMAGELIST: {
            HIMAGELIST previous = images_;
            images_ = reinterpret_cast<HIMAGELIST>(lParam);
            Changed();
            return reinterpret_cast<LRESULT>(previous);
        }
        case TCM_GETITEMCOUNT:
            return Count();
        case TCM_GETITEMA:
            return GetItem(static_cast<int>(wParam), reinterpret_cast<TCITEMA*>(lParam));
        case TCM_SETITEMA:
            return SetItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_INSERTITEMA:
            return Insert(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_DELETEITEM:
            return Delete(static_cast<int>(wParam));
        case TCM_DELETEALLITEMS:
            items_.clear();
            selected_ = -1;
            focused_ = -1;
            Changed();
            return TRUE;
        case TCM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            Layout();
            if (rect == nullptr || !Valid(static_cast<int>(wParam))) {
                return FALSE;
            }
            *rect = rects_[wParam];
            return TRUE;
        }
        case TCM_GETCURSEL:
            return selected_;
        case TCM_SETCURSEL:
            return SetCurSel(static_cast<int>(wParam));
        case TCM_GETCURFOCUS:
            return focused_;
        case TCM_SETCURFOCUS: {
            const int index = static_cast<int>(wParam);
            if (Buttons()) {
                if (Valid(index)) {
                    focused_ = index;
                    InvalidateRect(hwnd_, nullptr, TRUE);
                }
            } else {
                UserSelect(index);
            }
            return 0;
        }
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            return info != nullptr ? HitTest(info->pt, &info->flags) : -1;
        }
        case TCM_ADJUSTRECT:
            return AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
        case TCM_SETITEMSIZE: {
            const LRESULT previous = MAKELONG(itemSize_.cx, itemSize_.cy);
            itemSize_ = SIZE{LOWORD(lParam), HIWORD(lParam)};
            Changed();
            return previous;
        }
        case TCM_SETPADDING:
            padding_ = SIZE{LOWORD(lParam), HIWORD(lParam)};
            Changed();
            return 0;
        case TCM_GETROWCOUNT:
            Layout();
            return rows_;
        case TCM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tooltip_);
        case TCM_SETTOOLTIPS:
            if (ownsTooltip_ && tooltip_ != nullptr) {
                DestroyWindow(tooltip_);
            }
            tooltip_ = reinterpret_cast<HWND>(wParam);
            ownsTooltip_ = false;
            toolCount_ = 0;
            layoutValid_ = false;
            Layout();
            return 0;
        case TCM_SETMINTABWIDTH: {
            const int previous = minTabWidth_;
            minTabWidth_ = static_cast<int>(lParam) < 0 ? 0 : static_cast<int>(lParam);
            Changed();
            return previous;
        }
        case TCM_HIGHLIGHTITEM: {
            const int index = static_cast<int>(wParam);
            if (!Valid(index)) {
                return FALSE;
            }
            DWORD& state = items_[static_cast<size_t>(index)].state;
            state = LOWORD(lParam) != 0 ? state | TCIS_HIGHLIGHTED : state & ~TCIS_HIGHLIGHTED;
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        }
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace

void RegisterTabControlClass() {
    [[maybe_unused]] static const ATOM atom =
        RegisterControlClass(WC_TABCONTROLA, ControlProcedure<TabControl>, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    [[maybe_unused]] static const ATOM arrows =
        RegisterControlClass(kScrollerClass, ControlProcedure<TabScroller>, CS_DBLCLKS);
}

}  // namespace platform
