// What the tests of the ledger, the address book and their sortable list share: records built
// field by field, the files that hold them, and where a list's row is clicked.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "manager/AddressBookRecord.h"
#include "manager/LedgerRecord.h"
#include "manager/RecordBytes.h"
#include "platform/framework/ListCtrl.h"

namespace manager_testing {

inline LedgerRecord Entry(int type, int year, int month, int day, int amount, const char* note) {
    LedgerRecord record;
    record.type = type;
    record.date.year = year;
    record.date.month = month;
    record.date.day = day;
    record.amount = amount;
    RecordBytes::Store(record.note, note);
    return record;
}

inline std::string MonthBytes(std::initializer_list<LedgerRecord> records) {
    LedgerRecordList list;
    for (const LedgerRecord& record : records) {
        list.push_back(std::make_unique<LedgerRecord>(record));
    }
    return SerializeLedgerRecords(list);
}

inline AddressBookRecord Contact(int group, const char* name, const char* mobile, int month,
                                 int day, int calendar) {
    AddressBookRecord record;
    record.group = group;
    RecordBytes::Store(record.name, name);
    RecordBytes::Store(record.mobile, mobile);
    record.birthMonth = month;
    record.birthDay = day;
    record.calendar = calendar;
    return record;
}

// The contact with its other texts: office, home, e-mail, QQ and note.
inline AddressBookRecord WithTexts(AddressBookRecord record, const char* office, const char* home,
                                   const char* email, const char* qq, const char* note) {
    RecordBytes::Store(record.office, office);
    RecordBytes::Store(record.home, home);
    RecordBytes::Store(record.email, email);
    RecordBytes::Store(record.qq, qq);
    RecordBytes::Store(record.note, note);
    return record;
}

inline std::string Book(std::initializer_list<AddressBookRecord> records) {
    AddressBookList list;
    for (const AddressBookRecord& record : records) {
        list.push_back(std::make_unique<AddressBookRecord>(record));
    }
    return SerializeAddressBook(list);
}

// The screen point a click on the row's first cell goes to.
inline POINT RowPoint(const CListCtrl& list, int row) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    list.GetItemRect(row, &rect, LVIR_BOUNDS);
    POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list.m_hWnd, &point);
    return point;
}

}  // namespace manager_testing
