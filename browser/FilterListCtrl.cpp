#include "browser/FilterListCtrl.h"

#include "browser/SkinnedRow.h"
#include "platform/drawing/Gdi.h"

namespace {

// Space between the right edge of one cell and the left edge of the next.
constexpr int kCellGap = 2;

}  // namespace

int CFilterListCtrl::GetSelectedItem() const {
    return GetNextItem(-1, LVNI_SELECTED);
}

void CFilterListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const SkinnedRow row(*lpDrawItemStruct);
    int left = 0;
    for (int column = 0; column < columnCount; ++column) {
        RECT cell = {left, row.rect().top, left + GetColumnWidth(column), row.rect().bottom};
        const CString text = GetItemText(row.item(), column);
        row.dc()->DrawText(text, -1, &cell, DT_SINGLELINE | DT_VCENTER);
        left = cell.right + kCellGap;
    }
}
