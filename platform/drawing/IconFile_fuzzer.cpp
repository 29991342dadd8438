#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/drawing/IconFile.h"

// Icon files come from data folders: the reader must refuse damaged directories and images
// without reading outside the file, and every picture it gives must have matching halves.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const platform::IconPicture& picture : platform::DecodeIconFile(std::span(data, size))) {
        if (picture.color.width() != picture.mask.width() ||
            picture.color.height() != picture.mask.height() || picture.color.width() == 0) {
            __builtin_trap();
        }
    }
    return 0;
}
