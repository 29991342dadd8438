// An icon or cursor of the platform as a GDK picture with transparency: where its mask is white
// and its colour black the background shows through, as the system draws it; everything else is
// opaque (a pixel that would invert the background shows its colour instead).
#pragma once

#include "platform/windows/WindowStructs.h"

typedef struct _GdkPixbuf GdkPixbuf;

namespace platform {

// A new picture the caller unrefs; null for an unknown or empty icon.
GdkPixbuf* PixbufOfIcon(HICON icon);

}  // namespace platform
