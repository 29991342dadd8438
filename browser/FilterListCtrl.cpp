#include "browser/FilterListCtrl.h"

#include "browser/SkinColors.h"
#include "platform/drawing/Gdi.h"

namespace {

constexpr COLORREF kSelectedBackground = RGB(59, 73, 119);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Space between the right edge of one cell and the left edge of the next.
constexpr int kCellGap = 2;

}  // namespace

int CFilterListCtrl::GetSelectedItem() const {
    return GetNextItem(-1, LVNI_SELECTED);
}

void CFilterListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int item = static_cast<int>(lpDrawItemStruct->itemID);
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    RECT row = lpDrawItemStruct->rcItem;
    dc->FillSolidRect(&row, selected ? kSelectedBackground : kWhite);
    dc->SetTextColor(selected ? kWhite : kBlack);
    dc->SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = nullptr;
    if (Skin().normalFont != nullptr) {
        oldFont = ::SelectObject(dc->m_hDC, Skin().normalFont);
    }
    int left = 0;
    for (int column = 0; column < columnCount; ++column) {
        RECT cell = {left, row.top, left + GetColumnWidth(column), row.bottom};
        const CString text = GetItemText(item, column);
        dc->DrawText(text, -1, &cell, DT_SINGLELINE | DT_VCENTER);
        left = cell.right + kCellGap;
    }
    if (oldFont != nullptr) {
        ::SelectObject(dc->m_hDC, oldFont);
    }
}
