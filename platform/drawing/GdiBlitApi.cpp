// Block transfers with ternary raster operations.
//
// A monochrome source drawn into a colour DC takes the destination's text colour for black and
// its background colour for white; a colour source drawn into a monochrome DC turns white where
// it has the source DC's background colour and black elsewhere. Those two rules are what makes
// the mask tricks of SRCAND / SRCINVERT / NOTSRCERASE work. Stretching samples the nearest source
// pixel in every stretch mode.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/drawing/DeviceContext.h"

using namespace platform;

namespace {

constexpr Pixel kOutsideMark = 0xFF000000u;

struct SourceView {
    DeviceContext* dc = nullptr;
    // A private copy when source and destination share pixels, so overlapping copies read the
    // pixels as they were before the transfer.
    std::optional<Surface> copy;
    Surface* surface = nullptr;
    bool monochrome = false;

    Pixel At(int x, int y) const { return surface->At(x, y); }
    bool Contains(int x, int y) const { return surface->Contains(x, y); }
};

// Columns (or rows) covered by a start and a signed extent: [min, max).
struct Extent {
    int start;
    int length;
    bool reversed;
};

Extent ExtentOf(int start, int extent) {
    if (extent < 0) {
        return Extent{start + extent, -extent, true};
    }
    return Extent{start, extent, false};
}

struct Transfer {
    DeviceContext& destination;
    Extent destX;
    Extent destY;
    SourceView* source;
    Extent sourceX;
    Extent sourceY;
    unsigned rop3;
    std::optional<Pixel> transparent;
};

Pixel ConvertSource(const Transfer& t, Pixel pixel, bool destination_mono) {
    if (t.source->monochrome && !destination_mono) {
        const DcState& state = t.destination.state();
        return PixelFromColor(pixel == 0 ? state.textColor : state.bkColor);
    }
    if (!t.source->monochrome && destination_mono) {
        Pixel background = PixelFromColor(t.source->dc->state().bkColor);
        return pixel == background ? 0x00FFFFFFu : 0;
    }
    return pixel;
}

// The common case, a colour copy one to one from another surface, row by row: the pixels of the
// general loop below, without its per-pixel scaling and raster operation.
bool IsPlainCopy(const Transfer& t, bool destinationMono) {
    return t.source != nullptr && !t.source->copy && t.rop3 == Rop3Index(SRCCOPY) &&
           !t.transparent && !t.source->monochrome && !destinationMono &&
           t.sourceX.length == t.destX.length && t.sourceY.length == t.destY.length &&
           t.sourceX.reversed == t.destX.reversed && t.sourceY.reversed == t.destY.reversed;
}

void CopyPlain(const Transfer& t, Surface& target, const Region& clip, POINT origin) {
    const Surface& from = *t.source->surface;
    const POINT sourceOrigin = t.source->dc->ToSurface(t.sourceX.start, t.sourceY.start);
    // Destination columns whose source column lies inside the source surface.
    const int firstInside = std::max(0, -sourceOrigin.x);
    const int pastInside = std::min(t.destX.length, from.width() - sourceOrigin.x);
    for (int j = 0; j < t.destY.length; ++j) {
        const int y = origin.y + j;
        const int sy = sourceOrigin.y + j;
        if (sy < 0 || sy >= from.height()) {
            continue;
        }
        const Pixel* sourceRow = from.Row(sy) + sourceOrigin.x;
        Pixel* row = target.Row(y) + origin.x;
        for (const RECT& rect : clip.rects()) {
            if (y < rect.top || y >= rect.bottom) {
                continue;
            }
            const int start = std::max<int>({rect.left - origin.x, 0, firstInside});
            const int end = std::min<int>({rect.right - origin.x, t.destX.length, pastInside});
            for (int i = start; i < end; ++i) {
                row[i] = sourceRow[i] & 0x00FFFFFFu;
            }
        }
    }
}

bool Run(Transfer& t) {
    DeviceContext& dc = t.destination;
    Surface* target = dc.target();
    if (target == nullptr) {
        return false;
    }
    if (t.destX.length == 0 || t.destY.length == 0) {
        return true;
    }
    Region clip = dc.ClipInSurface();
    const BrushObject* brush = Rop3UsesPattern(t.rop3) ? FindBrush(dc.state().brush) : nullptr;
    bool destination_mono = dc.monochrome();
    bool mirror_x = t.source != nullptr && t.destX.reversed != t.sourceX.reversed;
    bool mirror_y = t.source != nullptr && t.destY.reversed != t.sourceY.reversed;
    POINT origin = dc.ToSurface(t.destX.start, t.destY.start);
    if (IsPlainCopy(t, destination_mono)) {
        CopyPlain(t, *target, clip, origin);
        return true;
    }
    for (int j = 0; j < t.destY.length; ++j) {
        int y = origin.y + j;
        int sy = 0;
        if (t.source != nullptr) {
            long long l = static_cast<long long>(j) * t.sourceY.length / t.destY.length;
            sy = t.sourceY.start + static_cast<int>(mirror_y ? t.sourceY.length - 1 - l : l);
        }
        // Clip rectangles are disjoint, so every pixel is visited once.
        for (const RECT& rect : clip.rects()) {
            if (y < rect.top || y >= rect.bottom) {
                continue;
            }
            int from = std::max<int>(rect.left - origin.x, 0);
            int to = std::min<int>(rect.right - origin.x, t.destX.length);
            Pixel* row = target->Row(y);
            for (int i = from; i < to; ++i) {
                int x = origin.x + i;
                Pixel source = 0;
                if (t.source != nullptr) {
                    long long k = static_cast<long long>(i) * t.sourceX.length / t.destX.length;
                    int sx =
                        t.sourceX.start + static_cast<int>(mirror_x ? t.sourceX.length - 1 - k : k);
                    POINT at = t.source->copy ? POINT{sx, sy} : t.source->dc->ToSurface(sx, sy);
                    if (!t.source->Contains(at.x, at.y)) {
                        continue;
                    }
                    Pixel raw = t.source->At(at.x, at.y);
                    if (t.source->copy && (raw & kOutsideMark) != 0) {
                        continue;
                    }
                    raw &= 0x00FFFFFFu;
                    if (t.transparent && raw == *t.transparent) {
                        continue;
                    }
                    source = ConvertSource(t, raw, destination_mono);
                }
                Pixel pattern = 0;
                if (brush != nullptr) {
                    pattern = dc.BrushPixel(*brush, x, y).value_or(0);
                }
                row[x] = dc.StoreFormat(ApplyRop3(t.rop3, pattern, source, row[x]));
            }
        }
    }
    return true;
}

// Prepares the source of a transfer; the copy is taken in the source DC's logical units.
bool OpenSource(HDC hdc, DeviceContext& destination, const Extent& x, const Extent& y,
                SourceView& view) {
    view.dc = FindDeviceContext(hdc);
    if (view.dc == nullptr || view.dc->target() == nullptr) {
        return false;
    }
    view.surface = view.dc->target();
    view.monochrome = view.dc->monochrome();
    if (view.surface == destination.target()) {
        Surface copy(x.length, y.length);
        for (int j = 0; j < y.length; ++j) {
            for (int i = 0; i < x.length; ++i) {
                POINT from = view.dc->ToSurface(x.start + i, y.start + j);
                // Pixels outside the source are marked so they stay unread.
                bool inside = view.surface->Contains(from.x, from.y);
                copy.Set(i, j,
                         inside ? view.surface->At(from.x, from.y) & 0x00FFFFFFu : kOutsideMark);
            }
        }
        view.copy = std::move(copy);
        view.surface = &*view.copy;
    }
    return true;
}

BOOL Stretch(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
             int sourceY, int sourceWidth, int sourceHeight, unsigned rop3,
             std::optional<Pixel> transparent) {
    DeviceContext* dc = FindDeviceContext(destination);
    if (dc == nullptr) {
        return FALSE;
    }
    Transfer transfer{*dc,  ExtentOf(x, width), ExtentOf(y, height), nullptr, {}, {},
                      rop3, transparent};
    SourceView view;
    if (Rop3UsesSource(rop3)) {
        transfer.sourceX = ExtentOf(sourceX, sourceWidth);
        transfer.sourceY = ExtentOf(sourceY, sourceHeight);
        if (!OpenSource(source, *dc, transfer.sourceX, transfer.sourceY, view)) {
            return FALSE;
        }
        if (view.copy) {
            transfer.sourceX.start = 0;
            transfer.sourceY.start = 0;
        }
        if (transfer.sourceX.length == 0 || transfer.sourceY.length == 0) {
            return TRUE;
        }
        transfer.source = &view;
    }
    return Run(transfer) ? TRUE : FALSE;
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    unsigned rop3 = Rop3Index(rop);
    if (Rop3UsesSource(rop3)) {
        return FALSE;
    }
    return Stretch(hdc, x, y, width, height, nullptr, 0, 0, 0, 0, rop3, std::nullopt);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
    if (width < 0 || height < 0) {
        return FALSE;
    }
    return Stretch(destination, x, y, width, height, source, sourceX, sourceY, width, height,
                   Rop3Index(rop), std::nullopt);
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    return Stretch(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                   sourceHeight, Rop3Index(rop), std::nullopt);
}

BOOL TransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, UINT transparentColor) {
    if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0 || source == nullptr) {
        return FALSE;
    }
    return Stretch(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                   sourceHeight, Rop3Index(SRCCOPY), PixelFromColor(transparentColor));
}
