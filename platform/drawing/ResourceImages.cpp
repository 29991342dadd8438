#include "platform/drawing/ResourceImages.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/drawing/CursorObserver.h"
#include "platform/drawing/IconFile.h"

using namespace platform;

namespace {

constexpr int kCursorSize = 32;
constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

// A system cursor drawn as the system's own look: black strokes with a one-pixel white rim,
// closed outlines filled white from a point inside.
struct CursorDrawing {
    WORD id;
    POINT hotspot;
    std::vector<std::vector<POINT>> lines;
    std::vector<POINT> fills;
};

const std::vector<POINT> kArrowOutline = {{0, 0},  {0, 16}, {4, 12},  {7, 18},
                                          {9, 17}, {6, 11}, {11, 11}, {0, 0}};

std::vector<CursorDrawing> SystemCursorDrawings() {
    std::vector<POINT> hourglass = {{10, 6},  {22, 6},  {22, 7},  {16, 15}, {22, 25}, {22, 26},
                                    {10, 26}, {10, 25}, {16, 17}, {10, 7},  {10, 6}};
    std::vector<POINT> smallHourglass = {{16, 16}, {24, 16}, {20, 21}, {24, 26},
                                         {16, 26}, {20, 21}, {16, 16}};
    return {
        {32512, {0, 0}, {kArrowOutline}, {{2, 6}}},
        {32513,
         {16, 16},
         {{{16, 8}, {16, 24}},
          {{13, 7}, {15, 7}},
          {{17, 7}, {19, 7}},
          {{13, 25}, {15, 25}},
          {{17, 25}, {19, 25}}},
         {}},
        {32514, {16, 16}, {hourglass}, {{16, 9}, {16, 23}}},
        {32515, {16, 16}, {{{6, 16}, {26, 16}}, {{16, 6}, {16, 26}}}, {}},
        {32516, {16, 6}, {{{16, 6}, {16, 26}}, {{12, 10}, {16, 6}, {20, 10}}}, {}},
        {32642,
         {16, 16},
         {{{8, 8}, {24, 24}}, {{13, 8}, {8, 8}, {8, 13}}, {{19, 24}, {24, 24}, {24, 19}}},
         {}},
        {32643,
         {16, 16},
         {{{24, 8}, {8, 24}}, {{19, 8}, {24, 8}, {24, 13}}, {{13, 24}, {8, 24}, {8, 19}}},
         {}},
        {32644,
         {16, 16},
         {{{6, 16}, {26, 16}}, {{10, 12}, {6, 16}, {10, 20}}, {{22, 12}, {26, 16}, {22, 20}}},
         {}},
        {32645,
         {16, 16},
         {{{16, 6}, {16, 26}}, {{12, 10}, {16, 6}, {20, 10}}, {{12, 22}, {16, 26}, {20, 22}}},
         {}},
        {32646,
         {16, 16},
         {{{6, 16}, {26, 16}},
          {{10, 12}, {6, 16}, {10, 20}},
          {{22, 12}, {26, 16}, {22, 20}},
          {{16, 6}, {16, 26}},
          {{12, 10}, {16, 6}, {20, 10}},
          {{12, 22}, {16, 26}, {20, 22}}},
         {}},
        {32648,
         {16, 16},
         {{{13, 7},
           {19, 7},
           {23, 9},
           {25, 13},
           {25, 19},
           {23, 23},
           {19, 25},
           {13, 25},
           {9, 23},
           {7, 19},
           {7, 13},
           {9, 9},
           {13, 7}},
          {{10, 10}, {22, 22}}},
         {}},
        {32649,
         {11, 1},
         {{{10, 1},
           {12, 1},
           {13, 2},
           {13, 10},
           {22, 12},
           {23, 14},
           {23, 19},
           {21, 26},
           {11, 26},
           {5, 16},
           {5, 14},
           {7, 13},
           {9, 15},
           {9, 2},
           {10, 1}}},
         {{11, 4}}},
        {32650, {0, 0}, {kArrowOutline, smallHourglass}, {{2, 6}, {20, 18}}},
        {32651,
         {0, 0},
         {kArrowOutline,
          {{17, 12}, {19, 10}, {22, 10}, {24, 12}, {24, 13}, {21, 16}, {21, 18}},
          {{21, 20}, {21, 21}}},
         {{2, 6}}},
    };
}

class CursorCanvas {
public:
    CursorCanvas() : color_(kCursorSize, kCursorSize), mask_(kCursorSize, kCursorSize) {
        mask_.Fill(kWhite);
    }

    void Line(POINT from, POINT to) {
        int dx = std::abs(to.x - from.x);
        int dy = -std::abs(to.y - from.y);
        int stepX = from.x < to.x ? 1 : -1;
        int stepY = from.y < to.y ? 1 : -1;
        int error = dx + dy;
        for (POINT p = from;;) {
            Paint(p.x, p.y, kBlack);
            if (p.x == to.x && p.y == to.y) {
                break;
            }
            int doubled = 2 * error;
            if (doubled >= dy) {
                error += dy;
                p.x += stepX;
            }
            if (doubled <= dx) {
                error += dx;
                p.y += stepY;
            }
        }
    }

    void Fill(POINT seed) {
        std::vector<POINT> pending{seed};
        while (!pending.empty()) {
            POINT p = pending.back();
            pending.pop_back();
            if (!IsClear(p.x, p.y)) {
                continue;
            }
            Paint(p.x, p.y, kWhite);
            pending.insert(pending.end(),
                           {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
        }
    }

    // Keeps the black strokes visible on a dark screen.
    void AddRim() {
        std::vector<POINT> rim;
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                if (IsClear(x, y) &&
                    (IsInk(x - 1, y) || IsInk(x + 1, y) || IsInk(x, y - 1) || IsInk(x, y + 1))) {
                    rim.push_back({x, y});
                }
            }
        }
        for (POINT p : rim) {
            Paint(p.x, p.y, kWhite);
        }
    }

    IconPicture Picture(POINT hotspot) const {
        IconPicture picture;
        picture.color = color_;
        picture.mask = mask_;
        picture.bitsPerPixel = 1;
        picture.hotspotX = hotspot.x;
        picture.hotspotY = hotspot.y;
        return picture;
    }

private:
    bool IsClear(int x, int y) const { return mask_.Contains(x, y) && mask_.At(x, y) == kWhite; }
    bool IsInk(int x, int y) const {
        return mask_.Contains(x, y) && mask_.At(x, y) == kBlack && color_.At(x, y) == kBlack;
    }
    void Paint(int x, int y, Pixel pixel) {
        color_.Set(x, y, pixel);
        mask_.Set(x, y, kBlack);
    }

    Surface color_;
    Surface mask_;
};

HCURSOR DrawSystemCursor(const CursorDrawing& drawing) {
    CursorCanvas canvas;
    for (const std::vector<POINT>& line : drawing.lines) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            canvas.Line(line[i - 1], line[i]);
        }
        if (line.size() == 1) {
            canvas.Line(line[0], line[0]);
        }
    }
    for (POINT seed : drawing.fills) {
        canvas.Fill(seed);
    }
    canvas.AddRim();
    return CreateIconFromPicture(canvas.Picture(drawing.hotspot), false, 0, 0);
}

// Shared icons and cursors, as the system keeps those LoadIcon and LoadCursor hand out.
class SharedImages {
public:
    template <typename Make>
    HICON Find(const std::string& key, Make make) {
        std::lock_guard lock(mutex_);
        auto found = images_.find(key);
        if (found != images_.end()) {
            return found->second;
        }
        HICON image = make();
        if (image != nullptr) {
            images_.emplace(key, image);
        }
        return image;
    }

private:
    std::mutex mutex_;
    std::map<std::string, HICON> images_;
};

SharedImages& Shared() {
    static SharedImages images;
    return images;
}

std::string KeyOf(HINSTANCE instance, LPCSTR name, UINT type) {
    std::string key = std::to_string(type) + ':' +
                      std::to_string(reinterpret_cast<std::uintptr_t>(instance)) + ':';
    if (IS_INTRESOURCE(name)) {
        return key + '#' + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    }
    // Names match without case; GBK lead bytes are above 0x7F and stay as they are.
    for (const char* c = name; *c != '\0'; ++c) {
        char byte = *c;
        key.push_back(byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte);
    }
    return key;
}

std::atomic<HCURSOR> currentCursor{nullptr};

struct CursorWatch {
    std::mutex mutex;
    std::function<void(HCURSOR)> observer;
};

CursorWatch& Watch() {
    static CursorWatch* watch = new CursorWatch;
    return *watch;
}

}  // namespace

namespace platform {

void SetCursorObserver(std::function<void(HCURSOR)> observer) {
    CursorWatch& watch = Watch();
    std::lock_guard lock(watch.mutex);
    watch.observer = std::move(observer);
}

HANDLE LoadImageFromResources(HINSTANCE instance, LPCSTR name, UINT type, int width, int height,
                              UINT flags) {
    LPCSTR resourceType = type == IMAGE_BITMAP ? RT_BITMAP
                          : type == IMAGE_ICON ? RT_GROUP_ICON
                                               : RT_GROUP_CURSOR;
    std::optional<std::span<const std::uint8_t>> bytes =
        FindResourceBytes(instance, name, resourceType);
    if (!bytes) {
        return nullptr;
    }
    return LoadImageFromBytes(*bytes, type, width, height, flags);
}

DialogBaseUnits DialogBaseUnitsOf(HFONT font) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    if (old == nullptr) {
        old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    }
    SIZE extent{};
    TEXTMETRICA metrics{};
    DialogBaseUnits units;
    if (GetTextExtentPoint32A(dc, kLetters, 52, &extent) && GetTextMetricsA(dc, &metrics)) {
        units.x = AverageCharWidthFromLetters(extent.cx);
        units.y = metrics.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return units;
}

}  // namespace platform

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    return static_cast<HBITMAP>(LoadImageFromResources(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Shared().Find(KeyOf(instance, name, IMAGE_ICON), [&] {
        return static_cast<HICON>(
            LoadImageFromResources(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    });
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (instance == nullptr && IS_INTRESOURCE(name)) {
        auto id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
        for (const CursorDrawing& drawing : SystemCursorDrawings()) {
            if (drawing.id == id) {
                return Shared().Find(KeyOf(nullptr, name, IMAGE_CURSOR) + ":system",
                                     [&] { return DrawSystemCursor(drawing); });
            }
        }
    }
    return Shared().Find(KeyOf(instance, name, IMAGE_CURSOR), [&] {
        return static_cast<HCURSOR>(
            LoadImageFromResources(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    });
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = currentCursor.exchange(cursor);
    if (previous != cursor) {
        std::function<void(HCURSOR)> observer;
        {
            CursorWatch& watch = Watch();
            std::lock_guard lock(watch.mutex);
            observer = watch.observer;
        }
        if (observer) {
            observer(cursor);
        }
    }
    return previous;
}

HCURSOR GetCursor() {
    return currentCursor.load();
}
