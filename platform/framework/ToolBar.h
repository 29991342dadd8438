// The framework's tool bar: a ToolbarWindow32 as a control bar. Buttons come from a list of
// command ids (0 for a separator) or from a TOOLBAR resource with the bitmap of the same id; at
// idle time each button's update handler enables, disables or checks it, and a button whose
// command has no handler is disabled.
//
// A button's style, as GetButtonStyle gives it, holds the TBSTYLE_ bits in its low word and the
// state in its high word with the enabled bit turned around, so that TBBS_DISABLED is set for a
// disabled button. A separator's "image" is its width: a separator made wide with SetButtonInfo
// keeps room on the bar for a child window placed there.
#pragma once

#include "platform/controls/ToolBar.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/ToolBarCtrl.h"

#ifndef TBBS_BUTTON
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
#endif

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    CToolBar() = default;
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // The buttons and image size of the TOOLBAR resource, and the bitmap of the same id.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    // Cuts the bitmap into images of the current image size; light grey is transparent. The bar
    // keeps its own copy.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Replaces all buttons; with a null array, nIDCount empty separators to be set one by one.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;
    int GetCount() const;

    CToolBarCtrl& GetToolBarCtrl() const { return ControlView(toolBarCtrl_); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR HitTestCommand(CPoint point) const override;

private:
    bool GetButton(int nIndex, TBBUTTON* button) const;
    void FreeImages();

    HIMAGELIST images_ = nullptr;
    mutable CToolBarCtrl toolBarCtrl_;
    SIZE imageSize_{16, 15};
    int height_ = -1;  // as set by SetHeight; -1 follows the buttons
};
