#include "platform/drawing/IconApi.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/DrawingSeams.h"
#include "platform/drawing/ScaledSurface.h"

using namespace platform;

namespace {

constexpr unsigned kSourceAnd = 0x88;
constexpr unsigned kSourceXor = 0x66;
constexpr unsigned kSourceCopy = 0xCC;

struct IconObject {
    Surface color;
    Surface mask;
    bool isIcon = true;
    int hotspotX = 0;
    int hotspotY = 0;
};

struct IconTable {
    std::mutex mutex;
    std::unordered_map<HICON, std::unique_ptr<IconObject>> icons;
};

IconTable& Icons() {
    static IconTable* table = new IconTable;
    return *table;
}

HICON Register(std::unique_ptr<IconObject> icon) {
    HICON handle = reinterpret_cast<HICON>(icon.get());
    IconTable& table = Icons();
    std::lock_guard lock(table.mutex);
    table.icons.emplace(handle, std::move(icon));
    return handle;
}

IconObject* Find(HICON icon) {
    IconTable& table = Icons();
    std::lock_guard lock(table.mutex);
    auto found = table.icons.find(icon);
    return found == table.icons.end() ? nullptr : found->second.get();
}

HBITMAP BitmapOf(const Surface& pixels, bool monochrome) {
    HBITMAP bitmap = monochrome ? CreateBitmap(pixels.width(), pixels.height(), 1, 1, nullptr)
                                : CreateBitmapFromSurface(pixels);
    if (monochrome && bitmap != nullptr) {
        *SurfaceOfBitmap(bitmap) = pixels;
    }
    return bitmap;
}

}  // namespace

namespace platform {

HICON CreateIconFromPicture(const IconPicture& picture, bool isIcon, int width, int height) {
    if (picture.color.width() == 0 || picture.color.height() == 0 || width < 0 || height < 0 ||
        static_cast<long long>(width) * height > 4096LL * 4096) {
        return nullptr;
    }
    int w = width > 0 ? width : picture.color.width();
    int h = height > 0 ? height : picture.color.height();
    auto icon = std::make_unique<IconObject>();
    icon->color = ScaledSurface(picture.color, w, h);
    icon->mask = ScaledSurface(picture.mask, w, h);
    icon->isIcon = isIcon;
    icon->hotspotX = isIcon ? w / 2 : picture.hotspotX * w / picture.color.width();
    icon->hotspotY = isIcon ? h / 2 : picture.hotspotY * h / picture.color.height();
    return Register(std::move(icon));
}

}  // namespace platform

HICON CreateIconIndirect(PICONINFO info) {
    if (info == nullptr) {
        return nullptr;
    }
    Surface* mask = SurfaceOfBitmap(info->hbmMask);
    if (mask == nullptr) {
        return nullptr;
    }
    IconPicture picture;
    if (Surface* color = SurfaceOfBitmap(info->hbmColor)) {
        picture.color = *color;
        picture.mask = ScaledSurface(*mask, color->width(), color->height());
    } else {
        int height = mask->height() / 2;
        if (height == 0) {
            return nullptr;
        }
        picture.mask = Surface(mask->width(), height);
        picture.color = Surface(mask->width(), height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < mask->width(); ++x) {
                picture.mask.Set(x, y, mask->At(x, y));
                picture.color.Set(x, y, mask->At(x, y + height));
            }
        }
    }
    picture.hotspotX = static_cast<int>(info->xHotspot);
    picture.hotspotY = static_cast<int>(info->yHotspot);
    return CreateIconFromPicture(picture, info->fIcon != FALSE, 0, 0);
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    IconObject* icon = Find(handle);
    if (icon == nullptr || info == nullptr) {
        return FALSE;
    }
    info->fIcon = icon->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(icon->hotspotX);
    info->yHotspot = static_cast<DWORD>(icon->hotspotY);
    info->hbmMask = BitmapOf(icon->mask, true);
    info->hbmColor = BitmapOf(icon->color, false);
    return TRUE;
}

HICON CopyIcon(HICON handle) {
    IconObject* icon = Find(handle);
    if (icon == nullptr) {
        return nullptr;
    }
    return Register(std::make_unique<IconObject>(*icon));
}

BOOL DestroyIcon(HICON handle) {
    IconTable& table = Icons();
    std::lock_guard lock(table.mutex);
    return table.icons.erase(handle) != 0 ? TRUE : FALSE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH background,
                UINT flags) {
    IconObject* icon = Find(handle);
    DeviceContext* dc = FindDeviceContext(hdc);
    if (icon == nullptr || dc == nullptr || dc->target() == nullptr || width < 0 || height < 0) {
        return FALSE;
    }
    auto size = [flags](int asked, int own) {
        return asked > 0 ? asked : ((flags & DI_DEFAULTSIZE) ? kDefaultIconSize : own);
    };
    int w = size(width, icon->color.width());
    int h = size(height, icon->color.height());
    if (background != nullptr) {
        RECT area{x, y, x + w, y + h};
        FillRect(hdc, &area, background);
    }
    Surface color = ScaledSurface(icon->color, w, h);
    Surface mask = ScaledSurface(icon->mask, w, h);
    Region clip = dc->ClipInSurface();
    POINT origin = dc->ToSurface(x, y);
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            int sx = origin.x + column;
            int sy = origin.y + row;
            if (flags & DI_MASK) {
                dc->Plot(clip, sx, sy, 0, mask.At(column, row), kSourceAnd);
            }
            if (flags & DI_IMAGE) {
                unsigned rop = (flags & DI_MASK) ? kSourceXor : kSourceCopy;
                dc->Plot(clip, sx, sy, 0, color.At(column, row), rop);
            }
        }
    }
    return TRUE;
}
