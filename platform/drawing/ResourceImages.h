// Bitmaps, icons and cursors from the program's compiled resources, the system's own cursors,
// the current cursor, and the measure of a dialog font. A bitmap resource holds a whole .bmp
// file, an icon or cursor resource a whole .ico or .cur file.
#pragma once

#include <cstdint>
#include <span>

#include "platform/drawing/Gdi.h"
#include "platform/drawing/IconApi.h"
#include "platform/resources/DialogUnits.h"
#include "platform/resources/ResourceApi.h"

#ifndef IDC_ARROW
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)
#endif

// A new bitmap holding the resource's pixels; the caller deletes it.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
// The resource's picture closest to 32 x 32, at 32 x 32. Loading the same resource again gives
// the same handle, which lives as long as the program.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// With a null instance an IDC_ number names one of the system's cursors; anything else is a
// cursor resource. Shared like LoadIconA's icons.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// The cursor the program shows (null: none); returns the one before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// No LoadBitmap, LoadIcon or LoadCursor macros: they would rename the framework's members of
// those names in some translation units only.

namespace platform {

// LoadImageA without LR_LOADFROMFILE: the bitmap, icon or cursor resource `name`.
HANDLE LoadImageFromResources(HINSTANCE instance, LPCSTR name, UINT type, int width, int height,
                              UINT flags);
// The picture of a .bmp (IMAGE_BITMAP), .ico or .cur file's bytes, as LoadImageA makes it.
HANDLE LoadImageFromBytes(std::span<const std::uint8_t> bytes, UINT type, int width, int height,
                          UINT flags);

// The base units of dialogs in `font` (the system font for null): the average width the
// original platform derives from the 52 letters, and the character height.
DialogBaseUnits DialogBaseUnitsOf(HFONT font);

}  // namespace platform
