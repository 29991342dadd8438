// A bitmap loaded from a .bmp file, owned until the next load or the object's end.
#pragma once

#include <memory>

#include "platform/drawing/Bitmap.h"

class CBitmapFile {
public:
    virtual ~CBitmapFile();

    // 0 when loaded; 1 when the file does not load as a bitmap (nothing is held then).
    int Load(const char* path);
    void Free();

    // Null when nothing is held.
    CBitmap* GetBitmap() const { return bitmap_.get(); }

private:
    std::unique_ptr<CBitmap> bitmap_;
};
