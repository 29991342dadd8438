// .ico and .cur files: a directory of images, each a DIB (colour rows followed by a 1-bit AND
// mask, with the header's height counting both) or a PNG. Every offset and size in the file is
// checked against the bytes that are really there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/drawing/Surface.h"

namespace platform {

struct IconPicture {
    // The XOR image (black where transparent) and the AND mask (white where the screen shows
    // through), as the system draws icons: screen = (screen AND mask) XOR colour.
    Surface color;
    Surface mask;
    int bitsPerPixel = 0;
    // Cursors only.
    int hotspotX = 0;
    int hotspotY = 0;
};

// All images of the file that decode; empty for a file that is not an icon or cursor.
std::vector<IconPicture> DecodeIconFile(std::span<const std::uint8_t> file);

// The image to draw at width x height: an exact size with the deepest colour, else the one
// closest in size. nullopt for an empty list.
std::optional<std::size_t> ChooseIconPicture(const std::vector<IconPicture>& pictures, int width,
                                             int height);

}  // namespace platform
