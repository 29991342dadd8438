#include "platform/drawing/ImageStrip.h"

#include <algorithm>

namespace platform {

namespace {

constexpr unsigned kCopy = 0xF0;

}  // namespace

ImageStrip::ImageStrip(int width, int height, bool masked)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), masked_(masked) {}

bool ImageStrip::Remove(int index) {
    if (index == -1) {
        count_ = 0;
        pixels_.clear();
        transparent_.clear();
        return true;
    }
    if (index < 0 || index >= count_) {
        return false;
    }
    std::size_t per_image = static_cast<std::size_t>(width_) * height_;
    auto from = static_cast<std::ptrdiff_t>(per_image * index);
    auto to = static_cast<std::ptrdiff_t>(per_image * (index + 1));
    pixels_.erase(pixels_.begin() + from, pixels_.begin() + to);
    transparent_.erase(transparent_.begin() + from, transparent_.begin() + to);
    --count_;
    return true;
}

bool ImageStrip::Draw(DeviceContext& dc, int index, int x, int y, int columns, int rows, Mode mode,
                      COLORREF background) const {
    if (index < 0 || index >= count_ || dc.target() == nullptr) {
        return false;
    }
    Region clip = dc.ClipInSurface();
    std::size_t base = static_cast<std::size_t>(index) * width_ * height_;
    POINT origin = dc.ToSurface(x, y);
    for (int row = 0; row < std::min(rows, height_); ++row) {
        for (int column = 0; column < std::min(columns, width_); ++column) {
            std::size_t at = base + static_cast<std::size_t>(row) * width_ + column;
            bool clear = transparent_[at];
            Pixel pixel;
            if (mode == Mode::kMaskOnly) {
                // The mask draws white where the image is transparent, black elsewhere.
                pixel = clear ? 0x00FFFFFFu : 0;
            } else if (clear) {
                if (mode == Mode::kTransparent) {
                    continue;
                }
                pixel = PixelFromColor(background);
            } else {
                pixel = pixels_[at];
            }
            dc.Plot(clip, origin.x + column, origin.y + row, pixel, 0, kCopy);
        }
    }
    return true;
}

}  // namespace platform
