// Device contexts: creation, saved states, coordinates, modes and clipping.
#include <mutex>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DrawingSeams.h"

using namespace platform;

namespace {

struct Display {
    std::mutex mutex;
    DisplayMode mode;
    Surface* screen = nullptr;
    ScreenReader reader;
    ScreenDrawnObserver drawn;
};

Display& TheDisplay() {
    static Display* display = new Display;
    return *display;
}

// The clip region in device units that a change starts from: the selected one, else everything
// the DC can reach.
Region CurrentDeviceClip(DeviceContext& dc) {
    return dc.state().clip ? *dc.state().clip : dc.DeviceArea();
}

int ClipComplexity(DeviceContext& dc) {
    Region clip = dc.DeviceArea();
    if (dc.state().clip) {
        clip.Intersect(*dc.state().clip);
    }
    return clip.Complexity();
}

RECT LogicalToDevice(DeviceContext& dc, int left, int top, int right, int bottom) {
    POINT a = dc.ToDevice(left, top);
    POINT b = dc.ToDevice(right, bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

template <typename T>
T Exchange(T& slot, T value) {
    T previous = slot;
    slot = value;
    return previous;
}

}  // namespace

namespace platform {

HDC CreateSurfaceDC(Surface& surface, POINT origin, const RECT& clip) {
    return CreateSurfaceDC(surface, origin, Region(clip));
}

HDC CreateSurfaceDC(Surface& surface, POINT origin, const Region& clip) {
    return RegisterDeviceContext(std::make_unique<DeviceContext>(surface, origin, clip));
}

HDC CreateScreenDC(Surface& surface) {
    auto dc = std::make_unique<DeviceContext>(
        surface, POINT{0, 0}, Region(RECT{0, 0, surface.width(), surface.height()}));
    dc->SetReadsDesktop();
    bool onDesktop = false;
    {
        Display& display = TheDisplay();
        std::lock_guard lock(display.mutex);
        onDesktop = display.reader && display.drawn;
    }
    if (onDesktop) {
        dc->KeepPictureBefore();
    }
    return RegisterDeviceContext(std::move(dc));
}

void SetScreenReader(ScreenReader reader) {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    display.reader = std::move(reader);
}

void SetScreenDrawnObserver(ScreenDrawnObserver observer) {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    display.drawn = std::move(observer);
}

bool ReadDesktop(const RECT& area, Surface& into) {
    ScreenReader reader;
    {
        Display& display = TheDisplay();
        std::lock_guard lock(display.mutex);
        reader = display.reader;
    }
    return reader && reader(area, into);
}

DisplayMode GetDisplayMode() {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    return display.mode;
}

void SetDisplayMode(const DisplayMode& mode) {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    display.mode = mode;
}

void SetScreenSurface(Surface* surface) {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    display.screen = surface;
}

Surface* GetScreenSurface() {
    Display& display = TheDisplay();
    std::lock_guard lock(display.mutex);
    return display.screen;
}

}  // namespace platform

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && FindDeviceContext(hdc) == nullptr) {
        return nullptr;
    }
    return RegisterDeviceContext(std::make_unique<DeviceContext>());
}

HDC CreateDCA(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
    Surface* screen = GetScreenSurface();
    if (driver == nullptr || std::string_view(driver) != "DISPLAY" || screen == nullptr) {
        return nullptr;
    }
    return CreateScreenDC(*screen);
}

BOOL DeleteDC(HDC hdc) {
    if (DeviceContext* dc = FindDeviceContext(hdc); dc != nullptr && dc->pictureBefore()) {
        ScreenDrawnObserver drawn;
        {
            Display& display = TheDisplay();
            std::lock_guard lock(display.mutex);
            drawn = display.drawn;
        }
        if (drawn) {
            drawn(*dc->pictureBefore());
        }
    }
    return DestroyDeviceContext(hdc) ? TRUE : FALSE;
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->Save() : 0;
}

BOOL RestoreDC(HDC hdc, int savedDC) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr && dc->Restore(savedDC) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (FindDeviceContext(hdc) == nullptr) {
        return 0;
    }
    DisplayMode mode = GetDisplayMode();
    constexpr int kDotsPerInch = 96;
    switch (index) {
        case DRIVERVERSION:
            return 0x4000;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return mode.width * 254 / (kDotsPerInch * 10);
        case VERTSIZE:
            return mode.height * 254 / (kDotsPerInch * 10);
        case HORZRES:
            return mode.width;
        case VERTRES:
            return mode.height;
        case BITSPIXEL:
            return mode.bitsPerPixel;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return mode.bitsPerPixel <= 8 ? 1 << mode.bitsPerPixel : -1;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return kDotsPerInch;
        default:
            return 0;
    }
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT old = Exchange(dc->state().viewportOrigin, POINT{x, y});
    if (previous != nullptr) {
        *previous = old;
    }
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || origin == nullptr) {
        return FALSE;
    }
    *origin = dc->state().viewportOrigin;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT old = dc->state().viewportOrigin;
    return SetViewportOrgEx(hdc, old.x + dx, old.y + dy, previous);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT old = Exchange(dc->state().brushOrigin, POINT{x, y});
    if (previous != nullptr) {
        *previous = old;
    }
    return TRUE;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? Exchange(dc->state().bkColor, color & 0xFFFFFFu) : CLR_INVALID;
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return Exchange(dc->state().bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().bkMode : 0;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? Exchange(dc->state().textColor, color & 0xFFFFFFu) : CLR_INVALID;
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().textColor : CLR_INVALID;
}

int SetROP2(HDC hdc, int mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || mode < R2_BLACK || mode > R2_WHITE) {
        return 0;
    }
    return Exchange(dc->state().rop2, mode);
}

int GetROP2(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().rop2 : 0;
}

int SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return Exchange(dc->state().stretchMode, mode);
}

int GetStretchBltMode(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().stretchMode : 0;
}

int SetPolyFillMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || (mode != ALTERNATE && mode != WINDING)) {
        return 0;
    }
    return Exchange(dc->state().polyFillMode, mode);
}

int GetPolyFillMode(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().polyFillMode : 0;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? Exchange(dc->state().textAlign, align) : GDI_ERROR;
}

UINT GetTextAlign(HDC hdc) {
    DeviceContext* dc = FindDeviceContext(hdc);
    return dc != nullptr ? dc->state().textAlign : GDI_ERROR;
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    if (region == nullptr) {
        dc->state().clip.reset();
        return ClipComplexity(*dc);
    }
    RegionObject* object = FindRegion(region);
    if (object == nullptr) {
        return ERROR;
    }
    dc->state().clip = object->region;
    return ClipComplexity(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    Region clip = CurrentDeviceClip(*dc);
    clip.Subtract(LogicalToDevice(*dc, left, top, right, bottom));
    dc->state().clip = std::move(clip);
    return ClipComplexity(*dc);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    Region clip = CurrentDeviceClip(*dc);
    clip.Intersect(Region(LogicalToDevice(*dc, left, top, right, bottom)));
    dc->state().clip = std::move(clip);
    return ClipComplexity(*dc);
}

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return ERROR;
    }
    Region clip = dc->DeviceArea();
    if (dc->state().clip) {
        clip.Intersect(*dc->state().clip);
    }
    RECT box = clip.Box();
    POINT origin = dc->state().viewportOrigin;
    *rect =
        RECT{box.left - origin.x, box.top - origin.y, box.right - origin.x, box.bottom - origin.y};
    return clip.Complexity();
}
