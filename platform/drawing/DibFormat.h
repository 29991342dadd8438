// Rows of device-independent bitmaps in their stored depths (1, 4, 8, 16, 24 and 32 bits per
// pixel; BI_RGB, and BI_BITFIELDS for 16 and 32), converted from and to 32-bit surface pixels.
// Shared by GetDIBits/SetDIBits, CreateBitmap and the .bmp reader and writer. Nothing here trusts
// a size: every row read is checked against the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/drawing/Gdi.h"
#include "platform/drawing/Surface.h"

namespace platform {

// Larger pictures are refused rather than allocated.
inline constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    // Bytes from one stored row to the next.
    std::size_t stride = 0;
    // Up to 8 bits per pixel: the colours of the indices.
    std::vector<Pixel> palette;
    // 16 and 32 bits per pixel: where red, green and blue sit.
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// Rows aligned to 32 bits, as DIBs store them.
std::size_t DibStride(int width, int bitsPerPixel);

// Checks a header and builds the layout; `colors` holds the bytes after the header (the colour
// table, or the three masks of BI_BITFIELDS). nullopt for anything unsupported or out of range.
std::optional<DibLayout> LayoutFromHeader(const BITMAPINFOHEADER& header,
                                          std::span<const std::uint8_t> colors);
// The number of colour table entries a header implies.
int ColorTableSize(const BITMAPINFOHEADER& header);

// Decodes stored rows [firstRow, firstRow + rowCount) (counted in storage order) into `target`,
// which has the layout's size. False when `bits` is too short for those rows.
bool DecodeRows(const DibLayout& layout, std::span<const std::uint8_t> bits, int firstRow,
                int rowCount, Surface& target);
// Encodes the same rows of `source` into `bits` (stride * rowCount bytes). Pixels outside the
// source encode as black.
void EncodeRows(const DibLayout& layout, const Surface& source, int firstRow, int rowCount,
                std::span<std::uint8_t> bits);

// The layout used to write a surface: BI_RGB, bottom-up unless asked, and for 8 bits or fewer the
// fixed palette (black and white; the 16 VGA colours; the VGA colours, a 6x6x6 cube and greys).
DibLayout WriteLayout(int width, int height, int bitsPerPixel, bool topDown);

}  // namespace platform
