// The .bmp file format: a 14-byte file header, a BITMAPINFOHEADER (or one of its longer
// successors when reading), the colour table and the rows. The reader checks every size and
// offset in the file against the bytes that are really there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/drawing/Surface.h"

namespace platform {

struct DecodedBitmap {
    Surface pixels;
    int bitsPerPixel = 0;
};

std::optional<DecodedBitmap> DecodeBitmapFile(std::span<const std::uint8_t> file);
// bitsPerPixel is 1, 4, 8, 16, 24 or 32 (anything else gives an empty result); rows bottom-up.
std::vector<std::uint8_t> EncodeBitmapFile(const Surface& surface, int bitsPerPixel);

}  // namespace platform
