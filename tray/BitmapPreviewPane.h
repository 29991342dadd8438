// The capture result's scrolling preview: a child pane that shows a picture at full size from
// its scroll positions, black beyond the picture's edges, white without a picture. The pane owns
// the picture it is given.
#pragma once

#include <memory>

#include "platform/drawing/Bitmap.h"
#include "platform/framework/Dialog.h"

class CBitmapPreviewPane : public CDialog {
public:
    CBitmapPreviewPane() = default;
    ~CBitmapPreviewPane() override;

    // Takes over `picture` (width x height); a picture held before is let go without deleting
    // it. Returns 0.
    int SetBitmap(int width, int height, HBITMAP picture);
    // Ranges 0 .. max(0, picture size - client size) on both bars, positions 0.
    void UpdateScrollBars();
    void DrawBitmap(CDC* dc);
    void DetachBitmap();
    // Deletes the held picture. Returns 0.
    int DeleteBitmap();

    bool HasBitmap() const { return picture_ != nullptr; }

protected:
    BOOL OnInitDialog() override;

    // The picture goes with the pane, however the pane is destroyed.
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    void Scroll(int bar, UINT code, UINT position);

    std::unique_ptr<CBitmap> picture_;
    int width_ = 100;
    int height_ = 100;
};
