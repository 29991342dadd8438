// Creating, selecting, querying and deleting drawing objects.
#include <algorithm>
#include <cstring>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/GdiObjects.h"

using namespace platform;

namespace {

HGDIOBJ MakeStock(std::unique_ptr<GdiObject> object) {
    object->stock = true;
    return RegisterObject(std::move(object));
}

HGDIOBJ StockPen(UINT style, COLORREF color) {
    auto pen = std::make_unique<PenObject>();
    pen->style = style;
    pen->color = color;
    return MakeStock(std::move(pen));
}

HGDIOBJ StockBrush(UINT style, COLORREF color) {
    auto brush = std::make_unique<BrushObject>();
    brush->style = style;
    brush->color = color;
    return MakeStock(std::move(brush));
}

HGDIOBJ StockFont(LONG height, BYTE pitch, const char* face) {
    auto font = std::make_unique<FontObject>();
    font->logFont.lfHeight = height;
    font->logFont.lfWeight = FW_NORMAL;
    font->logFont.lfCharSet = GB2312_CHARSET;
    font->logFont.lfPitchAndFamily = pitch;
    std::strncpy(font->logFont.lfFaceName, face, LF_FACESIZE - 1);
    return MakeStock(std::move(font));
}

template <typename T>
int CopyOut(const T& value, int size, LPVOID buffer) {
    if (buffer == nullptr) {
        return sizeof(T);
    }
    int count = std::min<int>(size, sizeof(T));
    if (count <= 0) {
        return 0;
    }
    std::memcpy(buffer, &value, count);
    return count;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    // "宋体" and "新宋体" in GBK, as the stock fonts of a Chinese system name them.
    static const char kSongTi[] = "\xCB\xCE\xCC\xE5";
    static const char kNewSongTi[] = "\xD0\xC2\xCB\xCE\xCC\xE5";
    static const HGDIOBJ stock[] = {
        StockBrush(BS_SOLID, RGB(255, 255, 255)),
        StockBrush(BS_SOLID, RGB(192, 192, 192)),
        StockBrush(BS_SOLID, RGB(128, 128, 128)),
        StockBrush(BS_SOLID, RGB(64, 64, 64)),
        StockBrush(BS_SOLID, RGB(0, 0, 0)),
        StockBrush(BS_NULL, 0),
        StockPen(PS_SOLID, RGB(255, 255, 255)),
        StockPen(PS_SOLID, RGB(0, 0, 0)),
        StockPen(PS_NULL, 0),
        nullptr,
        StockFont(16, FIXED_PITCH | FF_MODERN, kNewSongTi),
        StockFont(16, FIXED_PITCH | FF_MODERN, kNewSongTi),
        StockFont(16, VARIABLE_PITCH | FF_SWISS, kSongTi),
        StockFont(16, VARIABLE_PITCH | FF_SWISS, kSongTi),
        StockFont(16, VARIABLE_PITCH | FF_SWISS, kSongTi),
        nullptr,
        StockFont(16, FIXED_PITCH | FF_MODERN, kNewSongTi),
        StockFont(-12, VARIABLE_PITCH | FF_SWISS, kSongTi),
    };
    if (index < 0 || index >= static_cast<int>(std::size(stock))) {
        return nullptr;
    }
    return stock[index];
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    if (RegionObject* region = FindRegion(object)) {
        // Selecting a region sets the clip region; the result is the region's complexity.
        dc->state().clip = region->region;
        Region clip = dc->DeviceArea();
        clip.Intersect(region->region);
        return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(clip.Complexity()));
    }
    return dc->Select(object);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
        case OBJ_PEN:
            return dc->state().pen;
        case OBJ_BRUSH:
            return dc->state().brush;
        case OBJ_FONT:
            return dc->state().font;
        case OBJ_BITMAP:
            return dc->state().bitmap;
        default:
            return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    return DestroyObject(object) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
    GdiObject* object = FindObject(handle);
    if (object == nullptr) {
        return 0;
    }
    switch (object->type) {
        case OBJ_PEN: {
            auto* pen = static_cast<PenObject*>(object);
            LOGPEN log{pen->style, {pen->width, 0}, pen->color};
            return CopyOut(log, size, buffer);
        }
        case OBJ_BRUSH: {
            auto* brush = static_cast<BrushObject*>(object);
            LOGBRUSH log{brush->style, brush->color, static_cast<ULONG_PTR>(brush->hatch)};
            return CopyOut(log, size, buffer);
        }
        case OBJ_FONT:
            return CopyOut(static_cast<FontObject*>(object)->logFont, size, buffer);
        case OBJ_BITMAP: {
            auto* bitmap = static_cast<BitmapObject*>(object);
            BITMAP info{};
            info.bmWidth = bitmap->surface.width();
            info.bmHeight = bitmap->surface.height();
            info.bmPlanes = 1;
            info.bmBitsPixel = static_cast<WORD>(bitmap->bitsPerPixel);
            if (bitmap->isSection) {
                info.bmWidthBytes = info.bmWidth * 4;
                info.bmBits = bitmap->sectionBits.data();
            } else {
                // Device bitmaps pad their rows to 16 bits.
                info.bmWidthBytes = (info.bmWidth * bitmap->bitsPerPixel + 15) / 16 * 2;
            }
            return CopyOut(info, size, buffer);
        }
        default:
            return 0;
    }
}

DWORD GetObjectType(HGDIOBJ handle) {
    if (DeviceContext* dc = FindDeviceContext(static_cast<HDC>(handle))) {
        return dc->kind() == DeviceContext::Kind::kMemory ? OBJ_MEMDC : OBJ_DC;
    }
    GdiObject* object = FindObject(handle);
    return object != nullptr ? object->type : 0;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    auto pen = std::make_unique<PenObject>();
    pen->style = static_cast<UINT>(style) & PS_STYLE_MASK;
    if (pen->style > PS_INSIDEFRAME) {
        pen->style = PS_SOLID;
    }
    pen->width = std::max(width, 1);
    pen->color = color & 0xFFFFFFu;
    return static_cast<HPEN>(RegisterObject(std::move(pen)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (pen == nullptr) {
        return nullptr;
    }
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<BrushObject>();
    brush->color = color & 0xFFFFFFu;
    return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) {
        return nullptr;
    }
    auto brush = std::make_unique<BrushObject>();
    brush->style = BS_HATCHED;
    brush->hatch = hatch;
    brush->color = color & 0xFFFFFFu;
    return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    BitmapObject* source = FindBitmap(bitmap);
    if (source == nullptr || source->surface.width() == 0 || source->surface.height() == 0) {
        return nullptr;
    }
    auto brush = std::make_unique<BrushObject>();
    brush->style = BS_PATTERN;
    brush->pattern = source->surface;
    brush->monochromePattern = source->bitsPerPixel == 1;
    return static_cast<HBRUSH>(RegisterObject(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (brush == nullptr) {
        return nullptr;
    }
    switch (brush->lbStyle) {
        case BS_SOLID:
            return CreateSolidBrush(brush->lbColor);
        case BS_NULL:
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case BS_HATCHED:
            return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
        case BS_PATTERN:
            return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
        default:
            return nullptr;
    }
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = static_cast<BYTE>(italic);
    log.lfUnderline = static_cast<BYTE>(underline);
    log.lfStrikeOut = static_cast<BYTE>(strikeOut);
    log.lfCharSet = static_cast<BYTE>(charSet);
    log.lfOutPrecision = static_cast<BYTE>(outPrecision);
    log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    log.lfQuality = static_cast<BYTE>(quality);
    log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face != nullptr) {
        std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&log);
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (font == nullptr) {
        return nullptr;
    }
    auto object = std::make_unique<FontObject>();
    object->logFont = *font;
    // The face name is cut at its size even when the caller filled it to the last byte.
    object->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(RegisterObject(std::move(object)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto region = std::make_unique<RegionObject>();
    // Like the system, a region is built from the normalised rectangle.
    region->region = Region(RECT{std::min(left, right), std::min(top, bottom),
                                 std::max(left, right), std::max(top, bottom)});
    return static_cast<HRGN>(RegisterObject(std::move(region)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr) {
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
    RegionObject* region = FindRegion(handle);
    if (region == nullptr) {
        return FALSE;
    }
    region->region = Region(RECT{std::min(left, right), std::min(top, bottom),
                                 std::max(left, right), std::max(top, bottom)});
    return TRUE;
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    RegionObject* target = FindRegion(destination);
    RegionObject* first = FindRegion(source1);
    if (target == nullptr || first == nullptr) {
        return ERROR;
    }
    if (mode == RGN_COPY) {
        target->region = first->region;
        return target->region.Complexity();
    }
    RegionObject* second = FindRegion(source2);
    if (second == nullptr) {
        return ERROR;
    }
    Region result = first->region;
    switch (mode) {
        case RGN_AND:
            result.Intersect(second->region);
            break;
        case RGN_OR:
            result.Unite(second->region);
            break;
        case RGN_DIFF:
            for (const RECT& rect : second->region.rects()) {
                result.Subtract(rect);
            }
            break;
        case RGN_XOR: {
            Region other = second->region;
            for (const RECT& rect : first->region.rects()) {
                other.Subtract(rect);
            }
            for (const RECT& rect : second->region.rects()) {
                result.Subtract(rect);
            }
            result.Unite(other);
            break;
        }
        default:
            return ERROR;
    }
    target->region = std::move(result);
    return target->region.Complexity();
}

int OffsetRgn(HRGN handle, int dx, int dy) {
    RegionObject* region = FindRegion(handle);
    if (region == nullptr) {
        return ERROR;
    }
    region->region.Offset(dx, dy);
    return region->region.Complexity();
}

int GetRgnBox(HRGN handle, LPRECT rect) {
    RegionObject* region = FindRegion(handle);
    if (region == nullptr || rect == nullptr) {
        return ERROR;
    }
    *rect = region->region.Box();
    return region->region.Complexity();
}

BOOL PtInRegion(HRGN handle, int x, int y) {
    RegionObject* region = FindRegion(handle);
    return region != nullptr && region->region.Contains(x, y) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
    RegionObject* first = FindRegion(a);
    RegionObject* second = FindRegion(b);
    return first != nullptr && second != nullptr && first->region == second->region ? TRUE : FALSE;
}
