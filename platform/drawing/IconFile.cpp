#include "platform/drawing/IconFile.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/drawing/DibFormat.h"
#include "platform/drawing/Gdi.h"

namespace platform {

namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;
constexpr int kLargestIcon = 1024;

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t Read32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::optional<IconPicture> DecodePng(std::span<const std::uint8_t> bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    if (image.width == 0 || image.height == 0 || image.width > kLargestIcon ||
        image.height > kLargestIcon) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    IconPicture picture;
    int width = static_cast<int>(image.width);
    int height = static_cast<int>(image.height);
    picture.color = Surface(width, height);
    picture.mask = Surface(width, height);
    picture.bitsPerPixel = 32;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
            // Without blending, half-covered pixels count as drawn.
            bool clear = p[3] < 128;
            picture.color.Set(x, y, clear ? 0 : static_cast<Pixel>(p[2] << 16 | p[1] << 8 | p[0]));
            picture.mask.Set(x, y, clear ? 0x00FFFFFFu : 0);
        }
    }
    return picture;
}

std::optional<IconPicture> DecodeDib(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < sizeof(BITMAPINFOHEADER)) {
        return std::nullopt;
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.biSize < sizeof header || header.biSize > bytes.size() || header.biHeight <= 0 ||
        header.biHeight % 2 != 0 || header.biWidth > kLargestIcon ||
        header.biHeight / 2 > kLargestIcon) {
        return std::nullopt;
    }
    // The height counts the colour rows and the mask rows.
    BITMAPINFOHEADER color_header = header;
    color_header.biHeight = header.biHeight / 2;
    std::span<const std::uint8_t> after = bytes.subspan(header.biSize);
    std::optional<DibLayout> color = LayoutFromHeader(color_header, after);
    if (!color) {
        return std::nullopt;
    }
    std::size_t table = header.biCompression == BI_BITFIELDS
                            ? 12
                            : 4 * static_cast<std::size_t>(ColorTableSize(color_header));
    if (table > after.size()) {
        return std::nullopt;
    }
    std::span<const std::uint8_t> rows = after.subspan(table);
    IconPicture picture;
    picture.bitsPerPixel = color->bitsPerPixel;
    picture.color = Surface(color->width, color->height);
    if (!DecodeRows(*color, rows, 0, color->height, picture.color)) {
        return std::nullopt;
    }
    DibLayout mask = WriteLayout(color->width, color->height, 1, false);
    std::size_t color_bytes = color->stride * color->height;
    picture.mask = Surface(color->width, color->height);
    bool has_mask = rows.size() >= color_bytes &&
                    DecodeRows(mask, rows.subspan(color_bytes), 0, mask.height, picture.mask);
    if (!has_mask) {
        // Some 32-bit icons leave the mask out and rely on their alpha channel alone.
        if (color->bitsPerPixel != 32) {
            return std::nullopt;
        }
        picture.mask.Fill(0);
    }
    if (color->bitsPerPixel == 32 && header.biCompression == BI_RGB) {
        bool any_alpha = false;
        for (int y = 0; y < color->height && !any_alpha; ++y) {
            const std::uint8_t* row = rows.data() + static_cast<std::size_t>(y) * color->stride;
            for (int x = 0; x < color->width && !any_alpha; ++x) {
                any_alpha = row[x * 4 + 3] != 0;
            }
        }
        for (int stored = 0; any_alpha && stored < color->height; ++stored) {
            const std::uint8_t* row =
                rows.data() + static_cast<std::size_t>(stored) * color->stride;
            int y = color->height - 1 - stored;
            for (int x = 0; x < color->width; ++x) {
                if (row[x * 4 + 3] < 128) {
                    picture.mask.Set(x, y, 0x00FFFFFFu);
                    picture.color.Set(x, y, 0);
                }
            }
        }
    }
    return picture;
}

}  // namespace

std::vector<IconPicture> DecodeIconFile(std::span<const std::uint8_t> file) {
    std::vector<IconPicture> pictures;
    if (file.size() < kDirectoryHeader) {
        return pictures;
    }
    std::uint16_t reserved = Read16(file.data());
    std::uint16_t type = Read16(file.data() + 2);
    std::uint16_t count = Read16(file.data() + 4);
    if (reserved != 0 || (type != 1 && type != 2) ||
        kDirectoryHeader + kDirectoryEntry * count > file.size()) {
        return pictures;
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = file.data() + kDirectoryHeader + kDirectoryEntry * i;
        std::uint32_t size = Read32(entry + 8);
        std::uint32_t offset = Read32(entry + 12);
        if (offset >= file.size() || size > file.size() - offset) {
            continue;
        }
        std::span<const std::uint8_t> bytes = file.subspan(offset, size);
        static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};
        std::optional<IconPicture> picture =
            bytes.size() >= 4 && std::memcmp(bytes.data(), kPngSignature, 4) == 0
                ? DecodePng(bytes)
                : DecodeDib(bytes);
        if (!picture) {
            continue;
        }
        if (type == 2) {
            picture->hotspotX = Read16(entry + 4);
            picture->hotspotY = Read16(entry + 6);
        }
        pictures.push_back(std::move(*picture));
    }
    return pictures;
}

std::optional<std::size_t> ChooseIconPicture(const std::vector<IconPicture>& pictures, int width,
                                             int height) {
    std::optional<std::size_t> best;
    long best_distance = std::numeric_limits<long>::max();
    int best_depth = -1;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const IconPicture& picture = pictures[i];
        long distance = std::labs(static_cast<long>(picture.color.width()) - width) +
                        std::labs(static_cast<long>(picture.color.height()) - height);
        if (distance < best_distance ||
            (distance == best_distance && picture.bitsPerPixel > best_depth)) {
            best = i;
            best_distance = distance;
            best_depth = picture.bitsPerPixel;
        }
    }
    return best;
}

}  // namespace platform
