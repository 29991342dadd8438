// Rows of address-book contacts (AddressBookRecord), list kind 5: group name, name, mobile,
// office and home telephone, birthday "%02d月%02d日[国历]", e-mail, QQ and note. The birthday
// sorts by month, then day, whatever its calendar; the group by its number; the rest as text.
#pragma once

#include "manager/SortListRowKind.h"

class ContactRowKind : public SortListRowKind {
public:
    bool Cell(const void* record, int column, CString& text, UINT& align) const override;
    int Compare(const void* p, const void* q, int column) const override;
};
