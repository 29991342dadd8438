#include <gtest/gtest.h>

#include <cstring>

#include "platform/drawing/DrawingTest.h"
#include "platform/drawing/Gdi.h"

namespace {

using platform::testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(DeviceContext, StartsWithTheSystemDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), kWhite);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    BITMAP bitmap;
    ASSERT_TRUE(GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 1);
    EXPECT_EQ(bitmap.bmHeight, 1);
    EXPECT_EQ(bitmap.bmBitsPixel, 1);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1024);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 768);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetBkColor(dc), CLR_INVALID);
}

TEST(DeviceContext, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
    MemoryCanvas canvas(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kRed);
    EXPECT_EQ(SelectObject(canvas.dc(), pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(canvas.dc(), brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(canvas.dc(), GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH)), brush);
    EXPECT_EQ(SelectObject(canvas.dc(), reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(DeviceContext, ABitmapIsInOneDcAtATimeAndOutlivesDeletionWhileSelected) {
    MemoryCanvas canvas(4, 4);
    HDC first = CreateCompatibleDC(canvas.dc());
    HDC second = CreateCompatibleDC(canvas.dc());
    HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc(), 3, 3);
    HGDIOBJ original = SelectObject(first, bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);

    // A painter that deletes its bitmap while it is still selected keeps drawing safely.
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SetPixel(first, 1, 1, kRed), kRed);
    EXPECT_EQ(GetPixel(first, 1, 1), kRed);
    SelectObject(first, original);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    DeleteDC(first);
    DeleteDC(second);
}

TEST(DeviceContext, StockObjectsSurviveDeleteObject) {
    HGDIOBJ brush = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    LOGBRUSH log;
    ASSERT_EQ(GetObject(GetStockObject(NULL_BRUSH), sizeof log, &log),
              static_cast<int>(sizeof log));
    EXPECT_EQ(log.lbStyle, static_cast<UINT>(BS_NULL));
    LOGFONTA font;
    ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font),
              static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_STREQ(font.lfFaceName, "宋体");
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(DeviceContext, SaveAndRestoreBringBackObjectsColoursAndOrigin) {
    MemoryCanvas canvas(4, 4);
    HBRUSH brush = CreateSolidBrush(kRed);
    int level = SaveDC(canvas.dc());
    EXPECT_EQ(level, 1);
    SelectObject(canvas.dc(), brush);
    SetTextColor(canvas.dc(), kRed);
    SetViewportOrgEx(canvas.dc(), 2, 3, nullptr);
    EXPECT_EQ(SaveDC(canvas.dc()), 2);
    SetBkMode(canvas.dc(), TRANSPARENT);
    EXPECT_TRUE(RestoreDC(canvas.dc(), -1));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetTextColor(canvas.dc()), kRed);
    EXPECT_TRUE(RestoreDC(canvas.dc(), level));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    POINT origin;
    GetViewportOrgEx(canvas.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_FALSE(RestoreDC(canvas.dc(), 1));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(DeviceContext, ViewportOriginMovesDrawing) {
    MemoryCanvas canvas(6, 6);
    POINT previous{9, 9};
    SetViewportOrgEx(canvas.dc(), 2, 1, &previous);
    EXPECT_EQ(previous.x, 0);
    SetPixel(canvas.dc(), 0, 0, kRed);
    EXPECT_EQ(canvas.At(2, 1), kRed);
    OffsetViewportOrgEx(canvas.dc(), 1, 1, nullptr);
    EXPECT_EQ(GetPixel(canvas.dc(), -1, -1), kRed);
}

TEST(Clipping, ExcludeAndIntersectShapeTheDrawableArea) {
    MemoryCanvas canvas(10, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 1, 1, 9, 9), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 3, 3, 6, 6), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 9);
    RECT all{0, 0, 10, 10};
    FillRect(canvas.dc(), &all, red);
    EXPECT_EQ(canvas.CountOf(kRed), 64 - 9);
    EXPECT_EQ(canvas.At(4, 4), kWhite);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(GetPixel(canvas.dc(), 4, 4), CLR_INVALID);

    EXPECT_EQ(SelectClipRgn(canvas.dc(), nullptr), SIMPLEREGION);
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.right, 10);
    DeleteObject(red);
}

TEST(Clipping, SelectClipRgnTakesDeviceUnitsAndCopiesTheRegion) {
    MemoryCanvas canvas(10, 10);
    HRGN region = CreateRectRgn(0, 0, 2, 2);
    SetViewportOrgEx(canvas.dc(), 5, 5, nullptr);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), SIMPLEREGION);
    SetRectRgn(region, 0, 0, 10, 10);
    RECT box;
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.left, -5);
    EXPECT_EQ(box.right, -3);
    EXPECT_EQ(SetPixel(canvas.dc(), -4, -4, kRed), kRed);
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, kRed), CLR_INVALID);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), reinterpret_cast<HRGN>(0x99)), ERROR);
    DeleteObject(region);
}

TEST(Clipping, SurfaceDcsDrawOnlyInsideTheirAreaAtTheirOrigin) {
    platform::Surface screen(20, 20);
    HDC dc = platform::CreateSurfaceDC(screen, POINT{5, 5}, RECT{5, 5, 10, 10});
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{-5, -5, 20, 20};
    FillRect(dc, &all, red);
    int painted = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            painted += screen.At(x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(painted, 25);
    EXPECT_EQ(platform::ColorFromPixel(screen.At(5, 5)), kRed);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(SelectObject(dc, CreateCompatibleBitmap(dc, 2, 2)), nullptr);
    DeleteObject(red);
    DeleteDC(dc);
}

TEST(Regions, CombineGivesTheRegionKinds) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    GetRgnBox(result, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(result, 14, 14));
    EXPECT_FALSE(PtInRegion(result, 14, 1));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 6, 6));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 6, 6));
    EXPECT_TRUE(PtInRegion(result, 12, 12));
    EXPECT_EQ(CombineRgn(result, a, a, RGN_DIFF), NULLREGION);
    HRGN same = CreateRectRgn(10, 10, 0, 0);
    EXPECT_TRUE(EqualRgn(a, same));
    EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_OR), ERROR);
    for (HRGN region : {a, b, result, same}) {
        DeleteObject(region);
    }
}

TEST(Objects, GetObjectReportsTheCreationValues) {
    HPEN pen = CreatePen(PS_DOT, 3, RGB(1, 2, 3));
    LOGPEN log;
    ASSERT_EQ(GetObject(pen, sizeof log, &log), static_cast<int>(sizeof log));
    EXPECT_EQ(log.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(log.lopnWidth.x, 3);
    EXPECT_EQ(log.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObject(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    DeleteObject(pen);

    HFONT font = CreateFontA(12, 6, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    LOGFONTA logFont;
    ASSERT_EQ(GetObject(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_EQ(logFont.lfHeight, 12);
    EXPECT_EQ(logFont.lfWidth, 6);
    EXPECT_EQ(logFont.lfWeight, 0);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(logFont.lfFaceName, "宋体");
    DeleteObject(font);

    LOGFONTA long_name{};
    std::memset(long_name.lfFaceName, 'A', sizeof long_name.lfFaceName);
    HFONT cut = CreateFontIndirectA(&long_name);
    GetObject(cut, sizeof logFont, &logFont);
    EXPECT_EQ(std::strlen(logFont.lfFaceName), 31u);
    DeleteObject(cut);
}

}  // namespace
