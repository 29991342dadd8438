#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/drawing/BitmapFile.h"

// .bmp files come from data folders the user can fill: the reader must refuse damaged files
// without reading outside them, and what it accepts must survive writing and reading again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<platform::DecodedBitmap> decoded =
        platform::DecodeBitmapFile(std::span(data, size));
    if (!decoded) {
        return 0;
    }
    const platform::Surface& pixels = decoded->pixels;
    if (static_cast<long long>(pixels.width()) * pixels.height() > 1 << 20) {
        return 0;
    }
    std::optional<platform::DecodedBitmap> again =
        platform::DecodeBitmapFile(platform::EncodeBitmapFile(pixels, 32));
    if (!again || again->pixels.width() != pixels.width() ||
        again->pixels.height() != pixels.height()) {
        __builtin_trap();
    }
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (again->pixels.At(x, y) != (pixels.At(x, y) & 0x00FFFFFFu)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
