// The framework's progress bar: its range, position and colours as members.
#pragma once

#include "platform/controls/CommonControls.h"
#include "platform/controls/Progress.h"
#include "platform/framework/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)

public:
    CProgressCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    void SetRange32(int nLower, int nUpper) {
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    // Each gives the previous position; positions are kept inside the range.
    int SetPos(int nPos) {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
    }
    int OffsetPos(int nPos) {
        return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nPos)));
    }
    int SetStep(int nStep) {
        return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep)));
    }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    // Each gives the previous colour; CLR_DEFAULT restores the system's.
    COLORREF SetBarColor(COLORREF clrBar) {
        return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, static_cast<LPARAM>(clrBar)));
    }
    COLORREF SetBkColor(COLORREF clrNew) {
        return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, static_cast<LPARAM>(clrNew)));
    }
};
