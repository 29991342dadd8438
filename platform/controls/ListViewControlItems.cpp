// The list view's items: adding, reading, changing, finding, removing and sorting them.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListViewControl.h"
#include "platform/controls/TolerantMergeSort.h"
#include "platform/text/Gbk.h"

namespace platform::views {

int ListViewControl::IndexOf(unsigned id) const {
    for (int i = 0; i < Count(); ++i) {
        if (rows_[static_cast<size_t>(i)].id == id) {
            return i;
        }
    }
    return -1;
}

const std::string& ListViewControl::TextOf(const Row& row, int subItem) const {
    static const std::string empty;
    if (subItem < 0 || static_cast<size_t>(subItem) >= row.texts.size()) {
        return empty;
    }
    return row.texts[static_cast<size_t>(subItem)];
}

LRESULT ListViewControl::InsertItem(const LVITEMA* item) {
    if (item == nullptr || item->iItem < 0 || item->iSubItem != 0) {
        return -1;
    }
    const int index = std::min(item->iItem, Count());
    Row row;
    row.id = nextId_++;
    if ((item->mask & LVIF_TEXT) && item->pszText != LPSTR_TEXTCALLBACKA) {
        row.texts.push_back(TextIn(item->pszText));
    }
    if (item->mask & LVIF_PARAM) {
        row.data = item->lParam;
    }
    if (item->mask & LVIF_IMAGE) {
        row.image = item->iImage;
    }
    if (item->mask & LVIF_INDENT) {
        row.indent = item->iIndent;
    }
    // Selection and focus go through the state path below, so that they notify and stay unique.
    const UINT wanted = (item->mask & LVIF_STATE) ? item->state & item->stateMask : 0;
    row.state = wanted & ~static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED);
    const unsigned id = row.id;
    const LPARAM data = row.data;
    rows_.insert(rows_.begin() + index, std::move(row));
    if (mark_ >= index) {
        ++mark_;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
    NotifyItem(LVN_INSERTITEM, index, 0, 0, 0, 0, data);
    const UINT selection = wanted & (LVIS_SELECTED | LVIS_FOCUSED);
    if (selection != 0) {
        const int now = IndexOf(id);
        if (now >= 0) {
            SetState(now, selection, selection);
        }
    }
    return index;
}

BOOL ListViewControl::DeleteItem(int index) {
    if (index < 0 || index >= Count()) {
        return FALSE;
    }
    const unsigned id = rows_[static_cast<size_t>(index)].id;
    NotifyItem(LVN_DELETEITEM, index, 0, 0, 0, 0, rows_[static_cast<size_t>(index)].data);
    index = IndexOf(id);
    if (index < 0) {
        return TRUE;
    }
    rows_.erase(rows_.begin() + index);
    if (mark_ == index) {
        mark_ = -1;
    } else if (mark_ > index) {
        --mark_;
    }
    ScrollTo(topIndex_, scrollX_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL ListViewControl::DeleteAllItems() {
    if (rows_.empty()) {
        return TRUE;
    }
    // The parent may answer TRUE to forgo one LVN_DELETEITEM per row.
    const bool perItem = NotifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, 0) == 0;
    if (perItem) {
        const std::vector<Row> doomed = rows_;
        for (int i = static_cast<int>(doomed.size()) - 1; i >= 0; --i) {
            NotifyItem(LVN_DELETEITEM, i, 0, 0, 0, 0, doomed[static_cast<size_t>(i)].data);
        }
    }
    rows_.clear();
    mark_ = -1;
    topIndex_ = 0;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
    return TRUE;
}

BOOL ListViewControl::GetItem(LVITEMA* item) const {
    if (item == nullptr || item->iItem < 0 || item->iItem >= Count() || item->iSubItem < 0 ||
        (item->iSubItem > 0 && item->iSubItem >= ColumnCount())) {
        return FALSE;
    }
    const Row& row = rows_[static_cast<size_t>(item->iItem)];
    if (item->mask & LVIF_TEXT) {
        CopyTextOut(TextOf(row, item->iSubItem), item->pszText, item->cchTextMax);
    }
    if (item->mask & LVIF_STATE) {
        item->state = row.state & item->stateMask;
    }
    if (item->mask & LVIF_PARAM) {
        item->lParam = row.data;
    }
    if (item->mask & LVIF_IMAGE) {
        item->iImage = row.image;
    }
    if (item->mask & LVIF_INDENT) {
        item->iIndent = row.indent;
    }
    return TRUE;
}

BOOL ListViewControl::SetItem(const LVITEMA* item) {
    if (item == nullptr || item->iItem < 0 || item->iItem >= Count() || item->iSubItem < 0 ||
        (item->iSubItem > 0 && item->iSubItem >= ColumnCount())) {
        return FALSE;
    }
    int index = item->iItem;
    if (item->iSubItem > 0) {
        // A sub-item holds only a text.
        return (item->mask & LVIF_TEXT) ? SetItemText(index, item) : TRUE;
    }
    const UINT attributes = item->mask & (LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT);
    if (attributes != 0) {
        Row& row = rows_[static_cast<size_t>(index)];
        const unsigned id = row.id;
        if (NotifyItem(LVN_ITEMCHANGING, index, 0, 0, 0, attributes, row.data) != 0) {
            return FALSE;
        }
        index = IndexOf(id);
        if (index < 0) {
            return FALSE;
        }
        Row& changed = rows_[static_cast<size_t>(index)];
        if (item->mask & LVIF_TEXT) {
            if (changed.texts.empty()) {
                changed.texts.emplace_back();
            }
            changed.texts[0] = item->pszText == LPSTR_TEXTCALLBACKA ? "" : TextIn(item->pszText);
        }
        if (item->mask & LVIF_PARAM) {
            changed.data = item->lParam;
        }
        if (item->mask & LVIF_IMAGE) {
            changed.image = item->iImage;
        }
        if (item->mask & LVIF_INDENT) {
            changed.indent = item->iIndent;
        }
        InvalidateRow(index);
        NotifyItem(LVN_ITEMCHANGED, index, 0, 0, 0, attributes, changed.data);
        index = IndexOf(id);
        if (index < 0) {
            return TRUE;
        }
    }
    if (item->mask & LVIF_STATE) {
        SetState(index, item->state, item->stateMask);
    }
    return TRUE;
}

int ListViewControl::GetItemText(int index, LVITEMA* item) const {
    if (item == nullptr || index < 0 || index >= Count()) {
        return 0;
    }
    return CopyTextOut(TextOf(rows_[static_cast<size_t>(index)], item->iSubItem), item->pszText,
                       item->cchTextMax);
}

BOOL ListViewControl::SetItemText(int index, const LVITEMA* item) {
    if (item == nullptr || index < 0 || index >= Count() || item->iSubItem < 0 ||
        (item->iSubItem > 0 && item->iSubItem >= ColumnCount())) {
        return FALSE;
    }
    Row& row = rows_[static_cast<size_t>(index)];
    const size_t subItem = static_cast<size_t>(item->iSubItem);
    if (row.texts.size() <= subItem) {
        row.texts.resize(subItem + 1);
    }
    row.texts[subItem] = item->pszText == LPSTR_TEXTCALLBACKA ? "" : TextIn(item->pszText);
    InvalidateRow(index);
    return TRUE;
}

int ListViewControl::GetNextItem(int start, UINT flags) const {
    const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) { return (rows_[static_cast<size_t>(i)].state & wanted) == wanted; };
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) {
        // Report rows have no neighbours beside them.
        return -1;
    }
    if (flags & LVNI_ABOVE) {
        for (int i = std::min(start, Count()) - 1; i >= 0; --i) {
            if (matches(i)) {
                return i;
            }
        }
        return -1;
    }
    for (int i = std::max(start + 1, 0); i < Count(); ++i) {
        if (matches(i)) {
            return i;
        }
    }
    return -1;
}

int ListViewControl::FindItem(int start, const LVFINDINFOA* find) const {
    if (find == nullptr || Count() == 0) {
        return -1;
    }
    const std::string wanted = TextIn(find->psz);
    auto matches = [&](const Row& row) {
        if (find->flags & LVFI_PARAM) {
            return row.data == find->lParam;
        }
        if (find->flags & (LVFI_STRING | LVFI_PARTIAL)) {
            const std::string& text = TextOf(row, 0);
            if (find->flags & LVFI_PARTIAL) {
                return text.size() >= wanted.size() &&
                       CompareNoCase(std::string_view(text).substr(0, wanted.size()), wanted) == 0;
            }
            return CompareNoCase(text, wanted) == 0;
        }
        return false;
    };
    const int first = std::max(start + 1, 0);
    for (int i = first; i < Count(); ++i) {
        if (matches(rows_[static_cast<size_t>(i)])) {
            return i;
        }
    }
    if (find->flags & LVFI_WRAP) {
        for (int i = 0; i < std::min(first, Count()); ++i) {
            if (matches(rows_[static_cast<size_t>(i)])) {
                return i;
            }
        }
    }
    return -1;
}

int ListViewControl::SelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& row) {
        return (row.state & LVIS_SELECTED) != 0;
    }));
}

BOOL ListViewControl::SortItems(LPARAM context, PFNLVCOMPARE compare) {
    if (compare == nullptr) {
        return FALSE;
    }
    // The rows keep their places while the comparison runs, so that a comparison which reads
    // rows by index (through item data that numbers them) sees a stable list.
    std::vector<unsigned> order;
    order.reserve(rows_.size());
    std::vector<LPARAM> data;
    for (const Row& row : rows_) {
        order.push_back(row.id);
        data.push_back(row.data);
    }
    std::vector<size_t> positions(rows_.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    TolerantMergeSort(positions, [&](size_t left, size_t right) {
        return compare(data[left], data[right], context);
    });
    if (rows_.size() != order.size() ||
        !std::equal(order.begin(), order.end(), rows_.begin(),
                    [](unsigned id, const Row& row) { return row.id == id; })) {
        // The comparison changed the list under the sort; its order no longer applies.
        return FALSE;
    }
    const unsigned markId = mark_ >= 0 ? rows_[static_cast<size_t>(mark_)].id : 0;
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (size_t position : positions) {
        sorted.push_back(std::move(rows_[position]));
    }
    rows_ = std::move(sorted);
    if (mark_ >= 0) {
        mark_ = IndexOf(markId);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

}  // namespace platform::views
