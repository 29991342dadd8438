#include "manager/DatePicker.h"

#include <gtest/gtest.h>

#include <vector>

#include "manager/ManagerTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

using DatePickerTest = ManagerDialogTest;

// The picker's owner: hears of the changes.
class CPickerOwner : public CWnd {
public:
    std::vector<UINT> heard;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DATE_CHANGED || message == WM_DAY_CHANGED) {
            heard.push_back(message);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(DatePickerTest, ThePickerKeepsItsOwnersDateToRealDays) {
    CPickerOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               400, 200, nullptr, nullptr));
    DateRecord date;
    date.year = 2049;
    date.month = 12;
    date.day = 31;
    CDatePicker picker(&date);
    ASSERT_TRUE(picker.Create(&owner));
    const auto days = [&] {
        return static_cast<int>(::SendDlgItemMessageA(picker, IDC_PICKER_DAY, CB_GETCOUNT, 0, 0));
    };
    // Forward from December 2049 wraps to January 1901, on its first day.
    picker.StepMonth(1);
    EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 19010101);
    // The day list follows the month, so that no 31st of February can be chosen.
    picker.StepMonth(1);
    EXPECT_EQ(days(), 28);
    picker.StepMonth(-1);
    picker.StepMonth(-1);
    EXPECT_EQ(date.year * 100 + date.month, 190112);
    Choose(picker, IDC_PICKER_DAY, 30);
    EXPECT_EQ(date.day, 31);
    Choose(picker, IDC_PICKER_MONTH, 1);
    EXPECT_EQ(date.month * 100 + date.day, 201);
    platform::PumpUntilIdle();
    EXPECT_EQ(owner.heard, (std::vector<UINT>{WM_DATE_CHANGED, WM_DATE_CHANGED, WM_DATE_CHANGED,
                                              WM_DATE_CHANGED, WM_DAY_CHANGED, WM_DATE_CHANGED}));
    picker.DestroyWindow();
    owner.DestroyWindow();
}

}  // namespace
}  // namespace manager_testing
