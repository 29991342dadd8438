// The images of an image list: equal-sized images side by side in one colour strip, each with an
// optional mask of transparent pixels. Drawing goes through a DC, so it is clipped and placed like
// any other drawing.
#pragma once

#include <vector>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/Surface.h"

namespace platform {

class ImageStrip {
public:
    ImageStrip(int width, int height, bool masked);

    int width() const { return width_; }
    int height() const { return height_; }
    int count() const { return count_; }
    bool masked() const { return masked_; }
    COLORREF background() const { return background_; }
    void set_background(COLORREF color) { background_ = color; }

    // Cuts `image` into images of the strip's width (a narrower rest is dropped) and appends
    // them; `transparent(x, y)` marks the pixels to leave out. Returns the index of the first
    // new image, or -1 when none fits.
    template <typename Transparent>
    int Append(const Surface& image, Transparent transparent);
    // Removes one image, or all of them for -1.
    bool Remove(int index);

    enum class Mode { kTransparent, kOverBackground, kMaskOnly };
    // Draws the top-left `columns` x `rows` of image `index` (at most all of it) with its top-left
    // at logical (x, y) of the DC.
    bool Draw(DeviceContext& dc, int index, int x, int y, int columns, int rows, Mode mode,
              COLORREF background) const;

private:
    int width_;
    int height_;
    bool masked_;
    int count_ = 0;
    COLORREF background_ = 0xFFFFFFFFu;
    // One image after another, each width_ x height_; `transparent_` matches pixel for pixel.
    std::vector<Pixel> pixels_;
    std::vector<bool> transparent_;
};

template <typename Transparent>
int ImageStrip::Append(const Surface& image, Transparent transparent) {
    if (width_ <= 0 || height_ <= 0) {
        return -1;
    }
    int added = image.width() / width_;
    if (added == 0) {
        return -1;
    }
    int first = count_;
    std::size_t per_image = static_cast<std::size_t>(width_) * height_;
    pixels_.resize(pixels_.size() + per_image * added, 0);
    transparent_.resize(transparent_.size() + per_image * added, false);
    for (int n = 0; n < added; ++n) {
        std::size_t base = (static_cast<std::size_t>(first) + n) * per_image;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                int sx = n * width_ + x;
                std::size_t at = base + static_cast<std::size_t>(y) * width_ + x;
                bool clear = masked_ && transparent(sx, y);
                transparent_[at] = clear;
                // A masked-out pixel is stored black, as the system's lists keep them.
                pixels_[at] = clear ? 0 : image.At(sx, y) & 0x00FFFFFFu;
            }
        }
    }
    count_ += added;
    return first;
}

}  // namespace platform
