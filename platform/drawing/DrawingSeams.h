// Where the drawing layer meets windows, the screen and files. The window layer creates its
// window and paint DCs with CreateSurfaceDC over the screen surface (origin: the client area's
// top-left on the screen; clip: the visible part of the client area, or the update region).
#pragma once

#include <filesystem>
#include <functional>

#include "platform/drawing/Gdi.h"
#include "platform/drawing/Region.h"
#include "platform/drawing/Surface.h"

namespace platform {

// A DC drawing into `surface`, which must outlive it; DeleteDC frees it.
HDC CreateSurfaceDC(Surface& surface, POINT origin, const RECT& clip);
HDC CreateSurfaceDC(Surface& surface, POINT origin, const Region& clip);

// A DC over the whole screen `surface` (GetDC(nullptr), CreateDCA("DISPLAY")). Drawing goes to the
// surface; when a screen reader is set, the pixels it gives as the source of a transfer are the
// reader's, so that a capture shows what the desktop shows, other programs' windows included.
HDC CreateScreenDC(Surface& surface);
// Fills `into` (the size of `area`, screen coordinates) with the desktop's pixels, leaving those
// off the desktop as they are; false when it cannot, and the screen surface is read instead.
// Empty: headless.
using ScreenReader = std::function<bool(const RECT& area, Surface& into)>;
void SetScreenReader(ScreenReader reader);
// Told as a screen DC is deleted while a screen reader is set, with the screen surface as it was
// when the DC was made, so that what was drawn through it shows on the desktop, over other
// programs' windows too.
using ScreenDrawnObserver = std::function<void(const Surface& before)>;
void SetScreenDrawnObserver(ScreenDrawnObserver observer);

// The screen's size and depth as GetDeviceCaps reports them (1024x768, 32 bits by default). The
// depth is what compatible bitmaps report; their pixels stay 32-bit.
struct DisplayMode {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
};
DisplayMode GetDisplayMode();
void SetDisplayMode(const DisplayMode& mode);

// The surface behind CreateDCA("DISPLAY"); none until the screen sets one (CreateDCA then
// fails). The surface must outlive the DCs over it.
void SetScreenSurface(Surface* surface);
Surface* GetScreenSurface();

// The pixels of a bitmap (null for an unknown handle), for the window layer and tests.
Surface* SurfaceOfBitmap(HBITMAP bitmap);
// A new bitmap holding a copy of `surface`.
HBITMAP CreateBitmapFromSurface(const Surface& surface);

// .bmp files (GBK Windows paths, written through a temporary file and a rename). The depth is 1,
// 4, 8, 16, 24 or 32; up to 8 bits the colours are matched to a fixed palette.
bool WriteBitmapFile(const Surface& surface, const char* windowsPath, int bitsPerPixel = 24);
// PNG files (a Linux path), opaque RGB.
bool WritePng(const Surface& surface, const std::filesystem::path& path);

}  // namespace platform
