#include "manager/BitmapFile.h"

#include "platform/drawing/Gdi.h"

CBitmapFile::~CBitmapFile() {
    Free();
}

int CBitmapFile::Load(const char* path) {
    Free();
    auto* loaded = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE | LR_LOADFROMFILE));
    if (loaded == nullptr) {
        return 1;
    }
    bitmap_ = std::make_unique<CBitmap>();
    bitmap_->Attach(loaded);
    return 0;
}

void CBitmapFile::Free() {
    bitmap_.reset();
}
