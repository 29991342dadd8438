// The framework's rebar control: its bands as members. Bands are named by index; IDToIndex finds
// a band by its wID.
#pragma once

#include "platform/controls/ReBar.h"
#include "platform/framework/Wnd.h"

class CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)

public:
    CReBarCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Bands. The REBARBANDINFO's cbSize and fMask say what is read or written.
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi) {
        return SendBool(RB_INSERTBAND, uIndex, reinterpret_cast<LPARAM>(prbbi));
    }
    BOOL DeleteBand(UINT uBand) { return SendBool(RB_DELETEBAND, uBand); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const {
        return SendBool(RB_GETBANDINFO, uBand, reinterpret_cast<LPARAM>(prbbi));
    }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi) {
        return SendBool(RB_SETBANDINFO, uBand, reinterpret_cast<LPARAM>(prbbi));
    }
    UINT GetBandCount() const { return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT)); }
    // -1 when no band has the id.
    int IDToIndex(UINT uBandID) const {
        return static_cast<int>(SendMessage(RB_IDTOINDEX, uBandID));
    }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) {
        return SendBool(RB_SHOWBAND, uBand, static_cast<LPARAM>(fShow));
    }
    void MaximizeBand(UINT uBand) { SendMessage(RB_MAXIMIZEBAND, uBand); }
    void MinimizeBand(UINT uBand) { SendMessage(RB_MINIMIZEBAND, uBand); }

    // Geometry, in client coordinates.
    BOOL GetRect(UINT uBand, LPRECT prc) const {
        return SendBool(RB_GETRECT, uBand, reinterpret_cast<LPARAM>(prc));
    }
    void GetBandBorders(UINT uBand, LPRECT prc) const {
        SendMessage(RB_GETBANDBORDERS, uBand, reinterpret_cast<LPARAM>(prc));
    }
    UINT GetRowCount() const { return static_cast<UINT>(SendMessage(RB_GETROWCOUNT)); }
    UINT GetRowHeight(UINT uRow) const {
        return static_cast<UINT>(SendMessage(RB_GETROWHEIGHT, uRow));
    }
    UINT GetBarHeight() const { return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT)); }
    // The band under the point, -1 for none.
    int HitTest(RBHITTESTINFO* pRBHT) {
        return static_cast<int>(SendMessage(RB_HITTEST, 0, reinterpret_cast<LPARAM>(pRBHT)));
    }

    // The bar.
    BOOL GetBarInfo(REBARINFO* prbi) const {
        return SendBool(RB_GETBARINFO, 0, reinterpret_cast<LPARAM>(prbi));
    }
    BOOL SetBarInfo(REBARINFO* prbi) {
        return SendBool(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(prbi));
    }
    // Each gives the previous colour.
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(RB_GETBKCOLOR)); }
    COLORREF SetBkColor(COLORREF clr) {
        return static_cast<COLORREF>(SendMessage(RB_SETBKCOLOR, 0, static_cast<LPARAM>(clr)));
    }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(RB_GETTEXTCOLOR)); }
    COLORREF SetTextColor(COLORREF clr) {
        return static_cast<COLORREF>(SendMessage(RB_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr)));
    }
    // The window that hears the bar's notifications; gives the previous one.
    CWnd* SetOwner(CWnd* pWnd) {
        return CWnd::FromHandle(reinterpret_cast<HWND>(
            SendMessage(RB_SETPARENT, reinterpret_cast<WPARAM>(AfxHwndOf(pWnd)))));
    }

private:
    BOOL SendBool(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<BOOL>(SendMessage(message, wParam, lParam));
    }
};
