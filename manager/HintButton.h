// The manager's owner-drawn push button. In text mode it is a filled round rectangle with its
// window text (light blue, lighter while hovered, shifted while pressed, grey when disabled); in
// icon mode (after Init with an icon) it shows a 16 x 16 icon with a frame for hover, press or
// its toggle state. A 100 ms timer notices the mouse leaving even when no move reaches the
// button, and a hint sink, when given, shows the button's hint while the mouse is over it.
#pragma once

#include "platform/framework/Button.h"

// The dialog that shows the hint texts of its buttons.
class CHintSink {
public:
    virtual ~CHintSink() = default;
    virtual void SetHint(const char* text) = 0;
};

class CHintButton : public CButton {
    DECLARE_DYNAMIC(CHintButton)

public:
    enum Look { kNormal = 0, kHover = 1, kPressed = 2 };
    static constexpr UINT_PTR kLeaveTimer = 1;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Stores the sink, the hint and the icon (null keeps the text mode) and resizes the button
    // to cx x cy where it stands. Returns 0.
    int Init(CHintSink* sink, const char* hint, HICON icon, int cx, int cy);
    int IsChecked() const { return checked_; }
    // The caller repaints.
    void SetChecked(int checked) { checked_ = checked; }
    int GetLook() const { return look_; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    int checked_ = 0;
    HICON icon_ = nullptr;
    int look_ = kNormal;
    UINT_PTR leaveTimer_ = 0;
    CHintSink* sink_ = nullptr;
    CString hint_;
};
