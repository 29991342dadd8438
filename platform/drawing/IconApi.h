// Icons and cursors: a colour image and an AND mask, drawn as the system draws them:
// screen = (screen AND mask) XOR colour.
#pragma once

#include "platform/drawing/Gdi.h"
#include "platform/drawing/IconFile.h"

#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_DEFAULTSIZE 0x0008

struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};
using PICONINFO = ICONINFO*;

// Without a colour bitmap the mask is twice as high: its top half the AND mask, its bottom half
// the XOR image.
HICON CreateIconIndirect(PICONINFO info);
// The bitmaps are new copies that the caller deletes.
BOOL GetIconInfo(HICON icon, PICONINFO info);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
// At the default icon size (32 x 32).
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
// A size of 0 means the icon's own (or, with DI_DEFAULTSIZE, the default); a brush fills the
// area first. DI_IMAGE without DI_MASK copies the colour image as it is.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH background, UINT flags);

namespace platform {

inline constexpr int kDefaultIconSize = 32;

// A new icon (or cursor) holding `picture` stretched to width x height (its own size for 0).
HICON CreateIconFromPicture(const IconPicture& picture, bool isIcon, int width, int height);

}  // namespace platform
