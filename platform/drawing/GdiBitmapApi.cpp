// Bitmaps: creation, DIB bits, files.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/drawing/BitmapFile.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DibFormat.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/FileReplace.h"
#include "platform/drawing/IconApi.h"
#include "platform/drawing/IconFile.h"
#include "platform/drawing/ResourceImages.h"
#include "platform/drawing/ScaledSurface.h"
#include "platform/files/Path.h"

using namespace platform;

namespace {

// Reading a .bmp stops at this size; no picture the programs load comes near it.
constexpr long kMaxBitmapFileBytes = 256L * 1024 * 1024;

bool SizeAllowed(int width, int height) {
    return width >= 0 && height >= 0 && static_cast<long long>(width) * height <= kMaxBitmapPixels;
}

HBITMAP NewBitmap(int width, int height, int bitsPerPixel) {
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = Surface(width, height);
    bitmap->bitsPerPixel = bitsPerPixel;
    return static_cast<HBITMAP>(RegisterObject(std::move(bitmap)));
}

std::span<const std::uint8_t> ColorBytes(const BITMAPINFO* info) {
    // The caller's table follows the header; its size is what the header implies (at most
    // 256 entries, or the three masks).
    std::size_t count = info->bmiHeader.biCompression == BI_BITFIELDS
                            ? 12
                            : 4 * static_cast<std::size_t>(ColorTableSize(info->bmiHeader));
    return std::span(reinterpret_cast<const std::uint8_t*>(info->bmiColors), count);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const char* windowsPath) {
    FILE* file = OpenStdioFile(windowsPath, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + count > static_cast<size_t>(kMaxBitmapFileBytes)) {
            std::fclose(file);
            return std::nullopt;
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    std::fclose(file);
    return bytes;
}

// An icon or cursor file: the picture closest to the size asked (the default size with
// LR_DEFAULTSIZE, else the first picture's own size), stretched to it.
HANDLE LoadIconFromBytes(std::span<const std::uint8_t> bytes, bool isIcon, int width, int height,
                         UINT flags) {
    std::vector<IconPicture> pictures = DecodeIconFile(bytes);
    if (pictures.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto size = [flags](int asked, int own) {
        return asked > 0 ? asked : ((flags & LR_DEFAULTSIZE) ? kDefaultIconSize : own);
    };
    int w = size(width, pictures.front().color.width());
    int h = size(height, pictures.front().color.height());
    std::optional<std::size_t> chosen = ChooseIconPicture(pictures, w, h);
    return CreateIconFromPicture(pictures[*chosen], isIcon, w, h);
}

}  // namespace

namespace platform {

Surface* SurfaceOfBitmap(HBITMAP bitmap) {
    BitmapObject* object = FindBitmap(bitmap);
    return object != nullptr ? &object->surface : nullptr;
}

HBITMAP CreateBitmapFromSurface(const Surface& surface) {
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = surface;
    bitmap->bitsPerPixel = GetDisplayMode().bitsPerPixel;
    return static_cast<HBITMAP>(RegisterObject(std::move(bitmap)));
}

HANDLE LoadImageFromBytes(std::span<const std::uint8_t> bytes, UINT type, int width, int height,
                          UINT flags) {
    if (type != IMAGE_BITMAP) {
        return LoadIconFromBytes(bytes, type == IMAGE_ICON, width, height, flags);
    }
    std::optional<DecodedBitmap> decoded = DecodeBitmapFile(bytes);
    if (!decoded) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Surface pixels = std::move(decoded->pixels);
    if ((width > 0 || height > 0) && SizeAllowed(width, height)) {
        pixels = ScaledSurface(pixels, width > 0 ? width : pixels.width(),
                               height > 0 ? height : pixels.height());
    }
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->bitsPerPixel = GetDisplayMode().bitsPerPixel;
    if (flags & LR_MONOCHROME) {
        bitmap->bitsPerPixel = 1;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                Pixel p = pixels.At(x, y);
                int luminance = ((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11;
                pixels.Set(x, y, luminance >= 12800 ? 0x00FFFFFFu : 0);
            }
        }
    }
    bitmap->surface = std::move(pixels);
    return RegisterObject(std::move(bitmap));
}

bool WriteBitmapFile(const Surface& surface, const char* windowsPath, int bitsPerPixel) {
    std::vector<std::uint8_t> bytes = EncodeBitmapFile(surface, bitsPerPixel);
    if (bytes.empty() || windowsPath == nullptr) {
        return false;
    }
    std::optional<std::filesystem::path> path = ResolvePath(windowsPath);
    return path && ReplaceFileContents(*path, bytes);
}

}  // namespace platform

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || !SizeAllowed(width, height)) {
        return nullptr;
    }
    if (width == 0 || height == 0) {
        // The system answers an empty size with its 1x1 monochrome bitmap.
        return NewBitmap(1, 1, 1);
    }
    if (dc->monochrome()) {
        return NewBitmap(width, height, 1);
    }
    return NewBitmap(width, height, GetDisplayMode().bitsPerPixel);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (!SizeAllowed(width, height) || planes != 1 ||
        (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
         bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return nullptr;
    }
    HBITMAP handle =
        NewBitmap(std::max(width, 1), std::max(height, 1), static_cast<int>(bitsPerPixel));
    if (bits != nullptr && width > 0 && height > 0) {
        // Device bitmaps' rows are top-down and aligned to 16 bits.
        DibLayout layout = WriteLayout(width, height, static_cast<int>(bitsPerPixel), true);
        layout.stride = (static_cast<std::size_t>(width) * bitsPerPixel + 15) / 16 * 2;
        std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(bits),
                                            layout.stride * height);
        DecodeRows(layout, bytes, 0, height, *SurfaceOfBitmap(handle));
    }
    return handle;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits != nullptr) {
        *bits = nullptr;
    }
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr ||
        info->bmiHeader.biBitCount != 32 || info->bmiHeader.biCompression != BI_RGB) {
        return nullptr;
    }
    std::optional<DibLayout> layout = LayoutFromHeader(info->bmiHeader, {});
    if (!layout) {
        return nullptr;
    }
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->isSection = true;
    bitmap->sectionBits.assign(static_cast<size_t>(layout->width) * layout->height, 0);
    bitmap->surface =
        Surface(layout->width, layout->height, bitmap->sectionBits.data(), !layout->topDown);
    if (bits != nullptr) {
        *bits = bitmap->sectionBits.data();
    }
    return static_cast<HBITMAP>(RegisterObject(std::move(bitmap)));
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info,
              UINT usage) {
    BitmapObject* object = FindBitmap(bitmap);
    if (FindDeviceContext(hdc) == nullptr || object == nullptr || info == nullptr ||
        usage != DIB_RGB_COLORS) {
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    const Surface& surface = object->surface;
    if (header.biBitCount == 0) {
        // Only the format is asked for.
        header.biWidth = surface.width();
        header.biHeight = surface.height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(object->bitsPerPixel);
        header.biCompression = BI_RGB;
        header.biSizeImage =
            static_cast<DWORD>(DibStride(surface.width(), header.biBitCount) * surface.height());
        header.biClrUsed = 0;
        return surface.height();
    }
    header.biCompression = header.biCompression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    DibLayout layout = WriteLayout(header.biWidth, std::abs(header.biHeight), header.biBitCount,
                                   header.biHeight < 0);
    if (header.biBitCount != 1 && header.biBitCount != 4 && header.biBitCount != 8 &&
        header.biBitCount != 16 && header.biBitCount != 24 && header.biBitCount != 32) {
        return 0;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 ||
        !SizeAllowed(header.biWidth, std::abs(header.biHeight))) {
        return 0;
    }
    if (header.biCompression == BI_BITFIELDS && header.biBitCount > 8) {
        std::uint32_t masks[3];
        std::memcpy(masks, info->bmiColors, sizeof masks);
        if (masks[0] != 0 && masks[1] != 0 && masks[2] != 0) {
            layout.redMask = masks[0];
            layout.greenMask = masks[1];
            layout.blueMask = masks[2];
        }
    }
    header.biSizeImage = static_cast<DWORD>(layout.stride * layout.height);
    for (size_t i = 0; i < layout.palette.size(); ++i) {
        Pixel color = layout.palette[i];
        info->bmiColors[i] =
            RGBQUAD{static_cast<BYTE>(color & 0xFF), static_cast<BYTE>((color >> 8) & 0xFF),
                    static_cast<BYTE>((color >> 16) & 0xFF), 0};
    }
    if (start >= static_cast<UINT>(layout.height)) {
        return 0;
    }
    int count = static_cast<int>(std::min<UINT>(lines, layout.height - start));
    if (bits == nullptr) {
        return count;
    }
    EncodeRows(layout, surface, static_cast<int>(start), count,
               std::span(static_cast<std::uint8_t*>(bits), layout.stride * count));
    return count;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    BitmapObject* object = FindBitmap(bitmap);
    if (object == nullptr || info == nullptr || bits == nullptr || usage != DIB_RGB_COLORS) {
        return 0;
    }
    std::optional<DibLayout> layout = LayoutFromHeader(info->bmiHeader, ColorBytes(info));
    if (!layout || start >= static_cast<UINT>(layout->height)) {
        return 0;
    }
    int count = static_cast<int>(std::min<UINT>(lines, layout->height - start));
    std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(bits),
                                        layout->stride * count);
    if (!DecodeRows(*layout, bytes, static_cast<int>(start), count, object->surface)) {
        return 0;
    }
    if (object->bitsPerPixel == 1) {
        for (int y = 0; y < object->surface.height(); ++y) {
            Pixel* row = object->surface.Row(y);
            for (int x = 0; x < object->surface.width(); ++x) {
                row[x] = row[x] == 0x00FFFFFFu ? row[x] : 0;
            }
        }
    }
    return count;
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type > IMAGE_CURSOR || name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if ((flags & LR_LOADFROMFILE) == 0) {
        return LoadImageFromResources(instance, name, type, width, height, flags);
    }
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(name);
    if (!bytes) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return LoadImageFromBytes(*bytes, type, width, height, flags);
}
