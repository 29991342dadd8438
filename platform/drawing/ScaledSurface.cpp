#include "platform/drawing/ScaledSurface.h"

namespace platform {

Surface ScaledSurface(const Surface& source, int width, int height) {
    if (width == source.width() && height == source.height()) {
        return source;
    }
    Surface result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            result.Set(
                x, y,
                source.At(static_cast<int>(static_cast<long long>(x) * source.width() / width),
                          static_cast<int>(static_cast<long long>(y) * source.height() / height)));
        }
    }
    return result;
}

}  // namespace platform
