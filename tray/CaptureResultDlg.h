// "截屏管理": the picture of a capture in a scrolling preview below a line that tells its size
// and file, with rounded buttons that start the next capture or close. The picture belongs to
// the dialog from SetResult on and is freed when it closes, whichever way.
#pragma once

#include "manager/PagePainter.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Static.h"
#include "tray/BitmapPreviewPane.h"
#include "tray/RoundButton.h"

class CCaptureResultDlg : public CDialog {
public:
    enum NextAction { kNone = -1, kFullScreen = 0, kWindow = 1, kArea = 2 };

    CCaptureResultDlg();
    ~CCaptureResultDlg() override;

    void SetResult(const CString& description, int width, int height, HBITMAP picture);
    void LayoutControls();
    void DrawDialog(CDC* dc);

    int nextAction() const { return nextAction_; }
    CBitmapPreviewPane& preview() { return preview_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnCaptureFull();
    afx_msg void OnCaptureWindow();
    afx_msg void OnCaptureArea();
    afx_msg void OnCloseResult();
    DECLARE_MESSAGE_MAP()

private:
    void End(int action);

    CBitmapPreviewPane preview_;
    CPagePainter painter_;
    CString description_;
    int nextAction_ = kNone;
    int width_ = 0;
    int height_ = 0;
    HBITMAP picture_ = nullptr;
    CBrush background_;
    CRoundButton closeButton_;
    CRoundButton windowButton_;
    CRoundButton areaButton_;
    CRoundButton fullButton_;
    CStatic descriptionStatic_;
};
