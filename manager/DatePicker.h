// A child dialog of three drop-down lists (year, month, day) that edits the year, month and day of
// a date its owner keeps, and tells its parent window of changes by posted messages: 1034 when
// the year or month changed, 1035 when the day changed.
#pragma once

#include "manager/DateRecord.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"

inline constexpr UINT WM_DATE_CHANGED = 1034;
inline constexpr UINT WM_DAY_CHANGED = 1035;

class CDatePicker : public CDialog {
public:
    // The owner keeps `date` alive as long as the picker.
    explicit CDatePicker(DateRecord* date);

    // Creates the picker as a child of `parent`.
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The lists into the owner's date. Returns 0.
    int SaveDate();
    // The owner's date into the lists. Returns 0.
    int LoadDate();
    int EnableAll(BOOL enable);
    int EnableFields(BOOL year, BOOL month, BOOL day);
    // A month back (delta < 0) or forward, across the year's end; past the last year the lists
    // wrap to the first, before the first they stay there. Selects the first day.
    int StepMonth(int delta);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelchangeYearOrMonth();
    afx_msg void OnSelchangeDay();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void RefillDays();
    void Notify(UINT message);

    DateRecord* date_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
    CComboBox year_;
    CComboBox month_;
    CComboBox day_;
};
