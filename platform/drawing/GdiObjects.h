// The objects behind the drawing handles. A handle is the address of its object, looked up in a
// table before use so that a stale or foreign handle is refused rather than followed.
//
// An object deleted while a DC still has it selected lives on until the last DC lets it go, so a
// program that deletes a selected bitmap (as some painters do) never leaves a DC drawing into
// freed pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/drawing/Gdi.h"
#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"

namespace platform {

struct GdiObject {
    explicit GdiObject(DWORD objectType) : type(objectType) {}
    virtual ~GdiObject() = default;

    DWORD type;
    bool stock = false;
    int selections = 0;
    bool deletePending = false;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    UINT style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(OBJ_BITMAP) {}
    Surface surface;
    // The depth GetObject reports; 1 marks a monochrome bitmap whose pixels are black or white.
    int bitsPerPixel = 32;
    // A DIB section's bits, which its surface borrows.
    std::vector<Pixel> sectionBits;
    bool isSection = false;
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    // A pattern brush keeps its own copy, so the bitmap may be deleted after creation.
    Surface pattern;
    bool monochromePattern = false;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONTA logFont{};
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    Region region;
};

// Takes ownership and returns the handle.
HGDIOBJ RegisterObject(std::unique_ptr<GdiObject> object);
// The live object of a handle, or null.
GdiObject* FindObject(HGDIOBJ handle);
// The same, only for an object of `type`.
template <typename T>
T* FindObjectOf(HGDIOBJ handle, DWORD type) {
    GdiObject* object = FindObject(handle);
    return object != nullptr && object->type == type ? static_cast<T*>(object) : nullptr;
}
inline PenObject* FindPen(HGDIOBJ h) {
    return FindObjectOf<PenObject>(h, OBJ_PEN);
}
inline BrushObject* FindBrush(HGDIOBJ h) {
    return FindObjectOf<BrushObject>(h, OBJ_BRUSH);
}
inline FontObject* FindFont(HGDIOBJ h) {
    return FindObjectOf<FontObject>(h, OBJ_FONT);
}
inline BitmapObject* FindBitmap(HGDIOBJ h) {
    return FindObjectOf<BitmapObject>(h, OBJ_BITMAP);
}
inline RegionObject* FindRegion(HGDIOBJ h) {
    return FindObjectOf<RegionObject>(h, OBJ_REGION);
}

// Selection bookkeeping: a released object whose deletion was asked for goes away now.
void RetainSelection(HGDIOBJ handle);
void ReleaseSelection(HGDIOBJ handle);
// Frees the object unless it is stock; deferred while it is selected.
bool DestroyObject(HGDIOBJ handle);

// The 1x1 monochrome bitmap a new memory DC holds.
HBITMAP DefaultBitmap();

}  // namespace platform
