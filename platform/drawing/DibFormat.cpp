#include "platform/drawing/DibFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace platform {

namespace {

std::uint32_t ReadLittle32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Scales a masked channel to 8 bits.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask >> shift);
    std::uint32_t part = (value & mask) >> shift;
    if (width >= 8) {
        return part >> (width - 8);
    }
    std::uint32_t maximum = (1u << width) - 1;
    return (part * 255 + maximum / 2) / maximum;
}

std::uint32_t Place(std::uint32_t channel8, std::uint32_t mask) {
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask >> shift);
    std::uint32_t part = width >= 8 ? channel8 << (width - 8) : channel8 >> (8 - width);
    return (part << shift) & mask;
}

std::vector<Pixel> FixedPalette(int bitsPerPixel) {
    static constexpr Pixel kVga[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    std::vector<Pixel> palette;
    if (bitsPerPixel == 1) {
        return {0x000000, 0xFFFFFF};
    }
    palette.assign(std::begin(kVga), std::end(kVga));
    if (bitsPerPixel == 4) {
        return palette;
    }
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back((r * 51u) << 16 | (g * 51u) << 8 | (b * 51u));
            }
        }
    }
    while (palette.size() < 256) {
        Pixel grey = static_cast<Pixel>((palette.size() - 232) * 10 + 8);
        palette.push_back(grey << 16 | grey << 8 | grey);
    }
    return palette;
}

int Nearest(const std::vector<Pixel>& palette, Pixel pixel) {
    int best = 0;
    long best_distance = std::numeric_limits<long>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        long dr = static_cast<long>((pixel >> 16) & 0xFF) - ((palette[i] >> 16) & 0xFF);
        long dg = static_cast<long>((pixel >> 8) & 0xFF) - ((palette[i] >> 8) & 0xFF);
        long db = static_cast<long>(pixel & 0xFF) - (palette[i] & 0xFF);
        long distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int ImageRow(const DibLayout& layout, int storedRow) {
    return layout.topDown ? storedRow : layout.height - 1 - storedRow;
}

// The channel masks of uncompressed 16-bit (5-5-5) and 24- or 32-bit pixels.
void SetDefaultMasks(DibLayout& layout) {
    if (layout.bitsPerPixel == 16) {
        layout.redMask = 0x7C00;
        layout.greenMask = 0x03E0;
        layout.blueMask = 0x001F;
    } else {
        layout.redMask = 0xFF0000;
        layout.greenMask = 0x00FF00;
        layout.blueMask = 0x0000FF;
    }
}

}  // namespace

std::size_t DibStride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

int ColorTableSize(const BITMAPINFOHEADER& header) {
    if (header.biBitCount > 8) {
        return 0;
    }
    int maximum = 1 << header.biBitCount;
    if (header.biClrUsed == 0 || header.biClrUsed > static_cast<DWORD>(maximum)) {
        return maximum;
    }
    return static_cast<int>(header.biClrUsed);
}

std::optional<DibLayout> LayoutFromHeader(const BITMAPINFOHEADER& header,
                                          std::span<const std::uint8_t> colors) {
    DibLayout layout;
    int bits = header.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == std::numeric_limits<LONG>::min()) {
        return std::nullopt;
    }
    layout.width = header.biWidth;
    layout.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    layout.topDown = header.biHeight < 0;
    if (static_cast<long long>(layout.width) * layout.height > kMaxBitmapPixels) {
        return std::nullopt;
    }
    layout.bitsPerPixel = bits;
    layout.stride = DibStride(layout.width, bits);
    if (header.biCompression == BI_RGB) {
        if (bits <= 8) {
            int count = ColorTableSize(header);
            if (colors.size() < static_cast<size_t>(count) * 4) {
                return std::nullopt;
            }
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* entry = colors.data() + i * 4;
                layout.palette.push_back(entry[2] << 16 | entry[1] << 8 | entry[0]);
            }
            // Indices past a short table read as black rather than outside it.
            layout.palette.resize(static_cast<size_t>(1) << bits, 0);
        } else {
            SetDefaultMasks(layout);
        }
        return layout;
    }
    if (header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32)) {
        if (colors.size() < 12) {
            return std::nullopt;
        }
        layout.redMask = ReadLittle32(colors.data());
        layout.greenMask = ReadLittle32(colors.data() + 4);
        layout.blueMask = ReadLittle32(colors.data() + 8);
        return layout;
    }
    return std::nullopt;
}

bool DecodeRows(const DibLayout& layout, std::span<const std::uint8_t> bits, int firstRow,
                int rowCount, Surface& target) {
    if (firstRow < 0 || rowCount < 0 ||
        firstRow + static_cast<long long>(rowCount) > layout.height ||
        bits.size() / layout.stride < static_cast<size_t>(rowCount)) {
        return false;
    }
    for (int r = 0; r < rowCount; ++r) {
        const std::uint8_t* row = bits.data() + static_cast<size_t>(r) * layout.stride;
        int y = ImageRow(layout, firstRow + r);
        if (y < 0 || y >= target.height()) {
            continue;
        }
        Pixel* out = target.Row(y);
        int width = std::min(layout.width, target.width());
        for (int x = 0; x < width; ++x) {
            Pixel pixel = 0;
            switch (layout.bitsPerPixel) {
                case 1:
                    pixel = layout.palette[(row[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    pixel = layout.palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                    break;
                case 8:
                    pixel = layout.palette[row[x]];
                    break;
                case 16: {
                    std::uint32_t value = row[x * 2] | (row[x * 2 + 1] << 8);
                    pixel = Channel(value, layout.redMask) << 16 |
                            Channel(value, layout.greenMask) << 8 | Channel(value, layout.blueMask);
                    break;
                }
                case 24:
                    pixel = row[x * 3 + 2] << 16 | row[x * 3 + 1] << 8 | row[x * 3];
                    break;
                default: {
                    std::uint32_t value = ReadLittle32(row + x * 4);
                    pixel = Channel(value, layout.redMask) << 16 |
                            Channel(value, layout.greenMask) << 8 | Channel(value, layout.blueMask);
                    break;
                }
            }
            out[x] = pixel;
        }
    }
    return true;
}

void EncodeRows(const DibLayout& layout, const Surface& source, int firstRow, int rowCount,
                std::span<std::uint8_t> bits) {
    std::unordered_map<Pixel, int> nearest;
    auto index_of = [&](Pixel pixel) {
        auto found = nearest.find(pixel);
        if (found != nearest.end()) {
            return found->second;
        }
        int index = Nearest(layout.palette, pixel);
        nearest.emplace(pixel, index);
        return index;
    };
    for (int r = 0; r < rowCount; ++r) {
        if ((static_cast<size_t>(r) + 1) * layout.stride > bits.size()) {
            return;
        }
        std::uint8_t* row = bits.data() + static_cast<size_t>(r) * layout.stride;
        std::memset(row, 0, layout.stride);
        int y = ImageRow(layout, firstRow + r);
        for (int x = 0; x < layout.width; ++x) {
            Pixel pixel = source.At(x, y) & 0x00FFFFFFu;
            switch (layout.bitsPerPixel) {
                case 1:
                    row[x / 8] |= static_cast<std::uint8_t>((index_of(pixel) & 1) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |=
                        static_cast<std::uint8_t>(index_of(pixel) << (x % 2 == 0 ? 4 : 0));
                    break;
                case 8:
                    row[x] = static_cast<std::uint8_t>(index_of(pixel));
                    break;
                case 16: {
                    std::uint32_t value = Place((pixel >> 16) & 0xFF, layout.redMask) |
                                          Place((pixel >> 8) & 0xFF, layout.greenMask) |
                                          Place(pixel & 0xFF, layout.blueMask);
                    row[x * 2] = value & 0xFF;
                    row[x * 2 + 1] = (value >> 8) & 0xFF;
                    break;
                }
                case 24:
                    row[x * 3] = pixel & 0xFF;
                    row[x * 3 + 1] = (pixel >> 8) & 0xFF;
                    row[x * 3 + 2] = (pixel >> 16) & 0xFF;
                    break;
                default: {
                    std::uint32_t value = Place((pixel >> 16) & 0xFF, layout.redMask) |
                                          Place((pixel >> 8) & 0xFF, layout.greenMask) |
                                          Place(pixel & 0xFF, layout.blueMask);
                    std::memcpy(row + x * 4, &value, 4);
                    break;
                }
            }
        }
    }
}

DibLayout WriteLayout(int width, int height, int bitsPerPixel, bool topDown) {
    DibLayout layout;
    layout.width = std::max(width, 0);
    layout.height = std::max(height, 0);
    layout.topDown = topDown;
    layout.bitsPerPixel = bitsPerPixel;
    layout.stride = DibStride(layout.width, bitsPerPixel);
    if (bitsPerPixel <= 8) {
        layout.palette = FixedPalette(bitsPerPixel);
    } else {
        SetDefaultMasks(layout);
    }
    return layout;
}

}  // namespace platform
