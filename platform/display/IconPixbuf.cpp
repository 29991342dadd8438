#include "platform/display/IconPixbuf.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstddef>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/IconApi.h"

namespace platform {

namespace {

constexpr Pixel kWhite = 0x00FFFFFF;

}  // namespace

GdkPixbuf* PixbufOfIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return nullptr;
    }
    GdkPixbuf* picture = nullptr;
    const Surface* color = SurfaceOfBitmap(info.hbmColor);
    const Surface* mask = SurfaceOfBitmap(info.hbmMask);
    if (color != nullptr && mask != nullptr && color->width() > 0 && color->height() > 0) {
        picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, color->width(), color->height());
    }
    if (picture != nullptr) {
        guchar* rows = gdk_pixbuf_get_pixels(picture);
        const int stride = gdk_pixbuf_get_rowstride(picture);
        for (int y = 0; y < color->height(); ++y) {
            guchar* out = rows + static_cast<std::ptrdiff_t>(y) * stride;
            for (int x = 0; x < color->width(); ++x, out += 4) {
                const Pixel pixel = color->At(x, y) & kWhite;
                const bool clear = (mask->At(x, y) & kWhite) == kWhite && pixel == 0;
                out[0] = static_cast<guchar>(pixel >> 16);
                out[1] = static_cast<guchar>(pixel >> 8);
                out[2] = static_cast<guchar>(pixel);
                out[3] = clear ? 0 : 255;
            }
        }
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

}  // namespace platform
