#include "platform/controls/ListViewControl.h"

#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollInfo.h"
#include "platform/screen/ScreenApi.h"

namespace platform::views {
namespace {

constexpr int kRowPadding = 4;

}  // namespace

void ListViewControl::Create() {
    backColor_ = GetSysColor(COLOR_WINDOW);
    textColor_ = GetSysColor(COLOR_WINDOWTEXT);
    // The text background follows the list's background until a program sets one.
    textBackColor_ = CLR_DEFAULT;
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const bool showHeader =
        (style & LVS_TYPEMASK) == LVS_REPORT && (style & LVS_NOCOLUMNHEADER) == 0;
    DWORD headerStyle = WS_CHILD | HDS_HORZ;
    if (showHeader) {
        headerStyle |= WS_VISIBLE;
    }
    if ((style & LVS_NOSORTHEADER) == 0) {
        headerStyle |= HDS_BUTTONS;
    }
    header_ = CreateWindowExA(0, WC_HEADERA, "", headerStyle, 0, 0, 0, 0, hwnd_, nullptr, nullptr,
                              nullptr);
    MeasureRows();
    Layout();
}

void ListViewControl::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const bool showHeader =
        (style & LVS_TYPEMASK) == LVS_REPORT && (style & LVS_NOCOLUMNHEADER) == 0;
    headerHeight_ = 0;
    if (header_ != nullptr && showHeader) {
        RECT area{-scrollX_, 0, client.right, client.bottom};
        WINDOWPOS position{};
        HDLAYOUT layout{&area, &position};
        SendMessageA(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        SetWindowPos(header_, nullptr, position.x, position.y, position.cx, position.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        headerHeight_ = position.cy;
    }
    ScrollTo(topIndex_, scrollX_);
}

void ListViewControl::MeasureRows() {
    rowHeight_ = std::max(LineHeight(font_) + kRowPadding, 1);
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_[LVSIL_SMALL] != nullptr &&
        ImageList_GetIconSize(images_[LVSIL_SMALL], &imageWidth, &imageHeight)) {
        rowHeight_ = std::max(rowHeight_, imageHeight + 1);
    }
    if (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_LISTVIEW;
        measure.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        measure.itemHeight = static_cast<UINT>(rowHeight_);
        if (HWND parent = GetParent(hwnd_)) {
            SendMessageA(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        }
        if (measure.itemHeight > 0 && measure.itemHeight < 0x8000) {
            rowHeight_ = static_cast<int>(measure.itemHeight);
        }
    }
}

int ListViewControl::TotalWidth() const {
    int width = 0;
    for (const Column& column : columns_) {
        width += column.width;
    }
    return width;
}

int ListViewControl::ColumnLeft(int column) const {
    int left = 0;
    for (int i = 0; i < column && i < ColumnCount(); ++i) {
        left += columns_[static_cast<size_t>(i)].width;
    }
    return left - scrollX_;
}

RECT ListViewControl::Client() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client;
}

int ListViewControl::CountPerPage() const {
    const RECT client = Client();
    return std::max(0, (client.bottom - headerHeight_) / rowHeight_);
}

RECT ListViewControl::RowBounds(int index) const {
    const int top = headerHeight_ + (index - topIndex_) * rowHeight_;
    return RECT{-scrollX_, top, TotalWidth() - scrollX_, top + rowHeight_};
}

int ListViewControl::IconWidth() const {
    int width = 0;
    int height = 0;
    if (images_[LVSIL_SMALL] != nullptr &&
        ImageList_GetIconSize(images_[LVSIL_SMALL], &width, &height)) {
        return width;
    }
    return 0;
}

bool ListViewControl::WholeRowSelects() const {
    return (extendedStyle_ & LVS_EX_FULLROWSELECT) != 0 ||
           (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0;
}

BOOL ListViewControl::ItemRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    const RECT bounds = RowBounds(index);
    const int firstRight = ColumnCount() > 0 ? ColumnLeft(1) : bounds.left;
    const int indent = rows_[static_cast<size_t>(index)].indent * IconWidth();
    RECT icon{bounds.left + indent, bounds.top, bounds.left + indent + IconWidth(), bounds.bottom};
    icon.right = std::min(icon.right, std::max(firstRight, icon.left));
    const RECT label{icon.right, bounds.top, std::max(firstRight, icon.right), bounds.bottom};
    switch (rect->left) {
        case LVIR_BOUNDS:
            *rect = bounds;
            return TRUE;
        case LVIR_ICON:
            *rect = icon;
            return TRUE;
        case LVIR_LABEL:
            *rect = label;
            return TRUE;
        case LVIR_SELECTBOUNDS:
            *rect = WholeRowSelects() ? bounds
                                      : RECT{icon.left, bounds.top, label.right, bounds.bottom};
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL ListViewControl::SubItemRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= Count()) {
        return FALSE;
    }
    const int subItem = rect->top;
    if (subItem == 0) {
        // The first column's rectangles are the item's own, bounds spanning the whole row.
        return ItemRect(index, rect);
    }
    if (subItem < 0 || subItem >= ColumnCount()) {
        return FALSE;
    }
    const RECT bounds = RowBounds(index);
    *rect = RECT{ColumnLeft(subItem), bounds.top, ColumnLeft(subItem + 1), bounds.bottom};
    return TRUE;
}

int ListViewControl::HitTest(LVHITTESTINFO* info, bool subItems) const {
    info->iItem = -1;
    info->iSubItem = 0;
    const RECT client = Client();
    const POINT point = info->pt;
    UINT outside = 0;
    if (point.y < 0) {
        outside |= LVHT_ABOVE;
    } else if (point.y >= client.bottom) {
        outside |= LVHT_BELOW;
    }
    if (point.x < 0) {
        outside |= LVHT_TOLEFT;
    } else if (point.x >= client.right) {
        outside |= LVHT_TORIGHT;
    }
    if (outside != 0) {
        info->flags = outside;
        return -1;
    }
    info->flags = LVHT_NOWHERE;
    if (point.y < headerHeight_) {
        return -1;
    }
    const int index = topIndex_ + (point.y - headerHeight_) / rowHeight_;
    if (index >= Count()) {
        return -1;
    }
    int column = -1;
    for (int i = 0; i < ColumnCount(); ++i) {
        if (point.x >= ColumnLeft(i) && point.x < ColumnLeft(i + 1)) {
            column = i;
            break;
        }
    }
    if (column < 0) {
        return -1;
    }
    RECT icon{LVIR_ICON, 0, 0, 0};
    ItemRect(index, &icon);
    if (column == 0) {
        info->flags =
            point.x >= icon.left && point.x < icon.right ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    } else if (subItems || WholeRowSelects()) {
        info->flags = LVHT_ONITEMLABEL;
    } else {
        return -1;
    }
    info->iItem = index;
    if (subItems) {
        info->iSubItem = column;
    }
    return index;
}

void ListViewControl::ScrollTo(int topIndex, int scrollX) {
    const int lastTop = std::max(0, Count() - std::max(1, CountPerPage()));
    topIndex = std::clamp(topIndex, 0, lastTop);
    const RECT client = Client();
    scrollX = std::clamp(scrollX, 0, std::max(0, TotalWidth() - client.right));
    const bool moved = topIndex != topIndex_ || scrollX != scrollX_;
    const bool movedSideways = scrollX != scrollX_;
    topIndex_ = topIndex;
    scrollX_ = scrollX;
    if (movedSideways && header_ != nullptr && headerHeight_ > 0) {
        SetWindowPos(header_, nullptr, -scrollX_, 0, client.right + scrollX_, headerHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moved) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    UpdateScrollBars();
}

void ListViewControl::UpdateScrollBars() {
    if (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_NOSCROLL) {
        return;
    }
    // Rows scroll by whole rows, columns by pixels.
    scrollBars_.Update(hwnd_, [this](int bar) {
        if (bar == SB_VERT) {
            return std::optional(ScrollBarValues{Count() - 1, CountPerPage(), topIndex_});
        }
        return std::optional(
            ScrollBarValues{TotalWidth() - 1, static_cast<int>(Client().right), scrollX_});
    });
}

BOOL ListViewControl::EnsureVisible(int index) {
    if (index < 0 || index >= Count()) {
        return FALSE;
    }
    const int perPage = std::max(1, CountPerPage());
    if (index < topIndex_) {
        ScrollTo(index, scrollX_);
    } else if (index >= topIndex_ + perPage) {
        ScrollTo(index - perPage + 1, scrollX_);
    }
    return TRUE;
}

void ListViewControl::InvalidateRow(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    RECT rect = RowBounds(index);
    rect.left = 0;
    rect.right = std::max(Client().right, rect.right);
    InvalidateRect(hwnd_, &rect, TRUE);
}

bool ListViewControl::ChangeState(int index, UINT state, UINT mask) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    Row& row = rows_[static_cast<size_t>(index)];
    const UINT oldState = row.state;
    const UINT newState = (oldState & ~mask) | (state & mask);
    if (newState == oldState) {
        return false;
    }
    const unsigned id = row.id;
    if (NotifyItem(LVN_ITEMCHANGING, index, 0, newState, oldState, LVIF_STATE, row.data) != 0) {
        return false;
    }
    index = IndexOf(id);
    if (index < 0) {
        return false;
    }
    Row& changed = rows_[static_cast<size_t>(index)];
    changed.state = newState;
    InvalidateRow(index);
    NotifyItem(LVN_ITEMCHANGED, index, 0, newState, oldState, LVIF_STATE, changed.data);
    return true;
}

BOOL ListViewControl::SetState(int index, UINT state, UINT mask) {
    if (index == -1) {
        // Every row; focus cannot go to all of them.
        const UINT allMask =
            (state & LVIS_FOCUSED) ? mask & ~static_cast<UINT>(LVIS_FOCUSED) : mask;
        std::vector<unsigned> ids;
        for (const Row& row : rows_) {
            ids.push_back(row.id);
        }
        for (unsigned id : ids) {
            ChangeState(IndexOf(id), state, allMask);
        }
        return TRUE;
    }
    if (index < 0 || index >= Count()) {
        return FALSE;
    }
    const unsigned id = rows_[static_cast<size_t>(index)].id;
    const bool selecting = (mask & state & LVIS_SELECTED) != 0;
    const bool focusing = (mask & state & LVIS_FOCUSED) != 0;
    if (selecting && (GetWindowLongA(hwnd_, GWL_STYLE) & LVS_SINGLESEL)) {
        for (int other = GetNextItem(-1, LVNI_SELECTED); other >= 0;
             other = GetNextItem(other, LVNI_SELECTED)) {
            if (rows_[static_cast<size_t>(other)].id != id) {
                ChangeState(other, 0, LVIS_SELECTED);
            }
        }
    }
    if (focusing) {
        const int focused = GetNextItem(-1, LVNI_FOCUSED);
        if (focused >= 0 && rows_[static_cast<size_t>(focused)].id != id) {
            ChangeState(focused, 0, LVIS_FOCUSED);
        }
    }
    index = IndexOf(id);
    if (index < 0) {
        return FALSE;
    }
    ChangeState(index, state, mask);
    if (selecting && mark_ < 0) {
        mark_ = IndexOf(id);
    }
    return TRUE;
}

void ListViewControl::SelectOnly(int index) {
    const unsigned id = rows_[static_cast<size_t>(index)].id;
    std::vector<unsigned> others;
    for (const Row& row : rows_) {
        if (row.id != id && (row.state & (LVIS_SELECTED | LVIS_FOCUSED)) != 0) {
            others.push_back(row.id);
        }
    }
    for (unsigned other : others) {
        ChangeState(IndexOf(other), 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    const int now = IndexOf(id);
    ChangeState(now, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    mark_ = IndexOf(id);
}

void ListViewControl::SelectRange(int from, int to) {
    if (from < 0 || from >= Count()) {
        from = to;
    }
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    const unsigned focusId = rows_[static_cast<size_t>(to)].id;
    std::vector<unsigned> ids;
    for (const Row& row : rows_) {
        ids.push_back(row.id);
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        const int position = static_cast<int>(i);
        const bool inside = position >= low && position <= high;
        ChangeState(IndexOf(ids[i]), inside ? LVIS_SELECTED : 0,
                    LVIS_SELECTED | (ids[i] == focusId ? 0 : LVIS_FOCUSED));
    }
    ChangeState(IndexOf(focusId), LVIS_FOCUSED, LVIS_FOCUSED);
}

LRESULT ListViewControl::NotifyItem(UINT code, int index, int subItem, UINT newState, UINT oldState,
                                    UINT changed, LPARAM data) {
    NMLISTVIEW notice{};
    notice.iItem = index;
    notice.iSubItem = subItem;
    notice.uNewState = newState;
    notice.uOldState = oldState;
    notice.uChanged = changed;
    notice.lParam = data;
    return SendNotify(hwnd_, notice.hdr, code);
}

LRESULT ListViewControl::HeaderNotify(NMHDR* header) {
    const LRESULT answer = ForwardNotify(GetParent(hwnd_), header);
    auto* notice = reinterpret_cast<NMHEADERA*>(header);
    switch (header->code) {
        case HDN_ITEMCHANGEDA:
            SyncColumnWidth(notice->iItem);
            break;
        case HDN_ITEMCLICKA:
            NotifyItem(LVN_COLUMNCLICK, -1, notice->iItem, 0, 0, 0, 0);
            break;
        default:
            break;
    }
    return answer;
}

}  // namespace platform::views
