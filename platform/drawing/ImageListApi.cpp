#include "platform/drawing/ImageListApi.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/ImageStrip.h"

using platform::ImageStrip;

namespace {

struct ListTable {
    std::mutex mutex;
    std::unordered_map<HIMAGELIST, std::unique_ptr<ImageStrip>> lists;
};

ListTable& Lists() {
    static ListTable* table = new ListTable;
    return *table;
}

ImageStrip* Find(HIMAGELIST list) {
    ListTable& table = Lists();
    std::lock_guard lock(table.mutex);
    auto found = table.lists.find(list);
    return found == table.lists.end() ? nullptr : found->second.get();
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0) {
        return nullptr;
    }
    auto strip = std::make_unique<ImageStrip>(cx, cy, (flags & ILC_MASK) != 0);
    HIMAGELIST handle = reinterpret_cast<HIMAGELIST>(strip.get());
    ListTable& table = Lists();
    std::lock_guard lock(table.mutex);
    table.lists.emplace(handle, std::move(strip));
    return handle;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    ListTable& table = Lists();
    std::lock_guard lock(table.mutex);
    return table.lists.erase(list) != 0 ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    ImageStrip* strip = Find(list);
    platform::Surface* pixels = platform::SurfaceOfBitmap(image);
    if (strip == nullptr || pixels == nullptr) {
        return -1;
    }
    platform::Surface* mask_pixels = platform::SurfaceOfBitmap(mask);
    return strip->Append(*pixels, [mask_pixels](int x, int y) {
        return mask_pixels != nullptr && mask_pixels->Contains(x, y) &&
               (mask_pixels->At(x, y) & 0x00FFFFFFu) != 0;
    });
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    ImageStrip* strip = Find(list);
    platform::Surface* pixels = platform::SurfaceOfBitmap(image);
    if (strip == nullptr || pixels == nullptr) {
        return -1;
    }
    platform::Pixel clear = platform::PixelFromColor(mask);
    return strip->Append(*pixels, [pixels, clear](int x, int y) {
        return (pixels->At(x, y) & 0x00FFFFFFu) == clear;
    });
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    ImageStrip* strip = Find(list);
    return strip != nullptr && strip->Remove(index) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageStrip* strip = Find(list);
    return strip != nullptr ? strip->count() : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageStrip* strip = Find(list);
    if (strip == nullptr || cx == nullptr || cy == nullptr) {
        return FALSE;
    }
    *cx = strip->width();
    *cy = strip->height();
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
    ImageStrip* strip = Find(list);
    if (strip == nullptr) {
        return CLR_NONE;
    }
    COLORREF previous = strip->background();
    strip->set_background(color == CLR_NONE ? CLR_NONE : color & 0x00FFFFFFu);
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    ImageStrip* strip = Find(list);
    return strip != nullptr ? strip->background() : CLR_NONE;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int dx, int dy,
                      COLORREF background, COLORREF, UINT style) {
    ImageStrip* strip = Find(list);
    platform::DeviceContext* dc = platform::FindDeviceContext(hdc);
    if (strip == nullptr || dc == nullptr) {
        return FALSE;
    }
    if (background == CLR_DEFAULT) {
        background = strip->background();
    }
    ImageStrip::Mode mode = ImageStrip::Mode::kOverBackground;
    if (style & ILD_MASK) {
        mode = ImageStrip::Mode::kMaskOnly;
    } else if ((style & ILD_TRANSPARENT) || background == CLR_NONE) {
        mode = ImageStrip::Mode::kTransparent;
    }
    int columns = dx > 0 ? dx : strip->width();
    int rows = dy > 0 ? dy : strip->height();
    return strip->Draw(*dc, index, x, y, columns, rows, mode, background) ? TRUE : FALSE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, index, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}
