// Rows of income and expense records (LedgerRecord), list kind 3: the date "%04d年%02d月%02d日"
// and the type centred, the amount in yuan right-aligned, the note; expense rows in blue and
// income rows in red, also when selected. Columns sort by date and time, type, amount and note.
#pragma once

#include "manager/SortListRowKind.h"

class LedgerRowKind : public SortListRowKind {
public:
    bool Cell(const void* record, int column, CString& text, UINT& align) const override;
    COLORREF TextColor(const void* record) const override;
    int Compare(const void* p, const void* q, int column) const override;
};
