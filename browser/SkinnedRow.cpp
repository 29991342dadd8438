#include "browser/SkinnedRow.h"

#include "browser/SkinColors.h"
#include "platform/drawing/Gdi.h"

namespace {

constexpr COLORREF kSelectedBackground = RGB(59, 73, 119);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

SkinnedRow::SkinnedRow(const DRAWITEMSTRUCT& item)
    : dc_(CDC::FromHandle(item.hDC)), item_(static_cast<int>(item.itemID)), rect_(item.rcItem) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    dc_->FillSolidRect(&rect_, selected ? kSelectedBackground : kWhite);
    dc_->SetTextColor(selected ? kWhite : kBlack);
    dc_->SetBkMode(TRANSPARENT);
    if (Skin().normalFont != nullptr) {
        oldFont_ = ::SelectObject(dc_->m_hDC, Skin().normalFont);
    }
}

SkinnedRow::~SkinnedRow() {
    if (oldFont_ != nullptr) {
        ::SelectObject(dc_->m_hDC, oldFont_);
    }
}
