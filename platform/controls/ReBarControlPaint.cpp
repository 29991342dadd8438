// Painting of the rebar: the bands' backgrounds, grippers, images and titles, and the etched
// lines between bands and rows.
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ReBarControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

void ReBarControl::PaintBand(HDC dc, const Band& band) const {
    const RECT& rect = band.rect;
    COLORREF back = band.back != CLR_DEFAULT ? band.back : background_;
    if (band.background != nullptr) {
        HBRUSH brush = CreatePatternBrush(band.background);
        // A fixed bitmap stays put when the band moves: it is anchored to the bar, not the band.
        const POINT origin =
            (band.style & RBBS_FIXEDBMP) != 0 ? POINT{0, 0} : POINT{rect.left, rect.top};
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    } else if (back != CLR_NONE) {
        FillSolid(dc, rect, back);
    }
    int x = rect.left + kHeaderStart;
    if (band.gripper) {
        RECT line{x + 1, rect.top + 2, x + 2, rect.bottom - 2};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        line = RECT{x + 2, rect.top + 2, x + 4, rect.bottom - 2};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        x += kGripperWidth;
    }
    int imageWidth = 0;
    int imageHeight = 0;
    if (band.image >= 0 && images_ != nullptr &&
        ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        ImageList_Draw(images_, band.image, dc, x,
                       rect.top + (rect.bottom - rect.top - imageHeight) / 2, ILD_TRANSPARENT);
        x += imageWidth + kImageGap;
    }
    if (!band.text.empty() && (band.style & RBBS_HIDETITLE) == 0) {
        COLORREF fore = band.fore != CLR_DEFAULT ? band.fore : foreground_;
        SetTextColor(dc, fore != CLR_NONE ? fore : GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc, TRANSPARENT);
        RECT text{x, rect.top, rect.left + band.header, rect.bottom};
        DrawTextA(dc, band.text.c_str(), static_cast<int>(band.text.size()), &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void ReBarControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc != nullptr) {
        HGDIOBJ oldFont = SelectObject(dc, FontOrDefault(font_));
        for (const Band& band : bands_) {
            if (band.Visible()) {
                PaintBand(dc, band);
            }
        }
        if (Gap() > 0) {
            HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
            HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
            for (size_t row = 0; row < rows_.size(); ++row) {
                for (size_t k = 0; k + 1 < rows_[row].size(); ++k) {
                    const RECT& rect = bands_[static_cast<size_t>(rows_[row][k])].rect;
                    RECT line{rect.right, rect.top, rect.right + 1, rect.bottom};
                    FillRect(dc, &line, shadow);
                    line = RECT{rect.right + 1, rect.top, rect.right + 2, rect.bottom};
                    FillRect(dc, &line, light);
                }
                if (row + 1 < rows_.size()) {
                    const RECT& rect = rowRects_[row];
                    RECT line{rect.left, rect.bottom, rect.right, rect.bottom + 1};
                    FillRect(dc, &line, shadow);
                    line = RECT{rect.left, rect.bottom + 1, rect.right, rect.bottom + 2};
                    FillRect(dc, &line, light);
                }
            }
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT ReBarControl::EraseBackground(HDC dc) const {
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (background_ == CLR_NONE) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        } else {
            FillSolid(dc, client, background_);
        }
    }
    return TRUE;
}

}  // namespace platform
