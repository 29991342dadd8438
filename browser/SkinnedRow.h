// One row of an owner-drawn list as the browser's lists paint it: a white background, or white
// text on dark blue when the row is selected, in the skin's normal font, which goes back when the
// row is done.
#pragma once

#include "platform/drawing/DC.h"
#include "platform/windows/WindowStructs.h"

class SkinnedRow {
public:
    // Fills the row's background and prepares the device context for its text.
    explicit SkinnedRow(const DRAWITEMSTRUCT& item);
    ~SkinnedRow();
    SkinnedRow(const SkinnedRow&) = delete;
    SkinnedRow& operator=(const SkinnedRow&) = delete;

    CDC* dc() const { return dc_; }
    int item() const { return item_; }
    const RECT& rect() const { return rect_; }

private:
    CDC* dc_;
    int item_;
    RECT rect_;
    HGDIOBJ oldFont_ = nullptr;
};
