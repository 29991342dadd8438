#include "platform/drawing/BitmapFile.h"

#include <cstring>

#include "platform/drawing/DibFormat.h"

namespace platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr WORD kSignature = 0x4D42;  // "BM"

template <typename T>
T ReadStruct(const std::uint8_t* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

template <typename T>
void Append(std::vector<std::uint8_t>& out, const T& value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

}  // namespace

std::optional<DecodedBitmap> DecodeBitmapFile(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize) {
        return std::nullopt;
    }
    auto file_header = ReadStruct<BITMAPFILEHEADER>(file.data());
    if (file_header.bfType != kSignature) {
        return std::nullopt;
    }
    auto info = ReadStruct<BITMAPINFOHEADER>(file.data() + kFileHeaderSize);
    // Later header versions (52, 56, 108, 124 bytes) begin with the same 40 bytes.
    if (info.biSize < kInfoHeaderSize || info.biSize > file.size() - kFileHeaderSize ||
        info.biPlanes != 1) {
        return std::nullopt;
    }
    std::size_t colors_at = kFileHeaderSize + info.biSize;
    // BI_BITFIELDS masks follow a 40-byte header; longer headers hold them inside.
    if (info.biCompression == BI_BITFIELDS && info.biSize > kInfoHeaderSize) {
        colors_at = kFileHeaderSize + kInfoHeaderSize;
    }
    std::optional<DibLayout> layout = LayoutFromHeader(info, file.subspan(colors_at));
    if (!layout) {
        return std::nullopt;
    }
    std::size_t pixels_at = file_header.bfOffBits;
    if (pixels_at < colors_at || pixels_at >= file.size()) {
        // A missing or impossible offset: the rows follow the colour table.
        std::size_t table = info.biCompression == BI_BITFIELDS ? 12 : 4 * ColorTableSize(info);
        if (info.biCompression == BI_BITFIELDS && info.biSize > kInfoHeaderSize) {
            table = 0;
        }
        pixels_at = kFileHeaderSize + info.biSize + table;
    }
    if (pixels_at > file.size()) {
        return std::nullopt;
    }
    DecodedBitmap decoded;
    decoded.bitsPerPixel = layout->bitsPerPixel;
    decoded.pixels = Surface(layout->width, layout->height);
    if (!DecodeRows(*layout, file.subspan(pixels_at), 0, layout->height, decoded.pixels)) {
        return std::nullopt;
    }
    return decoded;
}

std::vector<std::uint8_t> EncodeBitmapFile(const Surface& surface, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32) {
        return {};
    }
    DibLayout layout = WriteLayout(surface.width(), surface.height(), bitsPerPixel, false);
    std::size_t image_size = layout.stride * layout.height;
    std::size_t offset = kFileHeaderSize + kInfoHeaderSize + layout.palette.size() * 4;

    BITMAPFILEHEADER file_header{};
    file_header.bfType = kSignature;
    file_header.bfSize = static_cast<DWORD>(offset + image_size);
    file_header.bfOffBits = static_cast<DWORD>(offset);
    BITMAPINFOHEADER info{};
    info.biSize = kInfoHeaderSize;
    info.biWidth = layout.width;
    info.biHeight = layout.height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(image_size);
    // 96 dots per inch.
    info.biXPelsPerMeter = 3780;
    info.biYPelsPerMeter = 3780;
    info.biClrUsed = static_cast<DWORD>(layout.palette.size());

    std::vector<std::uint8_t> out;
    out.reserve(offset + image_size);
    Append(out, file_header);
    Append(out, info);
    for (Pixel color : layout.palette) {
        RGBQUAD entry{static_cast<BYTE>(color & 0xFF), static_cast<BYTE>((color >> 8) & 0xFF),
                      static_cast<BYTE>((color >> 16) & 0xFF), 0};
        Append(out, entry);
    }
    out.resize(offset + image_size);
    EncodeRows(layout, surface, 0, layout.height, std::span(out).subspan(offset));
    return out;
}

}  // namespace platform
