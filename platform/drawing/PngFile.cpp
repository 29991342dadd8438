// PNG pictures of surfaces, through libpng, for people to look at.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/FileReplace.h"

namespace platform {

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Encodes outside any function that owns C++ objects, since libpng reports errors by longjmp.
bool Encode(const Surface& surface, const std::vector<png_bytep>& rows,
            std::vector<std::uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, AppendToVector, NoFlush);
    png_set_IHDR(png, info, surface.width(), surface.height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const Surface& surface, const std::filesystem::path& path) {
    if (surface.width() == 0 || surface.height() == 0) {
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<size_t>(surface.width()) * surface.height() * 3);
    std::vector<png_bytep> rows(surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        std::uint8_t* row = rgb.data() + static_cast<size_t>(y) * surface.width() * 3;
        rows[y] = row;
        const Pixel* pixels = surface.Row(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[x * 3] = (pixels[x] >> 16) & 0xFF;
            row[x * 3 + 1] = (pixels[x] >> 8) & 0xFF;
            row[x * 3 + 2] = pixels[x] & 0xFF;
        }
    }
    std::vector<std::uint8_t> encoded;
    return Encode(surface, rows, encoded) && ReplaceFileContents(path, encoded);
}

}  // namespace platform
