// The state behind an HDC and the pixel work every drawing call shares: mapping logical to
// surface coordinates, clipping, raster operations and brush sampling.
//
// Coordinates: a logical point plus the viewport origin gives a device point; a device point plus
// the DC's origin on its surface gives a surface point. A memory DC draws into its selected
// bitmap with origin (0, 0); a surface DC (a window's or the screen's) into a surface it does not
// own, limited to its base clip region.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/drawing/GdiObjects.h"
#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"

namespace platform {

struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_TOP | TA_LEFT | TA_NOUPDATECP;
    POINT viewportOrigin{0, 0};
    POINT brushOrigin{0, 0};
    POINT position{0, 0};
    // The selected clip region in device units; none means the whole device.
    std::optional<Region> clip;
};

class DeviceContext {
public:
    enum class Kind { kMemory, kSurface };

    // A memory DC holding the default 1x1 monochrome bitmap.
    DeviceContext();
    // A DC over `surface` whose device (0, 0) is `origin` on the surface, limited to `baseClip`
    // (surface coordinates).
    DeviceContext(Surface& surface, POINT origin, const Region& baseClip);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Kind kind() const { return kind_; }
    DcState& state() { return state_; }
    const DcState& state() const { return state_; }

    int Save();
    bool Restore(int saved);

    // Swaps the selected object of the object's type, keeping the selection counts; returns the
    // previous object, or null when the object cannot be selected.
    HGDIOBJ Select(HGDIOBJ handle);

    // The drawing target: the selected bitmap's pixels for a memory DC.
    Surface* target() { return target_; }
    bool monochrome() const { return monochrome_; }

    POINT ToDevice(int x, int y) const {
        return {x + state_.viewportOrigin.x, y + state_.viewportOrigin.y};
    }
    POINT ToSurface(int x, int y) const {
        return {x + state_.viewportOrigin.x + origin_.x, y + state_.viewportOrigin.y + origin_.y};
    }
    POINT origin() const { return origin_; }
    // Whether transfers from this DC read the desktop's pixels (a screen DC).
    bool readsDesktop() const { return readsDesktop_; }
    void SetReadsDesktop() { readsDesktop_ = true; }
    // A screen DC on a desktop keeps the surface's picture from its creation, so that what it
    // drew can be told apart as it is deleted; null for any other DC.
    void KeepPictureBefore() { before_ = std::make_unique<Surface>(*surface_); }
    const Surface* pictureBefore() const { return before_.get(); }

    // The pixels this DC may touch now, in surface coordinates.
    Region ClipInSurface();
    // The part of the device the DC may touch, in device units, before any clip region selection.
    Region DeviceArea();

    // Pixel writes in surface coordinates; `rop3` is a ternary truth table (bits 16..23 of a raster
    // operation code). They respect the clip region given, which the caller computes once.
    void Plot(const Region& clip, int x, int y, Pixel pattern, Pixel source, unsigned rop3);
    void Span(const Region& clip, int y, int x0, int x1, Pixel pattern, unsigned rop3);
    void BrushSpan(const Region& clip, int y, int x0, int x1, const BrushObject& brush,
                   unsigned rop3);
    // The brush's colour at surface point (x, y); nothing where a hatch or a hollow brush leaves
    // the destination alone.
    std::optional<Pixel> BrushPixel(const BrushObject& brush, int x, int y) const;

    // Monochrome targets keep only black and white.
    Pixel StoreFormat(Pixel pixel) const;

private:
    // Looks up the selected bitmap once per selection rather than once per pixel.
    void RefreshTarget();

    Kind kind_;
    Surface* surface_ = nullptr;
    POINT origin_{0, 0};
    Region baseClip_;
    DcState state_;
    std::vector<DcState> saved_;
    Surface* target_ = nullptr;
    bool monochrome_ = false;
    bool readsDesktop_ = false;
    std::unique_ptr<Surface> before_;
};

// The desktop's pixels of `area` (screen coordinates) through the screen reader; false without
// one.
bool ReadDesktop(const RECT& area, Surface& into);

// The table of live DCs, like the object table.
HDC RegisterDeviceContext(std::unique_ptr<DeviceContext> dc);
DeviceContext* FindDeviceContext(HDC hdc);
bool DestroyDeviceContext(HDC hdc);

// Raster operation helpers.
Pixel ApplyRop3(unsigned rop3, Pixel pattern, Pixel source, Pixel destination);
// The ternary truth table that draws with a binary raster mode (the source plays no part).
unsigned Rop3FromRop2(int rop2);
constexpr unsigned Rop3Index(DWORD rop) {
    return (rop >> 16) & 0xFFu;
}
constexpr bool Rop3UsesSource(unsigned rop3) {
    return ((rop3 >> 2) ^ rop3) & 0x33u;
}
constexpr bool Rop3UsesPattern(unsigned rop3) {
    return ((rop3 >> 4) ^ rop3) & 0x0Fu;
}

}  // namespace platform
