// The history dialog's list: a report list view with owner-drawn fixed rows, drawn in the
// browser's own colours and font, that sorts its rows by a column when the column's header is
// clicked. Each column remembers its direction: the first click sorts ascending, the next
// descending, and so on.
#pragma once

#include "platform/framework/ListCtrl.h"

class GMySortListCtrl : public CListCtrl {
public:
    static constexpr int kMaxColumns = 200;

    GMySortListCtrl();

    // The first selected row, or -1.
    int GetSelectedItem() const;
    // Sorts the rows by the texts of `column`, ascending when `ascending` is true, and numbers
    // the rows again (item data = row index), which the comparison relies on.
    void SortByColumn(int column, bool ascending);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // 1: the next click on that column sorts ascending.
    unsigned char ascending[kMaxColumns];
    // The number of columns drawn.
    int columnCount = 3;

protected:
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
