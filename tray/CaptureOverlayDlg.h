// The small topmost info box of a window or area capture. The capture hooks report every mouse
// event and key of any program to it; it frames the window under the pointer (window mode) or
// the area between two clicked corners (area mode) in red straight on the screen, and erases the
// frames again from the picture of the screen taken before it opened.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/Static.h"

class CCaptureOverlayDlg : public CDialog {
public:
    enum Mode { kWindowMode = 1, kAreaMode = 2 };

    CCaptureOverlayDlg();

    BOOL DestroyWindow() override;

    // Given before DoModal.
    int mode = kWindowMode;
    HBITMAP screenPicture = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    // Read after DoModal: 1 when the user accepted, and the rectangle framed last.
    int result = 0;
    RECT currentRect{};

    void TrackWindow(int x, int y, bool forced);
    void TrackArea(int x, int y);
    void DrawInfoBox(CDC* dc);
    void SetInfoText(const CString& text);
    void RestoreScreen();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void OnHookMouse(int button, int x, int y);
    // Copies the screen picture over the frame drawn last (grown by 2 pixels).
    void EraseFrame(HDC display);
    void SetRectangleText(const char* heading, const char* hints);

    HWND currentWindow_ = nullptr;
    POINT first_{-1, 0};
    POINT second_{-1, 0};
    bool framed_ = false;
    CString infoText_;
    CStatic infoStatic_;
};
