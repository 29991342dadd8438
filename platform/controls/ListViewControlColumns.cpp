// The list view's columns, kept in step with the header above the rows.
#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ListViewControl.h"

namespace platform::views {
namespace {

// Space around a column's text when a column is sized to fit it.
constexpr int kAutoSizePadding = 12;

}  // namespace

LRESULT ListViewControl::InsertColumn(int index, const LVCOLUMNA* column) {
    if (column == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, ColumnCount());
    Column added;
    if (column->mask & LVCF_TEXT) {
        added.text = column->pszText == LPSTR_TEXTCALLBACKA ? "" : TextIn(column->pszText);
    }
    if (column->mask & LVCF_WIDTH) {
        added.width = std::max(0, column->cx);
    }
    if (column->mask & LVCF_FMT) {
        added.format = column->fmt;
    }
    if (column->mask & LVCF_IMAGE) {
        added.image = column->iImage;
    }
    columns_.insert(columns_.begin() + index, std::move(added));
    Column& own = columns_[static_cast<size_t>(index)];
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = own.text.data();
    item.cxy = own.width;
    item.fmt = (own.format & LVCFMT_JUSTIFYMASK) | HDF_STRING;
    for (Row& row : rows_) {
        if (static_cast<size_t>(index) < row.texts.size()) {
            row.texts.insert(row.texts.begin() + index, std::string());
        }
    }
    SendMessageA(header_, HDM_INSERTITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
    return index;
}

BOOL ListViewControl::DeleteColumn(int index) {
    if (index < 0 || index >= ColumnCount()) {
        return FALSE;
    }
    columns_.erase(columns_.begin() + index);
    for (Row& row : rows_) {
        if (static_cast<size_t>(index) < row.texts.size()) {
            row.texts.erase(row.texts.begin() + index);
        }
    }
    SendMessageA(header_, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    ScrollTo(topIndex_, scrollX_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL ListViewControl::GetColumn(int index, LVCOLUMNA* column) const {
    if (column == nullptr || index < 0 || index >= ColumnCount()) {
        return FALSE;
    }
    const Column& own = columns_[static_cast<size_t>(index)];
    if (column->mask & LVCF_TEXT) {
        CopyTextOut(own.text, column->pszText, column->cchTextMax);
    }
    if (column->mask & LVCF_WIDTH) {
        column->cx = own.width;
    }
    if (column->mask & LVCF_FMT) {
        column->fmt = own.format;
    }
    if (column->mask & LVCF_SUBITEM) {
        column->iSubItem = index;
    }
    if (column->mask & LVCF_IMAGE) {
        column->iImage = own.image;
    }
    if (column->mask & LVCF_ORDER) {
        column->iOrder = index;
    }
    return TRUE;
}

BOOL ListViewControl::SetColumn(int index, const LVCOLUMNA* column) {
    if (column == nullptr || index < 0 || index >= ColumnCount()) {
        return FALSE;
    }
    Column& own = columns_[static_cast<size_t>(index)];
    HDITEMA item{};
    if (column->mask & LVCF_TEXT) {
        own.text = column->pszText == LPSTR_TEXTCALLBACKA ? "" : TextIn(column->pszText);
        item.mask |= HDI_TEXT;
        item.pszText = own.text.data();
    }
    if (column->mask & LVCF_FMT) {
        own.format = column->fmt;
        item.mask |= HDI_FORMAT;
        item.fmt = (own.format & LVCFMT_JUSTIFYMASK) | HDF_STRING;
    }
    if (column->mask & LVCF_IMAGE) {
        own.image = column->iImage;
    }
    if (column->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = std::max(0, column->cx);
    }
    if (item.mask != 0) {
        SendMessageA(header_, HDM_SETITEMA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        SyncColumnWidth(index);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return TRUE;
}

BOOL ListViewControl::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= ColumnCount()) {
        return FALSE;
    }
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = 0;
        for (const Row& row : rows_) {
            widest = std::max(widest, TextWidth(font_, TextOf(row, index)));
        }
        if (index == 0) {
            widest += IconWidth();
        }
        if (width == LVSCW_AUTOSIZE_USEHEADER) {
            widest = std::max(widest, TextWidth(font_, columns_[static_cast<size_t>(index)].text));
        }
        width = widest + kAutoSizePadding;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    SendMessageA(header_, HDM_SETITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    SyncColumnWidth(index);
    return TRUE;
}

void ListViewControl::SyncColumnWidth(int index) {
    if (index < 0 || index >= ColumnCount()) {
        return;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    if (!SendMessageA(header_, HDM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return;
    }
    if (columns_[static_cast<size_t>(index)].width != item.cxy) {
        columns_[static_cast<size_t>(index)].width = item.cxy;
        ScrollTo(topIndex_, scrollX_);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

}  // namespace platform::views
