#include "browser/GMySortListCtrl.h"

#include <cstring>

#include "browser/SkinnedRow.h"
#include "platform/drawing/Gdi.h"
#include "platform/text/Gbk.h"

namespace {

// Space between a cell's edges and its text.
constexpr int kTextInset = 3;

struct SortContext {
    const GMySortListCtrl* list;
    int column;
    bool ascending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    const CString a = sort.list->GetItemText(static_cast<int>(first), sort.column);
    const CString b = sort.list->GetItemText(static_cast<int>(second), sort.column);
    const int order = platform::CompareBytes(std::string_view(a, a.GetLength()),
                                             std::string_view(b, b.GetLength()));
    return sort.ascending ? order : -order;
}

}  // namespace

BEGIN_MESSAGE_MAP(GMySortListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

GMySortListCtrl::GMySortListCtrl() {
    std::memset(ascending, 1, sizeof(ascending));
}

int GMySortListCtrl::GetSelectedItem() const {
    return GetNextItem(-1, LVNI_SELECTED);
}

void GMySortListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (column < 0 || column >= kMaxColumns) {
        return;
    }
    const bool up = ascending[column] != 0;
    ascending[column] = up ? 0 : 1;
    SortByColumn(column, up);
}

void GMySortListCtrl::SortByColumn(int column, bool ascendingOrder) {
    SortContext context{this, column, ascendingOrder};
    SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(&context));
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        SetItemData(row, static_cast<DWORD_PTR>(row));
    }
}

void GMySortListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const SkinnedRow row(*lpDrawItemStruct);
    int left = -GetScrollPos(SB_HORZ);
    for (int column = 0; column < columnCount; ++column) {
        const int right = left + GetColumnWidth(column);
        RECT text = {left + kTextInset, row.rect().top, right - kTextInset, row.rect().bottom};
        row.dc()->DrawText(GetItemText(row.item(), column), -1, &text, DT_SINGLELINE | DT_VCENTER);
        left = right;
    }
}
