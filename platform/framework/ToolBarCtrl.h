// The framework's tool bar control: its buttons as members. Buttons are named by command id
// except where a member says index.
#pragma once

#include "platform/controls/ToolBar.h"
#include "platform/drawing/ImageList.h"
#include "platform/framework/ToolTipCtrl.h"
#include "platform/framework/Wnd.h"

class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)

public:
    CToolBarCtrl() = default;

    // Also tells the control the size of TBBUTTON.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Buttons.
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) {
        return SendBool(TB_ADDBUTTONS, static_cast<WPARAM>(nNumButtons),
                        reinterpret_cast<LPARAM>(lpButtons));
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) {
        return SendBool(TB_INSERTBUTTON, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(lpButton));
    }
    BOOL DeleteButton(int nIndex) { return SendBool(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
        return SendBool(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(lpButton));
    }
    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    // -1 when no button has the command.
    UINT CommandToIndex(UINT nID) const {
        return static_cast<UINT>(SendMessage(TB_COMMANDTOINDEX, nID));
    }
    BOOL SetCmdID(int nIndex, UINT nID) {
        return SendBool(TB_SETCMDID, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(nID));
    }
    // A list of texts, each ended by a zero and the list by another; gives the first's index.
    int AddStrings(LPCSTR lpszStrings) {
        return static_cast<int>(
            SendMessage(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszStrings)));
    }
    BOOL GetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi) const;
    BOOL SetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi);

    // Button states.
    BOOL EnableButton(UINT nID, BOOL bEnable = TRUE) {
        return SendBool(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0));
    }
    BOOL CheckButton(UINT nID, BOOL bCheck = TRUE) {
        return SendBool(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0));
    }
    BOOL PressButton(UINT nID, BOOL bPress = TRUE) {
        return SendBool(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0));
    }
    BOOL HideButton(UINT nID, BOOL bHide = TRUE) {
        return SendBool(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0));
    }
    BOOL Indeterminate(UINT nID, BOOL bIndeterminate = TRUE) {
        return SendBool(TB_INDETERMINATE, nID, MAKELPARAM(bIndeterminate, 0));
    }
    BOOL IsButtonEnabled(UINT nID) const { return SendBool(TB_ISBUTTONENABLED, nID); }
    BOOL IsButtonChecked(UINT nID) const { return SendBool(TB_ISBUTTONCHECKED, nID); }
    BOOL IsButtonPressed(UINT nID) const { return SendBool(TB_ISBUTTONPRESSED, nID); }
    BOOL IsButtonHidden(UINT nID) const { return SendBool(TB_ISBUTTONHIDDEN, nID); }
    BOOL SetState(UINT nID, UINT nState) {
        return SendBool(TB_SETSTATE, nID, MAKELPARAM(nState, 0));
    }
    // TBSTATE_ flags, -1 when no button has the command.
    int GetState(UINT nID) const { return static_cast<int>(SendMessage(TB_GETSTATE, nID)); }

    // Geometry, in client coordinates.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return SendBool(TB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(lpRect));
    }
    BOOL GetRect(int nID, LPRECT lpRect) const {
        return SendBool(TB_GETRECT, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(lpRect));
    }
    // The index of the button under the point; negative where there is none (a separator's
    // index is given negated, less one).
    int HitTest(LPPOINT ppt) const {
        return static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(ppt)));
    }
    BOOL SetButtonSize(CSize size) {
        return SendBool(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
    }
    DWORD GetButtonSize() const { return static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE)); }
    BOOL SetBitmapSize(CSize size) {
        return SendBool(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
    }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    int GetRows() const { return static_cast<int>(SendMessage(TB_GETROWS)); }
    BOOL SetIndent(int iIndent) { return SendBool(TB_SETINDENT, static_cast<WPARAM>(iIndent)); }
    BOOL GetMaxSize(LPSIZE pSize) const {
        return SendBool(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(pSize));
    }
    int GetHotItem() const { return static_cast<int>(SendMessage(TB_GETHOTITEM)); }
    int SetHotItem(int nHot) {
        return static_cast<int>(SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(nHot)));
    }

    // Look. Each image list member gives the list used before.
    CImageList* SetImageList(CImageList* pImageList) {
        return SetList(TB_SETIMAGELIST, pImageList);
    }
    CImageList* SetHotImageList(CImageList* pImageList) {
        return SetList(TB_SETHOTIMAGELIST, pImageList);
    }
    CImageList* SetDisabledImageList(CImageList* pImageList) {
        return SetList(TB_SETDISABLEDIMAGELIST, pImageList);
    }
    CImageList* GetImageList() const { return GetList(TB_GETIMAGELIST); }
    CImageList* GetHotImageList() const { return GetList(TB_GETHOTIMAGELIST); }
    CImageList* GetDisabledImageList() const { return GetList(TB_GETDISABLEDIMAGELIST); }
    // The bar's TBSTYLE_ styles (the window style's low word).
    void SetStyle(DWORD dwStyle) { SendMessage(TB_SETSTYLE, 0, static_cast<LPARAM>(dwStyle)); }
    DWORD GetStyle() const { return static_cast<DWORD>(SendMessage(TB_GETSTYLE)); }
    // The previous TBSTYLE_EX_ styles.
    DWORD SetExtendedStyle(DWORD dwExStyle) {
        return static_cast<DWORD>(
            SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle)));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE)); }
    BOOL SetMaxTextRows(int iMaxRows) {
        return SendBool(TB_SETMAXTEXTROWS, static_cast<WPARAM>(iMaxRows));
    }

    // The window that hears the bar's notifications.
    void SetOwner(CWnd* pWnd) {
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(AfxHwndOf(pWnd)));
    }
    void SetToolTips(CToolTipCtrl* pTip) {
        SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(AfxHwndOf(pTip)));
    }

private:
    BOOL SendBool(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<BOOL>(SendMessage(message, wParam, lParam));
    }
    CImageList* SetList(UINT message, CImageList* pImageList) {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(message, 0,
                        reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->GetSafeHandle()
                                                                       : nullptr))));
    }
    CImageList* GetList(UINT message) const {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(message)));
    }
};
