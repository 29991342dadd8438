#include "platform/controls/ListBoxControl.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/controls/ListBox.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

namespace {

constexpr int kTextMargin = 2;
constexpr int kMaxItemHeight = 255;
constexpr int kWheelLines = 3;

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

int CompareListTexts(std::string_view a, std::string_view b) {
    const int folded = CompareNoCase(a, b);
    return folded != 0 ? folded : CompareBytes(a, b);
}

ListBoxControl::ListBoxControl(HWND hwnd, const CREATESTRUCTA& create)
    : hwnd_(hwnd),
      notify_(create.hwndParent),
      owner_(create.hwndParent),
      itemWindow_(hwnd),
      ctlType_(ODT_LISTBOX),
      ctlId_(static_cast<UINT>(reinterpret_cast<UINT_PTR>(create.hMenu))),
      wantsVertical_((create.style & WS_VSCROLL) != 0),
      wantsHorizontal_((create.style & WS_HSCROLL) != 0) {
    if ((create.style & LBS_COMBOBOX) && create.lpCreateParams != nullptr) {
        HWND combo = static_cast<HWND>(create.lpCreateParams);
        notify_ = combo;
        owner_ = GetParent(combo);
        itemWindow_ = combo;
        ctlType_ = ODT_COMBOBOX;
        ctlId_ = static_cast<UINT>(GetDlgCtrlID(combo));
    }
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    itemHeight_ = FontHeight();
}

DWORD ListBoxControl::Style() const {
    return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
}

bool ListBoxControl::OwnerDraw() const {
    return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool ListBoxControl::HasStrings() const {
    return !OwnerDraw() || (Style() & LBS_HASSTRINGS) != 0;
}

bool ListBoxControl::MultiSelect() const {
    return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool ListBoxControl::Extended() const {
    return (Style() & LBS_EXTENDEDSEL) != 0;
}

int ListBoxControl::FontHeight() const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(dc, &metrics) != FALSE && metrics.tmHeight > 0;
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured ? std::min<int>(metrics.tmHeight, kMaxItemHeight) : 13;
}

// ---- Items ----------------------------------------------------------------------------------

int ListBoxControl::SortedPosition(LPARAM lParam, std::string_view text) {
    int low = 0;
    int high = Count();
    // The first item that the new one precedes, so that equal items keep their arrival order.
    while (low < high) {
        const int middle = (low + high) / 2;
        int order = 0;
        if (HasStrings()) {
            order = CompareListTexts(text, items_[middle].text);
        } else {
            COMPAREITEMSTRUCT compare{ctlType_,
                                      ctlId_,
                                      itemWindow_,
                                      static_cast<UINT>(-1),
                                      static_cast<ULONG_PTR>(lParam),
                                      static_cast<UINT>(middle),
                                      items_[middle].data,
                                      0};
            order = static_cast<int>(
                SendMessageA(owner_, WM_COMPAREITEM, ctlId_, reinterpret_cast<LPARAM>(&compare)));
        }
        if (order < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

LRESULT ListBoxControl::Insert(int index, LPARAM lParam, bool sorted) {
    Item item;
    if (HasStrings()) {
        const char* text = reinterpret_cast<const char*>(lParam);
        item.text = text != nullptr ? text : "";
    } else {
        item.data = static_cast<ULONG_PTR>(lParam);
    }
    if (sorted) {
        index = SortedPosition(lParam, item.text);
    } else if (index < 0) {
        index = Count();
    } else if (index > Count()) {
        return LB_ERR;
    }
    try {
        items_.insert(items_.begin() + index, std::move(item));
    } catch (const std::bad_alloc&) {
        Notify(static_cast<WORD>(LBN_ERRSPACE));
        return LB_ERRSPACE;
    }
    if (selection_ >= index) {
        ++selection_;
    }
    if (caret_ >= index) {
        ++caret_;
    }
    if (anchor_ >= index) {
        ++anchor_;
    }
    if (Style() & LBS_OWNERDRAWVARIABLE) {
        MeasureItem(index, lParam);
    }
    UpdateScrollBars();
    Invalidate();
    return index;
}

void ListBoxControl::SendDeleteItem(int index) {
    if (!OwnerDraw() && items_[index].data == 0) {
        return;
    }
    DELETEITEMSTRUCT gone{ctlType_, ctlId_, static_cast<UINT>(index), itemWindow_,
                          items_[index].data};
    SendMessageA(owner_, WM_DELETEITEM, ctlId_, reinterpret_cast<LPARAM>(&gone));
}

LRESULT ListBoxControl::Delete(int index) {
    if (!Valid(index)) {
        return LB_ERR;
    }
    SendDeleteItem(index);
    items_.erase(items_.begin() + index);
    auto shift = [index](int& value) {
        if (value == index) {
            value = -1;
        } else if (value > index) {
            --value;
        }
    };
    shift(selection_);
    shift(anchor_);
    if (MultiSelect()) {
        if (caret_ > index || caret_ >= Count()) {
            --caret_;
        }
    } else {
        caret_ = selection_;
    }
    top_ = std::min(top_, MaxTop());
    UpdateScrollBars();
    Invalidate();
    return Count();
}

void ListBoxControl::Reset() {
    for (int index = 0; index < Count(); ++index) {
        SendDeleteItem(index);
    }
    items_.clear();
    selection_ = caret_ = anchor_ = -1;
    top_ = 0;
    horizontalOffset_ = 0;
    UpdateScrollBars();
    Invalidate();
}

bool ListBoxControl::Matches(int index, LPARAM lParam, bool exact) {
    const Item& item = items_[index];
    if (!HasStrings()) {
        if ((Style() & LBS_SORT) == 0) {
            return item.data == static_cast<ULONG_PTR>(lParam);
        }
        COMPAREITEMSTRUCT compare{ctlType_,
                                  ctlId_,
                                  itemWindow_,
                                  static_cast<UINT>(-1),
                                  static_cast<ULONG_PTR>(lParam),
                                  static_cast<UINT>(index),
                                  item.data,
                                  0};
        return SendMessageA(owner_, WM_COMPAREITEM, ctlId_, reinterpret_cast<LPARAM>(&compare)) ==
               0;
    }
    const char* wanted = reinterpret_cast<const char*>(lParam);
    const std::string_view what = wanted != nullptr ? wanted : "";
    if (exact) {
        return CompareNoCase(item.text, what) == 0;
    }
    return item.text.size() >= what.size() &&
           CompareNoCase(std::string_view(item.text).substr(0, what.size()), what) == 0;
}

int ListBoxControl::Find(int after, LPARAM lParam, bool exact) {
    const int count = Count();
    if (count == 0) {
        return LB_ERR;
    }
    // The search starts after `after` and wraps round to it; -1 (or any bad index) searches all.
    const int start = (after >= 0 && after < count) ? after + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (Matches(index, lParam, exact)) {
            return index;
        }
    }
    return LB_ERR;
}

LRESULT ListBoxControl::GetText(int index, char* buffer) const {
    if (!Valid(index) || buffer == nullptr) {
        return LB_ERR;
    }
    if (!HasStrings()) {
        std::memcpy(buffer, &items_[index].data, sizeof(ULONG_PTR));
        return sizeof(ULONG_PTR);
    }
    const std::string& text = items_[index].text;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

// ---- Selection ------------------------------------------------------------------------------

bool ListBoxControl::IsSelected(int index) const {
    return MultiSelect() ? items_[index].selected : index == selection_;
}

int ListBoxControl::SelectionCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                          [](const Item& item) { return item.selected; }));
}

bool ListBoxControl::SelectSingle(int index) {
    if (index == selection_) {
        if (caret_ != index) {
            SetCaret(index);
        }
        return false;
    }
    const int old = selection_;
    selection_ = index;
    caret_ = index;
    if (Valid(old)) {
        DrawItemNow(old, ODA_SELECT);
    }
    if (Valid(index)) {
        DrawItemNow(index, ODA_SELECT);
    }
    return true;
}

bool ListBoxControl::SelectRange(int first, int last, bool select) {
    if (first > last) {
        std::swap(first, last);
    }
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    bool changed = false;
    for (int index = first; index <= last; ++index) {
        if (items_[index].selected != select) {
            items_[index].selected = select;
            changed = true;
            DrawItemNow(index, ODA_SELECT);
        }
    }
    return changed;
}

bool ListBoxControl::SelectOnly(int index) {
    bool changed = false;
    for (int other = 0; other < Count(); ++other) {
        const bool wanted = other == index;
        if (items_[other].selected != wanted) {
            items_[other].selected = wanted;
            changed = true;
            DrawItemNow(other, ODA_SELECT);
        }
    }
    return changed;
}

void ListBoxControl::SetCaret(int index) {
    if (index == caret_) {
        return;
    }
    const int old = caret_;
    caret_ = index;
    if (focused_) {
        if (Valid(old)) {
            DrawItemNow(old, ODA_FOCUS);
        }
        if (Valid(index)) {
            DrawItemNow(index, ODA_FOCUS);
        }
    }
}

void ListBoxControl::Notify(WORD code) {
    const bool always = code == LBN_SETFOCUS || code == LBN_KILLFOCUS ||
                        code == static_cast<WORD>(LBN_ERRSPACE) || code == kComboListChosen ||
                        code == kComboListCancelled;
    if (!always && (Style() & LBS_NOTIFY) == 0) {
        return;
    }
    SendMessageA(notify_, WM_COMMAND, MAKEWPARAM(ctlId_, code), reinterpret_cast<LPARAM>(hwnd_));
}

// ---- Geometry -------------------------------------------------------------------------------

int ListBoxControl::ClientWidth() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.right;
}

int ListBoxControl::ClientHeight() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.bottom;
}

int ListBoxControl::HeightOf(int index) const {
    if ((Style() & LBS_OWNERDRAWVARIABLE) && Valid(index)) {
        return items_[index].height;
    }
    return itemHeight_;
}

RECT ListBoxControl::ItemRect(int index) const {
    int y = 0;
    if (index >= top_) {
        for (int i = top_; i < index; ++i) {
            y += HeightOf(i);
        }
    } else {
        for (int i = index; i < top_; ++i) {
            y -= HeightOf(i);
        }
    }
    return RECT{-horizontalOffset_, y, ClientWidth(), y + HeightOf(index)};
}

int ListBoxControl::ItemAt(POINT point, bool* outside) const {
    const int height = ClientHeight();
    *outside = point.x < 0 || point.x >= ClientWidth() || point.y < 0 || point.y >= height;
    if (Count() == 0) {
        return -1;
    }
    int y = 0;
    int index = top_;
    if (point.y < 0) {
        return top_;
    }
    while (index < Count()) {
        y += HeightOf(index);
        if (point.y < y) {
            return index;
        }
        ++index;
    }
    *outside = true;
    return Count() - 1;
}

int ListBoxControl::FullRowsFromTop() const {
    const int height = ClientHeight();
    int rows = 0;
    int y = 0;
    for (int index = top_; index < Count(); ++index) {
        y += HeightOf(index);
        if (y > height) {
            break;
        }
        ++rows;
    }
    if ((Style() & LBS_OWNERDRAWVARIABLE) == 0) {
        rows = itemHeight_ > 0 ? height / itemHeight_ : 0;
    }
    return std::max(rows, 1);
}

int ListBoxControl::MaxTop() const {
    const int height = ClientHeight();
    int y = 0;
    int top = Count();
    while (top > 0 && y + HeightOf(top - 1) <= height) {
        y += HeightOf(top - 1);
        --top;
    }
    return top >= Count() ? std::max(Count() - 1, 0) : top;
}

void ListBoxControl::SetTop(int top) {
    top = std::clamp(top, 0, MaxTop());
    if (top == top_) {
        return;
    }
    top_ = top;
    UpdateScrollBars();
    Invalidate();
}

void ListBoxControl::ScrollIntoView(int index) {
    if (!Valid(index)) {
        return;
    }
    if (index < top_) {
        SetTop(index);
        return;
    }
    const int height = ClientHeight();
    int top = top_;
    auto bottomOf = [&](int from) {
        int y = 0;
        for (int i = from; i <= index; ++i) {
            y += HeightOf(i);
        }
        return y;
    };
    while (top < index && bottomOf(top) > height) {
        ++top;
    }
    SetTop(top);
}

void ListBoxControl::UpdateScrollBars() {
    if (updatingBars_ || (!wantsVertical_ && !wantsHorizontal_)) {
        return;
    }
    updatingBars_ = true;
    const UINT keep = (Style() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (wantsVertical_) {
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_RANGE | SIF_PAGE | SIF_POS | keep,
                        0,
                        std::max(Count() - 1, 0),
                        static_cast<UINT>(FullRowsFromTop()),
                        top_,
                        0};
        if (Count() == 0) {
            info.nPage = 0;
        }
        SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    }
    if (wantsHorizontal_) {
        horizontalOffset_ =
            std::clamp(horizontalOffset_, 0, std::max(0, horizontalExtent_ - ClientWidth()));
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_RANGE | SIF_PAGE | SIF_POS | keep,
                        0,
                        std::max(horizontalExtent_ - 1, 0),
                        static_cast<UINT>(std::max(ClientWidth(), 0)),
                        horizontalOffset_,
                        0};
        SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
    }
    updatingBars_ = false;
}

void ListBoxControl::MeasureFixed() {
    MEASUREITEMSTRUCT measure{
        ctlType_, ctlId_, 0, static_cast<UINT>(ClientWidth()), static_cast<UINT>(itemHeight_), 0};
    SendMessageA(owner_, WM_MEASUREITEM, ctlId_, reinterpret_cast<LPARAM>(&measure));
    itemHeight_ = std::clamp(static_cast<int>(measure.itemHeight), 1, kMaxItemHeight);
}

void ListBoxControl::MeasureItem(int index, LPARAM lParam) {
    MEASUREITEMSTRUCT measure{ctlType_,
                              ctlId_,
                              static_cast<UINT>(index),
                              static_cast<UINT>(ClientWidth()),
                              static_cast<UINT>(itemHeight_),
                              static_cast<ULONG_PTR>(lParam)};
    SendMessageA(owner_, WM_MEASUREITEM, ctlId_, reinterpret_cast<LPARAM>(&measure));
    items_[index].height = std::clamp(static_cast<int>(measure.itemHeight), 1, kMaxItemHeight);
}

// ---- Drawing --------------------------------------------------------------------------------

HBRUSH ListBoxControl::ControlColor(HDC dc) const {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        owner_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void ListBoxControl::Invalidate() {
    if (redraw_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ListBoxControl::DrawItem(HDC dc, int index, UINT action, HBRUSH background) {
    const RECT rect = ItemRect(index);
    const bool selected = IsSelected(index);
    const bool focus = focused_ && index == caret_;
    if (OwnerDraw()) {
        UINT state = 0;
        if (selected) {
            state |= ODS_SELECTED;
        }
        if (focus) {
            state |= ODS_FOCUS;
        }
        if (!IsWindowEnabled(hwnd_)) {
            state |= ODS_DISABLED;
        }
        DRAWITEMSTRUCT draw{ctlType_, ctlId_, static_cast<UINT>(index), action, state, itemWindow_,
                            dc,       rect,   items_[index].data};
        SendMessageA(owner_, WM_DRAWITEM, ctlId_, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    const COLORREF oldText = GetTextColor(dc);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &rect, background);
        if (!IsWindowEnabled(hwnd_)) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
    }
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    RECT textRect{rect.left + kTextMargin, rect.top, rect.right, rect.bottom};
    const std::string& text = items_[index].text;
    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (Style() & LBS_USETABSTOPS) {
        format |= DT_EXPANDTABS;
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldText);
}

void ListBoxControl::DrawItemNow(int index, UINT action) {
    if (!redraw_ || !IsWindowVisible(hwnd_)) {
        return;
    }
    const RECT rect = ItemRect(index);
    if (rect.bottom <= 0 || rect.top >= ClientHeight()) {
        return;
    }
    HDC dc = GetDC(hwnd_);
    if (dc == nullptr) {
        return;
    }
    HBRUSH background = ControlColor(dc);
    DrawItem(dc, index, action, background);
    ReleaseDC(hwnd_, dc);
}

void ListBoxControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        HBRUSH background = ControlColor(dc);
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, background);
        int y = 0;
        for (int index = top_; index < Count() && y < client.bottom; ++index) {
            DrawItem(dc, index, ODA_DRAWENTIRE, background);
            y += HeightOf(index);
        }
        if (Count() == 0 && focused_ && OwnerDraw()) {
            DRAWITEMSTRUCT draw{ctlType_,
                                ctlId_,
                                static_cast<UINT>(-1),
                                ODA_FOCUS,
                                ODS_FOCUS,
                                itemWindow_,
                                dc,
                                RECT{0, 0, client.right, itemHeight_},
                                0};
            SendMessageA(owner_, WM_DRAWITEM, ctlId_, reinterpret_cast<LPARAM>(&draw));
        }
    }
    EndPaint(hwnd_, &paint);
}

// ---- Input ----------------------------------------------------------------------------------

void ListBoxControl::Press(POINT point, WPARAM keys, bool doubleClick) {
    bool outside = false;
    const int index = ItemAt(point, &outside);
    if (dropped_) {
        POINT screen = point;
        ClientToScreen(hwnd_, &screen);
        const LRESULT hit = SendMessageA(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (hit == HTVSCROLL || hit == HTHSCROLL) {
            // The open list's own bar scrolls it; the list keeps the mouse afterwards.
            DefWindowProcA(hwnd_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                           MAKELPARAM(screen.x, screen.y));
            if (dropped_) {
                SetCapture(hwnd_);
            }
        } else if (outside) {
            Notify(kComboListCancelled);
        } else {
            SelectSingle(index);
        }
        return;
    }
    if (GetFocus() != hwnd_ && (Style() & LBS_COMBOBOX) == 0) {
        SetFocus(hwnd_);
    }
    const bool onItem = Valid(index) && !outside;
    bool changed = false;
    if (onItem && (Style() & LBS_NOSEL) == 0) {
        if (!MultiSelect()) {
            changed = SelectSingle(index);
        } else if (!Extended()) {
            items_[index].selected = !items_[index].selected;
            DrawItemNow(index, ODA_SELECT);
            changed = true;
            SetCaret(index);
        } else if (keys & MK_SHIFT) {
            if (!Valid(anchor_)) {
                anchor_ = index;
            }
            if ((keys & MK_CONTROL) == 0) {
                changed = SelectOnly(-1);
            }
            changed = SelectRange(anchor_, index, true) || changed;
            SetCaret(index);
        } else if (keys & MK_CONTROL) {
            items_[index].selected = !items_[index].selected;
            DrawItemNow(index, ODA_SELECT);
            changed = true;
            anchor_ = index;
            SetCaret(index);
        } else {
            changed = SelectOnly(index);
            anchor_ = index;
            SetCaret(index);
        }
    }
    tracking_ = true;
    changedWhileTracking_ = changed;
    SetCapture(hwnd_);
    if (doubleClick && onItem) {
        Notify(LBN_DBLCLK);
    }
}

void ListBoxControl::Drag(POINT point) {
    bool outside = false;
    const int index = ItemAt(point, &outside);
    if (dropped_) {
        if (!outside) {
            SelectSingle(index);
        }
        return;
    }
    if (!tracking_ || !Valid(index) || (MultiSelect() && !Extended())) {
        return;
    }
    if (!MultiSelect()) {
        changedWhileTracking_ = SelectSingle(index) || changedWhileTracking_;
    } else {
        const int from = Valid(anchor_) ? anchor_ : index;
        bool changed = SelectOnly(-1);
        changed = SelectRange(from, index, true) || changed;
        changedWhileTracking_ = changedWhileTracking_ || changed;
        SetCaret(index);
    }
    ScrollIntoView(index);
}

void ListBoxControl::Release() {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (changedWhileTracking_) {
        changedWhileTracking_ = false;
        Notify(LBN_SELCHANGE);
    }
}

void ListBoxControl::KeyDown(WPARAM key) {
    if (Count() == 0) {
        return;
    }
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int current = Valid(caret_) ? caret_ : -1;
    const int page = std::max(FullRowsFromTop() - 1, 1);
    int next = current;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            next = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            next = current + 1;
            break;
        case VK_HOME:
            next = 0;
            break;
        case VK_END:
            next = Count() - 1;
            break;
        case VK_PRIOR:
            next = current - page;
            break;
        case VK_NEXT:
            next = current < 0 ? page : current + page;
            break;
        case VK_SPACE:
            if (MultiSelect() && Valid(current) && (!Extended() || control)) {
                items_[current].selected = !items_[current].selected;
                DrawItemNow(current, ODA_SELECT);
                anchor_ = current;
                Notify(LBN_SELCHANGE);
            }
            return;
        default:
            return;
    }
    next = std::clamp(next, 0, Count() - 1);
    bool changed = false;
    if (!MultiSelect()) {
        changed = SelectSingle(next);
    } else if (!Extended() || control) {
        SetCaret(next);
    } else if (shift) {
        if (!Valid(anchor_)) {
            anchor_ = Valid(current) ? current : next;
        }
        changed = SelectOnly(-1);
        changed = SelectRange(anchor_, next, true) || changed;
        SetCaret(next);
    } else {
        changed = SelectOnly(next);
        anchor_ = next;
        SetCaret(next);
    }
    ScrollIntoView(next);
    if (changed) {
        Notify(LBN_SELCHANGE);
    }
}

void ListBoxControl::Char(WPARAM character) {
    const auto typed = static_cast<unsigned char>(character);
    if (typed <= ' ' || typed >= 0x80 || !HasStrings() || Count() == 0) {
        return;
    }
    // Type-ahead by the first character: the next item after the caret that starts with it.
    const int start = Valid(caret_) ? caret_ + 1 : 0;
    for (int step = 0; step < Count(); ++step) {
        const int index = (start + step) % Count();
        const std::string& text = items_[index].text;
        if (!text.empty() && FoldAscii(static_cast<unsigned char>(text[0])) == FoldAscii(typed)) {
            bool changed = false;
            if (!MultiSelect()) {
                changed = SelectSingle(index);
            } else if (Extended()) {
                changed = SelectOnly(index);
                anchor_ = index;
                SetCaret(index);
            } else {
                SetCaret(index);
            }
            ScrollIntoView(index);
            if (changed) {
                Notify(LBN_SELCHANGE);
            }
            return;
        }
    }
}

void ListBoxControl::Scroll(WORD code, int thumb) {
    const int page = std::max(FullRowsFromTop(), 1);
    switch (code) {
        case SB_LINEUP:
            SetTop(top_ - 1);
            break;
        case SB_LINEDOWN:
            SetTop(top_ + 1);
            break;
        case SB_PAGEUP:
            SetTop(top_ - page);
            break;
        case SB_PAGEDOWN:
            SetTop(top_ + page);
            break;
        case SB_TOP:
            SetTop(0);
            break;
        case SB_BOTTOM:
            SetTop(MaxTop());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetTop(thumb);
            break;
        default:
            break;
    }
}

void ListBoxControl::ScrollHorizontally(WORD code, int thumb) {
    const int limit = std::max(0, horizontalExtent_ - ClientWidth());
    const int line = std::max(itemHeight_ / 2, 1);
    int offset = horizontalOffset_;
    switch (code) {
        case SB_LINELEFT:
            offset -= line;
            break;
        case SB_LINERIGHT:
            offset += line;
            break;
        case SB_PAGELEFT:
            offset -= ClientWidth();
            break;
        case SB_PAGERIGHT:
            offset += ClientWidth();
            break;
        case SB_LEFT:
            offset = 0;
            break;
        case SB_RIGHT:
            offset = limit;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            offset = thumb;
            break;
        default:
            return;
    }
    offset = std::clamp(offset, 0, limit);
    if (offset != horizontalOffset_) {
        horizontalOffset_ = offset;
        UpdateScrollBars();
        Invalidate();
    }
}

// ---- Messages -------------------------------------------------------------------------------

LRESULT ListBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (Style() & LBS_OWNERDRAWFIXED) {
                MeasureFixed();
            }
            if ((Style() & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE | LBS_COMBOBOX)) == 0 &&
                itemHeight_ > 0) {
                RECT client{};
                GetClientRect(hwnd_, &client);
                const int trim = client.bottom % itemHeight_;
                if (trim > 0 && client.bottom > itemHeight_) {
                    SetWindowPos(hwnd_, nullptr, 0, 0, create->cx, create->cy - trim,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
            UpdateScrollBars();
            return 0;
        }
        case WM_DESTROY:
            for (int i = 0; i < Count(); ++i) {
                SendDeleteItem(i);
            }
            items_.clear();
            return 0;
        case kListSetDropped:
            dropped_ = wParam != 0;
            return 0;
        case LB_ADDSTRING:
            return Insert(-1, lParam, (Style() & LBS_SORT) != 0);
        case LB_INSERTSTRING:
            return Insert(index, lParam, false);
        case LB_DELETESTRING:
            return Delete(index);
        case LB_RESETCONTENT:
            Reset();
            return LB_OKAY;
        case LB_GETCOUNT:
            return Count();
        case LB_GETTEXT:
            return GetText(index, reinterpret_cast<char*>(lParam));
        case LB_GETTEXTLEN:
            if (!Valid(index)) {
                return LB_ERR;
            }
            return HasStrings() ? static_cast<LRESULT>(items_[index].text.size())
                                : static_cast<LRESULT>(sizeof(ULONG_PTR));
        case LB_SETITEMDATA:
            if (index == -1) {
                for (Item& item : items_) {
                    item.data = static_cast<ULONG_PTR>(lParam);
                }
                return LB_OKAY;
            }
            if (!Valid(index)) {
                return LB_ERR;
            }
            items_[index].data = static_cast<ULONG_PTR>(lParam);
            return LB_OKAY;
        case LB_GETITEMDATA:
            return Valid(index) ? static_cast<LRESULT>(items_[index].data) : LB_ERR;
        case LB_SETCURSEL:
            if (MultiSelect()) {
                return LB_ERR;
            }
            if (index == -1) {
                SelectSingle(-1);
                return LB_ERR;
            }
            if (!Valid(index)) {
                return LB_ERR;
            }
            SelectSingle(index);
            ScrollIntoView(index);
            return index;
        case LB_GETCURSEL:
            if (MultiSelect()) {
                return Valid(caret_) ? caret_ : LB_ERR;
            }
            return Valid(selection_) ? selection_ : LB_ERR;
        case LB_SETSEL: {
            const int target = static_cast<int>(lParam);
            if (!MultiSelect() || (target != -1 && !Valid(target))) {
                return LB_ERR;
            }
            if (target == -1) {
                SelectRange(0, Count() - 1, wParam != 0);
            } else {
                SelectRange(target, target, wParam != 0);
                SetCaret(target);
                if (wParam != 0) {
                    anchor_ = target;
                }
            }
            return LB_OKAY;
        }
        case LB_GETSEL:
            if (!Valid(index)) {
                return LB_ERR;
            }
            return IsSelected(index) ? 1 : 0;
        case LB_GETSELCOUNT:
            return MultiSelect() ? SelectionCount() : LB_ERR;
        case LB_GETSELITEMS: {
            if (!MultiSelect()) {
                return LB_ERR;
            }
            auto* out = reinterpret_cast<int*>(lParam);
            int copied = 0;
            for (int i = 0; i < Count() && copied < index && out != nullptr; ++i) {
                if (items_[i].selected) {
                    out[copied++] = i;
                }
            }
            return copied;
        }
        case LB_SELITEMRANGE:
            if (!MultiSelect()) {
                return LB_ERR;
            }
            SelectRange(LOWORD(lParam), HIWORD(lParam), wParam != 0);
            return LB_OKAY;
        case LB_SELITEMRANGEEX: {
            if (!MultiSelect()) {
                return LB_ERR;
            }
            const int first = index;
            const int last = static_cast<int>(lParam);
            SelectRange(first, last, first <= last);
            return LB_OKAY;
        }
        case LB_FINDSTRING:
            return Find(index, lParam, false);
        case LB_FINDSTRINGEXACT:
            return Find(index, lParam, true);
        case LB_SELECTSTRING: {
            const int found = Find(index, lParam, false);
            if (found == LB_ERR) {
                return LB_ERR;
            }
            if (MultiSelect()) {
                SelectRange(found, found, true);
                SetCaret(found);
            } else {
                SelectSingle(found);
            }
            ScrollIntoView(found);
            return found;
        }
        case LB_SETTOPINDEX:
            if (!Valid(index) && !(index == 0 && Count() == 0)) {
                return LB_ERR;
            }
            SetTop(index);
            return LB_OKAY;
        case LB_GETTOPINDEX:
            return top_;
        case LB_SETCARETINDEX:
            if (!Valid(index)) {
                return LB_ERR;
            }
            if (MultiSelect()) {
                SetCaret(index);
            } else {
                SelectSingle(index);
            }
            ScrollIntoView(index);
            return LB_OKAY;
        case LB_GETCARETINDEX:
            return Valid(caret_) ? caret_ : (Count() > 0 ? 0 : LB_ERR);
        case LB_SETANCHORINDEX:
            if (!Valid(index)) {
                return LB_ERR;
            }
            anchor_ = index;
            return LB_OKAY;
        case LB_GETANCHORINDEX:
            return Valid(anchor_) ? anchor_ : LB_ERR;
        case LB_GETITEMHEIGHT:
            if (Style() & LBS_OWNERDRAWVARIABLE) {
                return Valid(index) ? items_[index].height : LB_ERR;
            }
            return itemHeight_;
        case LB_SETITEMHEIGHT: {
            const int height = LOWORD(lParam);
            if (height <= 0 || height > kMaxItemHeight) {
                return LB_ERR;
            }
            if (Style() & LBS_OWNERDRAWVARIABLE) {
                if (!Valid(index)) {
                    return LB_ERR;
                }
                items_[index].height = height;
            } else {
                itemHeight_ = height;
            }
            top_ = std::min(top_, MaxTop());
            UpdateScrollBars();
            Invalidate();
            return LB_OKAY;
        }
        case LB_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect == nullptr || (!Valid(index) && !(index == 0 && Count() == 0))) {
                return LB_ERR;
            }
            *rect = ItemRect(index);
            return LB_OKAY;
        }
        case LB_ITEMFROMPOINT: {
            bool outside = false;
            const int found = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
            return static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(std::max(found, 0)), outside || found < 0 ? 1 : 0));
        }
        case LB_SETHORIZONTALEXTENT:
            horizontalExtent_ = std::max(index, 0);
            UpdateScrollBars();
            Invalidate();
            return 0;
        case LB_GETHORIZONTALEXTENT:
            return horizontalExtent_;
        case LB_INITSTORAGE:
            items_.reserve(items_.size() + wParam);
            return Count() + static_cast<LRESULT>(wParam);
        case WM_SETFONT:
            font_ = wParam != 0 ? reinterpret_cast<HFONT>(wParam)
                                : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            if (!OwnerDraw()) {
                itemHeight_ = FontHeight();
            }
            top_ = std::min(top_, MaxTop());
            UpdateScrollBars();
            if (LOWORD(lParam) != 0) {
                Invalidate();
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETREDRAW:
            redraw_ = wParam != 0;
            Invalidate();
            return 0;
        case WM_SIZE:
            top_ = std::min(top_, MaxTop());
            UpdateScrollBars();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ENABLE:
            Invalidate();
            return 0;
        case WM_SETFOCUS:
            focused_ = true;
            if (Valid(caret_)) {
                DrawItemNow(caret_, ODA_FOCUS);
            } else if (Count() == 0) {
                Invalidate();
            }
            Notify(LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            focused_ = false;
            if (Valid(caret_)) {
                DrawItemNow(caret_, ODA_FOCUS);
            } else if (Count() == 0) {
                Invalidate();
            }
            Notify(LBN_KILLFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam,
                  message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE:
            Drag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            if (dropped_) {
                bool outside = false;
                const int chosen =
                    ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
                if (!outside && Valid(chosen)) {
                    SelectSingle(chosen);
                    Notify(kComboListChosen);
                }
                return 0;
            }
            Release();
            return 0;
        case WM_CAPTURECHANGED:
            if (tracking_) {
                tracking_ = false;
                if (changedWhileTracking_) {
                    changedWhileTracking_ = false;
                    Notify(LBN_SELCHANGE);
                }
            }
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            Char(wParam);
            return 0;
        case WM_VSCROLL:
            Scroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            ScrollHorizontally(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEWHEEL: {
            const int notches = static_cast<short>(HIWORD(wParam)) / 120;
            SetTop(top_ - notches * kWheelLines);
            return 0;
        }
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace platform
