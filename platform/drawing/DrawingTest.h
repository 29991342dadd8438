// Test support: a memory DC over a white colour bitmap, and pixel helpers.
#pragma once

#include <algorithm>

#include <string>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/Gdi.h"

namespace platform::testing {

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF background = RGB(255, 255, 255)) {
        dc_ = CreateCompatibleDC(nullptr);
        surface_ = Surface(1, 1);
        HDC reference = CreateSurfaceDC(surface_, POINT{0, 0}, RECT{0, 0, 1, 1});
        bitmap_ = CreateCompatibleBitmap(reference, width, height);
        DeleteDC(reference);
        old_ = SelectObject(dc_, bitmap_);
        SurfaceOfBitmap(bitmap_)->Fill(PixelFromColor(background));
    }
    ~MemoryCanvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    Surface& pixels() const { return *SurfaceOfBitmap(bitmap_); }
    COLORREF At(int x, int y) const { return ColorFromPixel(pixels().At(x, y)); }

    // The picture as rows of characters: `ink` where the pixel has that colour, '.' elsewhere.
    std::string Picture(RECT area, COLORREF ink) const {
        std::string picture;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                picture.push_back(At(x, y) == ink ? '#' : '.');
            }
            picture.push_back('\n');
        }
        return picture;
    }
    // The smallest rectangle holding every pixel that differs from `background`.
    RECT InkBox(COLORREF background) const {
        RECT box{pixels().width(), pixels().height(), 0, 0};
        for (int y = 0; y < pixels().height(); ++y) {
            for (int x = 0; x < pixels().width(); ++x) {
                if (At(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box;
    }
    int CountOf(COLORREF color) const {
        int count = 0;
        for (int y = 0; y < pixels().height(); ++y) {
            for (int x = 0; x < pixels().width(); ++x) {
                count += At(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

private:
    Surface surface_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

}  // namespace platform::testing
