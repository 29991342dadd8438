#include "platform/drawing/DeviceContext.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace platform {

namespace {

constexpr Pixel kColorMask = 0x00FFFFFFu;

struct DcTable {
    std::mutex mutex;
    std::unordered_map<HDC, std::unique_ptr<DeviceContext>> dcs;
};

DcTable& Dcs() {
    static DcTable* table = new DcTable;
    return *table;
}

HGDIOBJ* SlotFor(DcState& state, DWORD type) {
    switch (type) {
        case OBJ_PEN:
            return reinterpret_cast<HGDIOBJ*>(&state.pen);
        case OBJ_BRUSH:
            return reinterpret_cast<HGDIOBJ*>(&state.brush);
        case OBJ_FONT:
            return reinterpret_cast<HGDIOBJ*>(&state.font);
        case OBJ_BITMAP:
            return reinterpret_cast<HGDIOBJ*>(&state.bitmap);
        default:
            return nullptr;
    }
}

void RetainAll(const DcState& state) {
    for (HGDIOBJ handle : {static_cast<HGDIOBJ>(state.pen), static_cast<HGDIOBJ>(state.brush),
                           static_cast<HGDIOBJ>(state.font), static_cast<HGDIOBJ>(state.bitmap)}) {
        if (handle != nullptr) {
            RetainSelection(handle);
        }
    }
}

void ReleaseAll(const DcState& state) {
    for (HGDIOBJ handle : {static_cast<HGDIOBJ>(state.pen), static_cast<HGDIOBJ>(state.brush),
                           static_cast<HGDIOBJ>(state.font), static_cast<HGDIOBJ>(state.bitmap)}) {
        if (handle != nullptr) {
            ReleaseSelection(handle);
        }
    }
}

// 8x8 hatch patterns: whether the hatch line covers (x, y).
bool HatchCovers(int hatch, int x, int y) {
    x &= 7;
    y &= 7;
    switch (hatch) {
        case HS_HORIZONTAL:
            return y == 4;
        case HS_VERTICAL:
            return x == 4;
        case HS_FDIAGONAL:
            return x == y;
        case HS_BDIAGONAL:
            return x == 7 - y;
        case HS_CROSS:
            return x == 4 || y == 4;
        case HS_DIAGCROSS:
            return x == y || x == 7 - y;
        default:
            return false;
    }
}

}  // namespace

DeviceContext::DeviceContext() : kind_(Kind::kMemory) {
    state_.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state_.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state_.bitmap = DefaultBitmap();
    RetainAll(state_);
    RefreshTarget();
}

DeviceContext::DeviceContext(Surface& surface, POINT origin, const Region& baseClip)
    : kind_(Kind::kSurface), surface_(&surface), origin_(origin), baseClip_(baseClip) {
    state_.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state_.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    RetainAll(state_);
    RefreshTarget();
}

DeviceContext::~DeviceContext() {
    for (const DcState& saved : saved_) {
        ReleaseAll(saved);
    }
    ReleaseAll(state_);
}

int DeviceContext::Save() {
    saved_.push_back(state_);
    RetainAll(state_);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::Restore(int saved) {
    int count = static_cast<int>(saved_.size());
    // A negative number counts back from the most recent save.
    int level = saved < 0 ? count + saved + 1 : saved;
    if (level < 1 || level > count) {
        return false;
    }
    // The restored objects are held before the dropped states let theirs go, so that an object
    // whose deletion is pending stays alive while it is selected again.
    DcState restored = saved_[level - 1];
    RetainAll(restored);
    for (int i = count - 1; i >= level - 1; --i) {
        ReleaseAll(saved_[i]);
    }
    saved_.resize(level - 1);
    ReleaseAll(state_);
    state_ = std::move(restored);
    RefreshTarget();
    return true;
}

HGDIOBJ DeviceContext::Select(HGDIOBJ handle) {
    GdiObject* object = FindObject(handle);
    if (object == nullptr) {
        return nullptr;
    }
    HGDIOBJ* slot = SlotFor(state_, object->type);
    if (slot == nullptr || (object->type == OBJ_BITMAP && kind_ != Kind::kMemory)) {
        return nullptr;
    }
    HGDIOBJ previous = *slot;
    if (previous == handle) {
        return previous;
    }
    if (object->type == OBJ_BITMAP && !object->stock && object->selections > 0) {
        // A bitmap is in one DC at a time.
        return nullptr;
    }
    RetainSelection(handle);
    *slot = handle;
    if (previous != nullptr) {
        ReleaseSelection(previous);
    }
    RefreshTarget();
    return previous;
}

void DeviceContext::RefreshTarget() {
    if (kind_ == Kind::kSurface) {
        target_ = surface_;
        monochrome_ = false;
        return;
    }
    BitmapObject* bitmap = FindBitmap(state_.bitmap);
    target_ = bitmap != nullptr ? &bitmap->surface : nullptr;
    monochrome_ = bitmap != nullptr && bitmap->bitsPerPixel == 1;
}

Region DeviceContext::DeviceArea() {
    if (kind_ == Kind::kMemory) {
        Surface* surface = target();
        return surface != nullptr ? Region(RECT{0, 0, surface->width(), surface->height()})
                                  : Region();
    }
    Region area = baseClip_;
    area.Intersect(Region(RECT{0, 0, surface_->width(), surface_->height()}));
    area.Offset(-origin_.x, -origin_.y);
    return area;
}

Region DeviceContext::ClipInSurface() {
    Surface* surface = target();
    if (surface == nullptr) {
        return Region();
    }
    Region clip(RECT{0, 0, surface->width(), surface->height()});
    if (kind_ == Kind::kSurface) {
        clip.Intersect(baseClip_);
    }
    if (state_.clip) {
        Region selected = *state_.clip;
        selected.Offset(origin_.x, origin_.y);
        clip.Intersect(selected);
    }
    return clip;
}

Pixel DeviceContext::StoreFormat(Pixel pixel) const {
    if (!monochrome()) {
        return pixel & kColorMask;
    }
    int red = (pixel >> 16) & 0xFF;
    int green = (pixel >> 8) & 0xFF;
    int blue = pixel & 0xFF;
    return red * 30 + green * 59 + blue * 11 >= 128 * 100 ? kColorMask : 0;
}

void DeviceContext::Plot(const Region& clip, int x, int y, Pixel pattern, Pixel source,
                         unsigned rop3) {
    Surface* surface = target();
    if (surface == nullptr || !clip.Contains(x, y)) {
        return;
    }
    Pixel& destination = surface->Row(y)[x];
    destination = StoreFormat(ApplyRop3(rop3, pattern, source, destination));
}

void DeviceContext::Span(const Region& clip, int y, int x0, int x1, Pixel pattern, unsigned rop3) {
    Surface* surface = target();
    if (surface == nullptr) {
        return;
    }
    bool mono = monochrome();
    // A plain fill, the common case, needs no raster operation per pixel.
    const bool fill = rop3 == Rop3Index(PATCOPY);
    const Pixel filled = mono ? StoreFormat(pattern) : pattern & kColorMask;
    for (const RECT& rect : clip.rects()) {
        if (y < rect.top || y >= rect.bottom) {
            continue;
        }
        int from = std::max<int>(x0, rect.left);
        int to = std::min<int>(x1, rect.right);
        Pixel* row = surface->Row(y);
        if (fill) {
            if (from < to) {
                std::fill(row + from, row + to, filled);
            }
            continue;
        }
        for (int x = from; x < to; ++x) {
            Pixel result = ApplyRop3(rop3, pattern, 0, row[x]);
            row[x] = mono ? StoreFormat(result) : result & kColorMask;
        }
    }
}

void DeviceContext::BrushSpan(const Region& clip, int y, int x0, int x1, const BrushObject& brush,
                              unsigned rop3) {
    if (brush.style == BS_NULL) {
        return;
    }
    if (brush.style == BS_SOLID) {
        Span(clip, y, x0, x1, PixelFromColor(brush.color), rop3);
        return;
    }
    for (const RECT& rect : clip.rects()) {
        if (y < rect.top || y >= rect.bottom) {
            continue;
        }
        int from = std::max<int>(x0, rect.left);
        int to = std::min<int>(x1, rect.right);
        for (int x = from; x < to; ++x) {
            if (std::optional<Pixel> pattern = BrushPixel(brush, x, y)) {
                Plot(clip, x, y, *pattern, 0, rop3);
            }
        }
    }
}

std::optional<Pixel> DeviceContext::BrushPixel(const BrushObject& brush, int x, int y) const {
    switch (brush.style) {
        case BS_SOLID:
            return PixelFromColor(brush.color);
        case BS_HATCHED: {
            int px = x - origin_.x - state_.brushOrigin.x;
            int py = y - origin_.y - state_.brushOrigin.y;
            if (HatchCovers(brush.hatch, px, py)) {
                return PixelFromColor(brush.color);
            }
            if (state_.bkMode == OPAQUE) {
                return PixelFromColor(state_.bkColor);
            }
            return std::nullopt;
        }
        case BS_PATTERN: {
            int width = brush.pattern.width();
            int height = brush.pattern.height();
            if (width == 0 || height == 0) {
                return std::nullopt;
            }
            int px = (x - origin_.x - state_.brushOrigin.x) % width;
            int py = (y - origin_.y - state_.brushOrigin.y) % height;
            Pixel pixel = brush.pattern.At(px < 0 ? px + width : px, py < 0 ? py + height : py);
            if (brush.monochromePattern) {
                // Monochrome patterns draw their black in the text colour, white in the background.
                return PixelFromColor(pixel == 0 ? state_.textColor : state_.bkColor);
            }
            return pixel;
        }
        default:
            return std::nullopt;
    }
}

Pixel ApplyRop3(unsigned rop3, Pixel pattern, Pixel source, Pixel destination) {
    switch (rop3) {
        case 0xCC:
            return source;
        case 0xF0:
            return pattern;
        case 0x00:
            return 0;
        case 0xFF:
            return kColorMask;
        default:
            break;
    }
    Pixel result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if ((rop3 >> index) & 1u) {
            Pixel p = (index & 4u) ? pattern : ~pattern;
            Pixel s = (index & 2u) ? source : ~source;
            Pixel d = (index & 1u) ? destination : ~destination;
            result |= p & s & d;
        }
    }
    return result & kColorMask;
}

unsigned Rop3FromRop2(int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        rop2 = R2_COPYPEN;
    }
    unsigned table = static_cast<unsigned>(rop2 - 1);
    unsigned rop3 = 0;
    for (unsigned index = 0; index < 8; ++index) {
        unsigned pen = (index >> 2) & 1u;
        unsigned destination = index & 1u;
        if ((table >> ((pen << 1) | destination)) & 1u) {
            rop3 |= 1u << index;
        }
    }
    return rop3;
}

HDC RegisterDeviceContext(std::unique_ptr<DeviceContext> dc) {
    HDC handle = reinterpret_cast<HDC>(dc.get());
    DcTable& table = Dcs();
    std::lock_guard lock(table.mutex);
    table.dcs.emplace(handle, std::move(dc));
    return handle;
}

DeviceContext* FindDeviceContext(HDC hdc) {
    if (hdc == nullptr) {
        return nullptr;
    }
    DcTable& table = Dcs();
    std::lock_guard lock(table.mutex);
    auto found = table.dcs.find(hdc);
    return found == table.dcs.end() ? nullptr : found->second.get();
}

bool DestroyDeviceContext(HDC hdc) {
    std::unique_ptr<DeviceContext> dc;
    {
        DcTable& table = Dcs();
        std::lock_guard lock(table.mutex);
        auto found = table.dcs.find(hdc);
        if (found == table.dcs.end()) {
            return false;
        }
        dc = std::move(found->second);
        table.dcs.erase(found);
    }
    return true;
}

}  // namespace platform
