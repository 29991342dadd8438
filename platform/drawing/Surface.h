// A rectangle of 32-bit pixels laid out as a 32-bit DIB stores them: each pixel is the bytes
// blue, green, red and an unused fourth byte, so a pixel read as a little-endian word is
// 0x00RRGGBB. Every device context draws into one; the pixels are either owned or borrowed from a
// DIB section whose rows may run bottom-up.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

using Pixel = std::uint32_t;

// COLORREF is 0x00BBGGRR, the reverse byte order of a pixel.
constexpr Pixel PixelFromColor(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF ColorFromPixel(Pixel pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

class Surface {
public:
    Surface() = default;
    // Owned pixels, all zero (black). Negative sizes count as zero.
    Surface(int width, int height);
    // Borrowed pixels: `rows` holds width * height words; with `bottomUp` the first stored row
    // is the bottom one. The memory must outlive the surface.
    Surface(int width, int height, Pixel* rows, bool bottomUp);

    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;

    int width() const { return width_; }
    int height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Pixel* Row(int y) { return data_ + static_cast<std::ptrdiff_t>(RowIndex(y)) * width_; }
    const Pixel* Row(int y) const {
        return data_ + static_cast<std::ptrdiff_t>(RowIndex(y)) * width_;
    }
    // Outside the surface At gives 0 and Set does nothing.
    Pixel At(int x, int y) const { return Contains(x, y) ? Row(y)[x] : 0; }
    void Set(int x, int y, Pixel pixel) {
        if (Contains(x, y)) {
            Row(y)[x] = pixel;
        }
    }
    void Fill(Pixel pixel);

private:
    int RowIndex(int y) const { return bottomUp_ ? height_ - 1 - y : y; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> owned_;
    Pixel* data_ = nullptr;
    bool bottomUp_ = false;
};

}  // namespace platform
