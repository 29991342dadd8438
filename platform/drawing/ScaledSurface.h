// Resizing a picture for the bitmap and icon loaders.
#pragma once

#include "platform/drawing/Surface.h"

namespace platform {

// A copy of `source` at another size, each pixel taken from the nearest source pixel.
Surface ScaledSurface(const Surface& source, int width, int height);

}  // namespace platform
