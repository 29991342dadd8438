#include "platform/drawing/Surface.h"

#include <algorithm>
#include <utility>

namespace platform {

Surface::Surface(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      owned_(static_cast<size_t>(width_) * static_cast<size_t>(height_)),
      data_(owned_.data()) {}

Surface::Surface(int width, int height, Pixel* rows, bool bottomUp)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), data_(rows), bottomUp_(bottomUp) {}

// A copy always owns its pixels, top-down, whatever the original borrowed.
Surface::Surface(const Surface& other) : Surface(other.width_, other.height_) {
    for (int y = 0; y < height_; ++y) {
        std::copy_n(other.Row(y), width_, Row(y));
    }
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        Surface copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Surface::Surface(Surface&& other) noexcept {
    *this = std::move(other);
}

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        owned_ = std::move(other.owned_);
        data_ = std::exchange(other.data_, nullptr);
        bottomUp_ = std::exchange(other.bottomUp_, false);
        other.owned_.clear();
    }
    return *this;
}

void Surface::Fill(Pixel pixel) {
    for (int y = 0; y < height_; ++y) {
        std::fill_n(Row(y), width_, pixel);
    }
}

}  // namespace platform
