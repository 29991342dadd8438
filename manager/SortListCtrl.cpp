#include "manager/SortListCtrl.h"

#include <cstring>

#include "manager/ContactRowKind.h"
#include "manager/LedgerRowKind.h"
#include "platform/drawing/DC.h"

namespace {

struct SortContext {
    const SortListRowKind* rows;
    int column;
    bool ascending;
};

const SortListRowKind* NumberedKind(int kind) {
    static const LedgerRowKind ledger;
    static const ContactRowKind contacts;
    switch (kind) {
        case 3:
            return &ledger;
        case 5:
            return &contacts;
        default:
            return nullptr;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CSortListCtrl::CSortListCtrl() {
    std::memset(ascending_, 1, sizeof(ascending_));
}

int CSortListCtrl::SetKind(int kind) {
    return SetKind(kind, NumberedKind(kind));
}

int CSortListCtrl::SetKind(int kind, const SortListRowKind* rows) {
    kind_ = kind;
    rows_ = rows;
    return 0;
}

void CSortListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
}

void CSortListCtrl::SortByColumn(int column) {
    if (column < 0 || column >= kMaxColumns) {
        return;
    }
    const bool up = ascending_[column] != 0;
    ascending_[column] = up ? 0 : 1;
    SortContext context{rows_, column, up};
    SortItems(CompareRecords, reinterpret_cast<DWORD_PTR>(&context));
}

int CALLBACK CSortListCtrl::CompareRecords(LPARAM record1, LPARAM record2, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    if (sort.rows == nullptr) {
        return -1;
    }
    const int order = sort.rows->Compare(reinterpret_cast<const void*>(record1),
                                         reinterpret_cast<const void*>(record2), sort.column);
    return sort.ascending ? order : -order;
}

void CSortListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC& dc = *CDC::FromHandle(lpDrawItemStruct->hDC);
    const RECT row = lpDrawItemStruct->rcItem;
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    dc.FillSolidRect(&row, selected ? kSelectedBackground : RGB(255, 255, 255));
    const auto* record = reinterpret_cast<const void*>(lpDrawItemStruct->itemData);
    if (rows_ == nullptr || record == nullptr) {
        return;
    }
    const COLORREF own = rows_->TextColor(record);
    dc.SetTextColor(own != CLR_NONE ? own : (selected ? RGB(255, 255, 255) : RGB(0, 0, 0)));
    dc.SetBkMode(TRANSPARENT);
    CHeaderCtrl* header = GetHeaderCtrl();
    const int columns = header != nullptr ? header->GetItemCount() : 0;
    int left = row.left;
    for (int column = 0; column < columns && column < kMaxColumns; ++column) {
        const int right = left + GetColumnWidth(column);
        CString text;
        UINT align = DT_LEFT;
        if (rows_->Cell(record, column, text, align)) {
            RECT cell{left, row.top, right, row.bottom};
            dc.DrawText(text, &cell, align | DT_SINGLELINE | DT_VCENTER);
        }
        left = right;
    }
}
