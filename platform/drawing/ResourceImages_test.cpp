#include "platform/drawing/ResourceImages.h"

#include <gtest/gtest.h>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Font.h"

using platform::testing::MemoryCanvas;

namespace {

// testdata/images.rc: bitmap 201 (pattern.bmp, 3 x 2), icon 201 (images.ico: 16 x 16 all blue,
// and 32 x 32 with an opaque red left half, a green top-left pixel and a clear right half),
// cursor 202 (images.cur: a 2 x 2 blue block at its hotspot 5,7).
constexpr WORD kPattern = 201;
constexpr WORD kIcon = 201;
constexpr WORD kCursor = 202;
constexpr COLORREF kScreen = RGB(10, 20, 30);

std::vector<COLORREF> PixelsOf(HBITMAP bitmap) {
    std::vector<COLORREF> pixels;
    const platform::Surface* surface = platform::SurfaceOfBitmap(bitmap);
    for (int y = 0; surface != nullptr && y < surface->height(); ++y) {
        for (int x = 0; x < surface->width(); ++x) {
            pixels.push_back(platform::ColorFromPixel(surface->At(x, y)));
        }
    }
    return pixels;
}

const std::vector<COLORREF> kPatternPixels = {RGB(255, 0, 0),  RGB(0, 255, 0),
                                              RGB(0, 0, 255),  RGB(255, 0, 255),
                                              RGB(18, 52, 86), RGB(255, 255, 255)};

ICONINFO InfoOf(HICON icon) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    return info;
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP data{};
    GetObject(bitmap, sizeof(data), &data);
    return {data.bmWidth, data.bmHeight};
}

}  // namespace

TEST(ResourceBitmap, LoadsTheExactPixelsOfItsFile) {
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCE(kPattern));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(SizeOf(bitmap).cx, 3);
    EXPECT_EQ(SizeOf(bitmap).cy, 2);
    EXPECT_EQ(PixelsOf(bitmap), kPatternPixels);
    HBITMAP again = LoadBitmapA(nullptr, "#201");
    EXPECT_NE(again, bitmap) << "each load is the caller's own bitmap";
    EXPECT_EQ(PixelsOf(again), kPatternPixels);
    DeleteObject(again);
    DeleteObject(bitmap);

    CBitmap wrapped;
    ASSERT_TRUE(wrapped.LoadBitmap(kPattern));
    EXPECT_EQ(PixelsOf(wrapped), kPatternPixels);
    CBitmap byName;
    ASSERT_TRUE(byName.LoadBitmap("#201"));
    EXPECT_EQ(PixelsOf(byName), kPatternPixels);

    auto stretched = static_cast<HBITMAP>(
        LoadImageA(nullptr, MAKEINTRESOURCE(kPattern), IMAGE_BITMAP, 6, 4, LR_DEFAULTCOLOR));
    ASSERT_NE(stretched, nullptr);
    EXPECT_EQ(SizeOf(stretched).cx, 6);
    EXPECT_EQ(SizeOf(stretched).cy, 4);
    EXPECT_EQ(PixelsOf(stretched)[5], RGB(0, 0, 255));
    DeleteObject(stretched);
}

TEST(ResourceIcon, DrawsTheStandardSizeThroughItsMask) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCE(kIcon));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(kIcon)), icon) << "icons are shared";
    ICONINFO info = InfoOf(icon);
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(SizeOf(info.hbmColor).cx, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    MemoryCanvas canvas(40, 40, kScreen);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 4, 4, icon));
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(5, 4), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(19, 35), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(20, 4), kScreen);
    EXPECT_EQ(canvas.At(35, 35), kScreen);
    EXPECT_EQ(canvas.At(3, 3), kScreen);

    // Asking for 16 x 16 picks the small picture instead of shrinking the large one.
    auto small = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCE(kIcon), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ASSERT_NE(small, nullptr);
    EXPECT_NE(small, icon);
    ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(15, 15), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(16, 16), RGB(255, 0, 0));
    DestroyIcon(small);

    auto fullSize = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCE(kIcon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(fullSize, nullptr);
    info = InfoOf(fullSize);
    EXPECT_EQ(SizeOf(info.hbmColor).cx, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(fullSize);
}

TEST(ResourceCursor, KeepsItsHotspotAndMask) {
    HCURSOR cursor = LoadCursorA(nullptr, MAKEINTRESOURCE(kCursor));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = InfoOf(cursor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 7u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    MemoryCanvas canvas(32, 32, kScreen);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, cursor));
    EXPECT_EQ(canvas.At(5, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(6, 8), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(4, 7), kScreen);
    EXPECT_EQ(canvas.At(7, 8), kScreen);
}

TEST(ResourceImages, TypesSharingANumberStayApart) {
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCE(201));
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCE(201));
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(PixelsOf(bitmap), kPatternPixels);
    MemoryCanvas canvas(32, 32, kScreen);
    DrawIcon(canvas.dc(), 0, 0, icon);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0));
    DeleteObject(bitmap);

    SetLastError(0);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(201)), nullptr) << "no cursor 201";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCE(kCursor)), nullptr) << "no bitmap 202";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(ResourceImages, MissingNamesFailWithTheResourceCode) {
    auto expectMissing = [](HANDLE loaded, const char* what) {
        EXPECT_EQ(loaded, nullptr) << what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND)) << what;
        SetLastError(0);
    };
    expectMissing(LoadBitmapA(nullptr, MAKEINTRESOURCE(999)), "bitmap");
    expectMissing(LoadBitmapA(nullptr, "NOSUCHBITMAP"), "bitmap by name");
    expectMissing(LoadIconA(nullptr, MAKEINTRESOURCE(999)), "icon");
    expectMissing(LoadCursorA(nullptr, MAKEINTRESOURCE(999)), "cursor");
    expectMissing(LoadCursorA(nullptr, MAKEINTRESOURCE(32700)), "no such system cursor");
    expectMissing(LoadImageA(nullptr, MAKEINTRESOURCE(999), IMAGE_ICON, 0, 0, 0), "image");
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(999));
    EXPECT_EQ(static_cast<HBITMAP>(bitmap), nullptr);
    EXPECT_FALSE(bitmap.LoadBitmap(0x10000 + kPattern)) << "ids are 16-bit";

    EXPECT_EQ(LoadIconA(nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(LoadImageA(nullptr, MAKEINTRESOURCE(kPattern), 3, 0, 0, 0), nullptr);
}

TEST(SystemCursor, ArrowIsBuiltInAndShared) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    ICONINFO info = InfoOf(arrow);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(SizeOf(info.hbmColor).cx, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // A black outline, white inside and a white rim, the rest of the square clear.
    MemoryCanvas canvas(32, 32, kScreen);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, arrow));
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(0, 10), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(2, 6), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(2, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(20, 20), kScreen);
    EXPECT_EQ(canvas.At(0, 25), kScreen);

    const LPCSTR others[] = {IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW, IDC_SIZENWSE,
                             IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS, IDC_SIZEALL, IDC_NO,
                             IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
    for (LPCSTR name : others) {
        HCURSOR cursor = LoadCursorA(nullptr, name);
        ASSERT_NE(cursor, nullptr) << reinterpret_cast<std::uintptr_t>(name);
        EXPECT_NE(cursor, arrow);
    }
    info = InfoOf(LoadCursorA(nullptr, IDC_IBEAM));
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(SystemCursor, SetCursorReturnsTheOneBefore) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR before = SetCursor(arrow);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(SetCursor(nullptr), wait);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(before);
}

TEST(DialogBaseUnits, MeasureTheDialogFont) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));
    platform::DialogBaseUnits units = platform::DialogBaseUnitsOf(font);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 12);
    EXPECT_EQ(platform::DialogUnitsToPixelsX(4, units), 6);
    EXPECT_EQ(platform::DialogUnitsToPixelsY(8, units), 12);

    platform::DialogBaseUnits system = platform::DialogBaseUnitsOf(nullptr);
    EXPECT_GT(system.x, 0);
    EXPECT_GT(system.y, 0);
}
