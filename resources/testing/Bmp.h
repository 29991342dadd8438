// A 24-bit bottom-up BMP file as a program's resources hold it, read pixel by pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace platform::resource_checks {

// The colour the programs' image strips mark transparent pixels with.
constexpr std::uint32_t kMagenta = 0xFF00FF;

class Bmp {
public:
    explicit Bmp(int id);

    bool Valid() const;
    int Width() const;
    int Height() const;
    int Bits() const;

    // 0xRRGGBB
    std::uint32_t Pixel(int x, int y) const;

    // Counts of mask and picture pixels in a rectangle.
    std::pair<int, int> Coverage(int left, int top, int cx, int cy) const;

private:
    std::uint32_t Word32(size_t at) const;
    size_t Offset() const;
    int Stride() const;

    std::span<const std::uint8_t> bytes_;
};

// Whether the cx x cy images at (ax, ay) of `a` and (bx, by) of `b` have the same pixels.
bool SameImage(const Bmp& a, int ax, int ay, const Bmp& b, int bx, int by, int cx, int cy);

// Expects the bitmap resource to be a valid 24-bit BMP of this size, as read and as loaded.
void ExpectBitmapSize(int id, int cx, int cy);

}  // namespace platform::resource_checks
