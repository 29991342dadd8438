#include "manager/DateLists.h"

#include <cstdio>

#include "manager/ScheduleRecord.h"

void FillNumberList(CComboBox& list, int first, int last, bool twoDigits) {
    list.ResetContent();
    char text[16];
    for (int value = first; value <= last; ++value) {
        std::snprintf(text, sizeof(text), twoDigits ? "%02d" : "%d", value);
        list.AddString(text);
    }
}

void FillYearList(CComboBox& list) {
    FillNumberList(list, kFirstListYear, kLastListYear, false);
}

void FillDayList(CComboBox& list, int year, int month) {
    const int day = SelectedValue(list, 1);
    FillNumberList(list, 1, GetDaysInMonth(year, month), true);
    list.SetCurSel(day >= 1 && day <= list.GetCount() ? day - 1 : 0);
}

void SelectValue(CComboBox& list, int value, int first) {
    const int index = value - first;
    list.SetCurSel(index >= 0 && index < list.GetCount() ? index : -1);
}

int SelectedValue(const CComboBox& list, int first) {
    const int index = list.GetCurSel();
    return index < 0 ? first - 1 : index + first;
}
