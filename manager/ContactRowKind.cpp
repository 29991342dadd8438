#include "manager/ContactRowKind.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "manager/AddressBookRecord.h"
#include "manager/RecordBytes.h"

namespace {

CString Padded(std::string_view text) {
    return CString((" " + std::string(text)).c_str());
}

}  // namespace

bool ContactRowKind::Cell(const void* record, int column, CString& text, UINT& align) const {
    const auto& contact = *static_cast<const AddressBookRecord*>(record);
    align = DT_LEFT;
    switch (column) {
        case 0:
            text = Padded(AddressBookGroupName(contact.group));
            return true;
        case 1:
            text = Padded(RecordBytes::Field(contact.name));
            return true;
        case 2:
            text = Padded(RecordBytes::Field(contact.mobile));
            return true;
        case 3:
            text = Padded(RecordBytes::Field(contact.office));
            return true;
        case 4:
            text = Padded(RecordBytes::Field(contact.home));
            return true;
        case 5: {
            const char* calendar =
                contact.calendar == 0 ? "国历" : (contact.calendar == 1 ? "农历" : "");
            // 64-bit, so that a month or day read from a damaged file cannot overflow.
            char buffer[64];
            std::snprintf(buffer, sizeof(buffer), "%02lld月%02lld日[%s]",
                          static_cast<long long>(contact.birthMonth) + 1,
                          static_cast<long long>(contact.birthDay) + 1, calendar);
            text = buffer;
            return true;
        }
        case 6:
            text = Padded(RecordBytes::Field(contact.email));
            return true;
        case 7:
            text = Padded(RecordBytes::Field(contact.qq));
            return true;
        case 8:
            text = Padded(RecordBytes::Field(contact.note));
            return true;
        default:
            return false;
    }
}

int ContactRowKind::Compare(const void* p, const void* q, int column) const {
    const auto& a = *static_cast<const AddressBookRecord*>(p);
    const auto& b = *static_cast<const AddressBookRecord*>(q);
    switch (column) {
        case 0:
            return CompareSign(a.group, b.group);
        case 1:
            return CompareText(RecordBytes::Field(a.name), RecordBytes::Field(b.name));
        case 2:
            return CompareText(RecordBytes::Field(a.mobile), RecordBytes::Field(b.mobile));
        case 3:
            return CompareText(RecordBytes::Field(a.office), RecordBytes::Field(b.office));
        case 4:
            return CompareText(RecordBytes::Field(a.home), RecordBytes::Field(b.home));
        case 5: {
            const auto birthday = [](const AddressBookRecord& r) {
                return static_cast<std::int64_t>(r.birthMonth) * 100 + r.birthDay;
            };
            return CompareSign(birthday(a), birthday(b));
        }
        case 6:
            return CompareText(RecordBytes::Field(a.email), RecordBytes::Field(b.email));
        case 7:
            return CompareText(RecordBytes::Field(a.qq), RecordBytes::Field(b.qq));
        case 8:
            return CompareText(RecordBytes::Field(a.note), RecordBytes::Field(b.note));
        default:
            return -1;
    }
}
