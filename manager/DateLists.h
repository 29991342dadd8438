// The year, month and day drop-down lists of the manager's date dialogs: years 1901..2049 as
// "%d", months and days as "%02d". A list's selected index is the value less its first value.
#pragma once

#include "platform/framework/ComboBox.h"

inline constexpr int kFirstListYear = 1901;
inline constexpr int kLastListYear = 2049;

// Fills `list` with "%d" (or "%02d" when `twoDigits`) of first..last.
void FillNumberList(CComboBox& list, int first, int last, bool twoDigits);
void FillYearList(CComboBox& list);
// The days of the month; the day selected before stays when the month still has it, else the
// first day is selected.
void FillDayList(CComboBox& list, int year, int month);
// Selects `value` - `first` when it is in the list, else nothing.
void SelectValue(CComboBox& list, int value, int first);
// The selected index plus `first`; `first` - 1 when nothing is selected.
int SelectedValue(const CComboBox& list, int first);
