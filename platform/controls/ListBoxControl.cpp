#include "platform/controls/ListBoxControl.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/text/Gbk.h"
#include "platform/windows/WindowApi.h"

namespace platform {

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
    return std::min(LineHeight(font_), kMaxItemHeight);
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
    SendCommandTo(notify_, ctlId_, hwnd_, code);
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

}  // namespace platform
