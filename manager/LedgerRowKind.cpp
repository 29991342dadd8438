#include "manager/LedgerRowKind.h"

#include <cstdio>
#include <string>

#include "manager/LedgerRecord.h"
#include "manager/RecordBytes.h"

bool LedgerRowKind::Cell(const void* record, int column, CString& text, UINT& align) const {
    const auto& entry = *static_cast<const LedgerRecord*>(record);
    char buffer[64];
    switch (column) {
        case 0:
            std::snprintf(buffer, sizeof(buffer), "%04d年%02d月%02d日", entry.date.year,
                          entry.date.month, entry.date.day);
            text = buffer;
            align = DT_CENTER;
            return true;
        case 1:
            text = entry.type == 0 ? "收入" : "支出";
            align = DT_CENTER;
            return true;
        case 2:
            text = (FormatYuan(entry.amount) + " ").c_str();
            align = DT_RIGHT;
            return true;
        case 3:
            text = (" " + std::string(RecordBytes::Field(entry.note))).c_str();
            align = DT_LEFT;
            return true;
        default:
            return false;
    }
}

COLORREF LedgerRowKind::TextColor(const void* record) const {
    return static_cast<const LedgerRecord*>(record)->type != 0 ? RGB(0, 0, 255) : RGB(255, 0, 0);
}

int LedgerRowKind::Compare(const void* p, const void* q, int column) const {
    const auto& a = *static_cast<const LedgerRecord*>(p);
    const auto& b = *static_cast<const LedgerRecord*>(q);
    switch (column) {
        case 0:
            return CompareSign(CompareLedgerDates(a, b), 0);
        case 1:
            return CompareSign(a.type, b.type);
        case 2:
            return CompareSign(a.amount, b.amount);
        case 3:
            return CompareText(RecordBytes::Field(a.note), RecordBytes::Field(b.note));
        default:
            return -1;
    }
}
