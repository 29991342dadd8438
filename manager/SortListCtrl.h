// The manager's list of records: a report list view with owner-drawn fixed rows whose item data
// point at records that the owning page keeps alive as long as their rows. The row kind draws
// each row from its record (the texts given to the items are never shown) and orders two records
// by a column. A click on a column header sorts by that column, ascending the first time and the
// other way on each following click; each column keeps its direction across refills.
//
// Kinds by number: 3 income and expense records (LedgerRecord), 5 contacts (AddressBookRecord).
// A page with another kind of record hands its own SortListRowKind.
#pragma once

#include "manager/SortListRowKind.h"
#include "platform/framework/ListCtrl.h"

class CSortListCtrl : public CListCtrl {
public:
    static constexpr int kMaxColumns = 200;
    static constexpr COLORREF kSelectedBackground = RGB(122, 125, 12);

    CSortListCtrl();

    // One of the numbered kinds, before rows are added; another number draws no texts and
    // compares every pair as -1. Returns 0.
    int SetKind(int kind);
    // A kind of the page's own; `rows` lives as long as the list. Returns 0.
    int SetKind(int kind, const SortListRowKind* rows);
    int Kind() const { return kind_; }
    // How the rows are drawn and ordered; null for a number without a kind.
    const SortListRowKind* RowKind() const { return rows_; }

    // Sorts by `column` as a header click does: ascending when its direction flag is set, which
    // the click then clears, else descending, setting the flag again.
    void SortByColumn(int column);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK CompareRecords(LPARAM record1, LPARAM record2, LPARAM context);

    // 1: the next click on that column sorts ascending.
    unsigned char ascending_[kMaxColumns];
    int kind_ = 0;
    const SortListRowKind* rows_ = nullptr;
};
