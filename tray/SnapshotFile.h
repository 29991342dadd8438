// Screen captures as pictures and as .bmp files in the snapshot folder:
// "<folder>Snapshot<yyyymmddhhmmss>.bmp", a 14-byte file header, a 40-byte BITMAPINFOHEADER, the
// colour table (2, 16, 256 or 65536 entries by bit depth, none above 16 bits per pixel) and the
// bottom-up pixels as GetDIBits gives them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/drawing/Gdi.h"
#include "platform/text/CString.h"

struct BitmapFileLayout {
    std::uint32_t colours = 0;
    std::uint32_t rowBytes = 0;
    std::uint32_t imageBytes = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t fileBytes = 0;
};

// The layout of a width x height picture with planes x bits per pixel.
BitmapFileLayout LayoutOfBitmapFile(int width, int height, int planes, int bitsPerPixel);

// The file for a capture at `now` in `folder` (a separator is added when it has none). A name
// that a file bears already gets "_2", "_3"... before ".bmp", so that captures within one second
// keep each their file.
CString SnapshotPath(const char* folder, const SYSTEMTIME& now);

// The whole screen, copied into a new bitmap that belongs to the caller; 1 when none could be
// made (the picture is then null and the size 0).
int GrabScreen(HBITMAP* picture, int* width, int* height);

// Writes `bitmap` (read through `dc`) to a new snapshot file in `folder`, whose folders are made
// first. 1 with the file's name in `path` when written; 0 with `path` empty otherwise, and then no
// file is left behind.
int SaveBitmapFile(HBITMAP bitmap, CString& path, const char* folder, HDC dc);

// A copy of the top-left width x height of `bitmap`, for the clipboard; null when none can be
// made.
HBITMAP CopyBitmap(HBITMAP bitmap, int width, int height);

// Lets the program's heap keep up to a few screens' worth of freed memory instead of mapping
// every picture anew from the system: a capture makes several screen-sized buffers, and the first
// touch of fresh pages costs several times the copying itself. Called once at start.
void KeepPictureMemory();
