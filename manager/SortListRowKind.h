// How a CSortListCtrl draws and orders the rows of one kind of record. A row's item data points
// at its record; the kind reads the record's fields to give each cell's text and to compare two
// records by a column. A page with records of its own kind derives from this class and hands an
// instance to CSortListCtrl::SetKind.
#pragma once

#include <string_view>

#include "platform/base/WinTypes.h"
#include "platform/drawing/ImageListApi.h"
#include "platform/text/CString.h"

class SortListRowKind {
public:
    virtual ~SortListRowKind() = default;

    // The text of the record's cell in `column` and its DT_ alignment (DT_LEFT, DT_CENTER or
    // DT_RIGHT); false for a column this kind leaves empty.
    virtual bool Cell(const void* record, int column, CString& text, UINT& align) const = 0;
    // The colour of the whole row's text, also when selected; CLR_NONE for the list's own
    // (black, white on the selection).
    virtual COLORREF TextColor(const void*) const { return CLR_NONE; }
    // The order of p and q by `column` when sorting ascending: -1, 0 or 1 (any sign will do).
    virtual int Compare(const void* p, const void* q, int column) const = 0;

    // Unsigned byte order, case counting: -1, 0 or 1.
    static int CompareText(std::string_view p, std::string_view q);
    // The same with single-byte ASCII letters folded; the second byte of a two-byte GBK character
    // is never folded.
    static int CompareTextNoCase(std::string_view p, std::string_view q);
    // 1, 0 or -1 by the sign of p - q, without the subtraction overflowing.
    template <typename T>
    static int CompareSign(T p, T q) {
        return p < q ? -1 : (q < p ? 1 : 0);
    }
};

// Rows whose every column is a text field of the record, shown as " %s" on the left and sorted by
// that text; `FieldOf` gives the column's field, or null for a column left empty.
template <typename Record, const char* (*FieldOf)(const Record&, int column)>
class TextFieldRows : public SortListRowKind {
public:
    bool Cell(const void* record, int column, CString& text, UINT& align) const override {
        const char* field = FieldOf(*static_cast<const Record*>(record), column);
        if (field == nullptr) {
            return false;
        }
        align = DT_LEFT;
        text.Format(" %s", field);
        return true;
    }
    int Compare(const void* p, const void* q, int column) const override {
        const char* a = FieldOf(*static_cast<const Record*>(p), column);
        const char* b = FieldOf(*static_cast<const Record*>(q), column);
        return a == nullptr || b == nullptr ? -1 : CompareText(a, b);
    }
};
