// The filter dialog's rule list: a report list view with owner-drawn fixed rows, drawn in the
// browser's own colours and font.
#pragma once

#include "platform/framework/ListCtrl.h"

class CFilterListCtrl : public CListCtrl {
public:
    // The first selected row, or -1.
    int GetSelectedItem() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int columnCount = 3;
};
